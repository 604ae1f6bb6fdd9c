// Text in Lumora's files: written as UTF-8 without a byte order mark, read as UTF-8 when every
// byte fits it and as Windows-1252 otherwise.

#include "core/TextCodec.h"

#include <gtest/gtest.h>

using namespace lumora;

TEST(TextCodecDecode, ReadsValidUtf8AsUtf8AndDropsOnlyALeadingByteOrderMark)
{
    EXPECT_EQ(decodeText(QByteArray()), QString());
    EXPECT_EQ(decodeText("plain ascii, 123\r\n"), "plain ascii, 123\r\n");
    // Two-, three- and four-byte sequences.
    EXPECT_EQ(decodeText(QByteArray("Gr\xC3\xBC\xC3\x9F") + "e \xE2\x82\xAC \xF0\x9F\x93\xB7"),
              QString::fromUtf8(u8"Grüße € 📷"));
    // The highest code point and one just below the surrogates are valid.
    EXPECT_EQ(decodeText(QByteArray::fromHex("F48FBFBF")), QString::fromUcs4(U"\U0010FFFF", 1));
    EXPECT_EQ(decodeText(QByteArray::fromHex("ED9FBF")), QString(QChar(0xD7FF)));

    EXPECT_EQ(decodeText(QByteArray("\xEF\xBB\xBF") + "caf\xC3\xA9"), QStringLiteral("café"));
    EXPECT_EQ(decodeText(QByteArray("\xEF\xBB\xBF")), QString());
    EXPECT_EQ(decodeText(QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") + "x"), QStringLiteral("\uFEFFx"));
    EXPECT_EQ(decodeText(QByteArray("a\xEF\xBB\xBF") + "b"), QStringLiteral("a\uFEFFb"));  // inside, it is a character
}

TEST(TextCodecDecode, ReadsBytesThatAreNotUtf8AsWindows1252)
{
    // One bad byte decides for the whole text, so valid-looking UTF-8 beside it is 1252 as well.
    EXPECT_EQ(decodeText(QByteArray("\xC3\xA9\xE9")), QStringLiteral("Ã©é"));

    // 0x80 to 0x9F: the undefined 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep their number as control
    // characters. From 0xA0 on, Windows-1252 is Latin-1.
    QByteArray high;
    QString expected = QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
    for (int b = 0x80; b <= 0xFF; ++b) {
        high.append(static_cast<char>(b));
        if (b >= 0xA0)
            expected.append(QChar(b));
    }
    EXPECT_EQ(fromWindows1252(high), expected);
    EXPECT_EQ(decodeText(high), expected);
}

TEST(TextCodecDecode, MalformedUtf8FallsBackToWindows1252)
{
    const std::pair<const char*, QByteArray> cases[] = {
        {"overlong two-byte slash", QByteArray::fromHex("C0AF")},
        {"overlong C1 lead", QByteArray::fromHex("C1BF")},
        {"overlong three-byte", QByteArray::fromHex("E080AF")},
        {"overlong four-byte", QByteArray::fromHex("F08080AF")},
        {"surrogate", QByteArray::fromHex("EDA080")},
        {"above U+10FFFF", QByteArray::fromHex("F4908080")},
        {"F5 lead", QByteArray::fromHex("F5808080")},
        {"stray continuation", QByteArray::fromHex("4180")},
        {"cut short at the end", QByteArray::fromHex("41E282")},
        {"lead followed by ASCII", QByteArray::fromHex("C341")},
        {"third byte not a continuation", QByteArray::fromHex("E28241")},
    };
    for (const auto& [what, input] : cases) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(isValidUtf8(input));
        EXPECT_EQ(decodeText(input), fromWindows1252(input));
    }
}

TEST(TextCodecEncode, WritesUtf8WithoutByteOrderMark)
{
    EXPECT_EQ(encodeText(QStringLiteral("é€")), QByteArray("\xC3\xA9\xE2\x82\xAC"));
    EXPECT_EQ(encodeText(QString()), QByteArray());
    const QString text = QString::fromUtf8(u8"\"3\",\"Grüße €, 📷\"\r\n");
    EXPECT_EQ(decodeText(encodeText(text)), text);
}
