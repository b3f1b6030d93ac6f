#include "export/Windows1252.h"

#include <array>

namespace exporter {

namespace {

// The characters Windows-1252 puts at 0x80..0x9F; 0 marks the five bytes it leaves undefined.
// Everything below 0x80 is ASCII and 0xA0..0xFF is Latin-1, both byte for code point.
constexpr std::array<char16_t, 32> kHighControls = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int byteFor(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return int(code);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == code)
            return int(0x80 + i);
    return -1;
}

} // namespace

QByteArray toWindows1252(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text[i].unicode();
        if (QChar::isHighSurrogate(code) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(code)) {
            code = QChar::ReplacementCharacter; // a lone half of a pair names no character
        }
        const int byte = byteFor(code);
        if (byte >= 0)
            bytes.append(char(byte));
        else
            bytes.append("&#" + QByteArray::number(quint32(code)) + ';');
    }
    return bytes;
}

} // namespace exporter
