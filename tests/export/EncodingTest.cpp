#include "export/Windows1252.h"

#include <QString>

#include <gtest/gtest.h>

TEST(Windows1252, BytesAndReferences) {
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("Plain <b> & 'x'\r\n"), QByteArray("Plain <b> & 'x'\r\n")},
        {QStringLiteral("Abaddon\u2122"), QByteArray("Abaddon\x99")},
        {QStringLiteral(
             "\u20ac\u201a\u0192\u2026\u0160\u0152\u017d\u2018\u2019\u201c\u201d\u2014\u0161\u0153\u017e\u0178"),
         QByteArray("\x80\x82\x83\x85\x8a\x8c\x8e\x91\x92\x93\x94\x97\x9a\x9c\x9e\x9f")},
        {QStringLiteral("\u00a0\u00e9\u00ff"), QByteArray("\xa0\xe9\xff")},
        // Beyond the code page: the C1 controls it leaves out, other scripts, a pair of surrogates.
        {QStringLiteral("\u0081\u009d"), QByteArray("&#129;&#157;")},
        {QStringLiteral("\u0416a\u4e2d"), QByteArray("&#1046;a&#20013;")},
        {QString::fromUcs4(U"\U0001F319"), QByteArray("&#127769;")},
        {QString(QChar(0xD800)) + QLatin1Char('x'), QByteArray("&#65533;x")},
        {QString(QChar(0)), QByteArray(1, '\0')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exporter::toWindows1252(c.text), c.bytes) << c.bytes.toStdString();
}
