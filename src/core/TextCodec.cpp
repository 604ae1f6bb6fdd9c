#include "core/TextCodec.h"

#include <QStringDecoder>

#include <array>

namespace lumora {
namespace {

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF", 3);

// Windows-1252 0x80..0x9F. The rest of the upper half, 0xA0..0xFF, equals Latin-1.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char lead = p[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // Sequence length and the allowed range of the second byte (the first continuation byte),
        // which is what rules out overlong forms, surrogates and values above U+10FFFF.
        int length = 0;
        unsigned char secondMin = 0x80;
        unsigned char secondMax = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                secondMin = 0xA0;
            else if (lead == 0xED)
                secondMax = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                secondMin = 0x90;
            else if (lead == 0xF4)
                secondMax = 0x8F;
        } else {
            return false;  // a stray continuation byte, C0/C1 (overlong) or F5..FF
        }
        if (n - i < length)
            return false;
        if (p[i + 1] < secondMin || p[i + 1] > secondMax)
            return false;
        for (int k = 2; k < length; ++k) {
            if (!isContinuation(p[i + k]))
                return false;
        }
        i += length;
    }
    return true;
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(Windows1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QString decodeText(const QByteArray& bytes)
{
    if (!isValidUtf8(bytes))
        return fromWindows1252(bytes);
    QByteArrayView view(bytes);
    if (view.startsWith(Utf8Bom))
        view = view.sliced(Utf8Bom.size());
    // Exactly the one mark above goes; the decoder would otherwise drop a second one as well.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8(view);
}

QByteArray encodeText(const QString& text) { return text.toUtf8(); }

}  // namespace lumora
