#include "export/Windows1252.h"

#include <QString>
#include <gtest/gtest.h>

TEST(Windows1252, BytesAndReferences) {
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {"Plain <b> & 'x'\r\n\u2122\u00e9\u20ac\u017d\u0178", "Plain <b> & 'x'\r\n\x99\xe9\x80\x8e\x9f"},
        // Beyond the code page: the C1 controls it leaves out, other scripts, surrogates whole and broken.
        {"\u0081\u009d\u0416a\u4e2d", "&#129;&#157;&#1046;a&#20013;"},
        {QString::fromUcs4(U"\U0001F319") + QChar(0xD800) + QLatin1Char('x'), "&#127769;&#65533;x"},
        {QString(QChar(0)), QByteArray(1, '\0')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exporter::toWindows1252(c.text), c.bytes) << c.bytes.toStdString();
}
