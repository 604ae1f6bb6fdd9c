// Parameter text to numbers and flags: rounding, limits and what counts as a number.

#include "core/Conversions.h"
#include "core/FileExists.h"
#include "core/LumoraError.h"
#include "core/OleColor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::convert;

namespace {

int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const LumoraError& e) {
        return e.number();
    }
    return 0;
}

TEST(Conversions, WholeNumbersRoundHalfToEven)
{
    EXPECT_EQ(toInt16(QStringLiteral("2.5")), 2);
    EXPECT_EQ(toInt16(QStringLiteral("3.5")), 4);
    EXPECT_EQ(toInt16(QStringLiteral("-2.5")), -2);
    EXPECT_EQ(toInt16(QStringLiteral("-3.5")), -4);
    EXPECT_EQ(toInt16(QStringLiteral("2.5000001")), 3);
    EXPECT_EQ(toInt32(QStringLiteral("0.5")), 0);
    EXPECT_EQ(toInt32(QStringLiteral("1.5")), 2);
    EXPECT_EQ(roundHalfEven(1e15 + 0.5), 1e15);
    EXPECT_EQ(toByte(QStringLiteral("254.5")), 254);
}

TEST(Conversions, LimitsOverflowAfterRounding)
{
    EXPECT_EQ(toInt16(QStringLiteral("32767")), 32767);
    EXPECT_EQ(toInt16(QStringLiteral("32767.4")), 32767);
    EXPECT_EQ(errorOf([] { toInt16(QStringLiteral("32767.5")); }), errnum::Overflow);
    EXPECT_EQ(toInt16(QStringLiteral("-32768.5")), -32768);
    EXPECT_EQ(errorOf([] { toInt16(QStringLiteral("-32769")); }), errnum::Overflow);
    EXPECT_EQ(toInt32(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(errorOf([] { toInt32(QStringLiteral("2147483648")); }), errnum::Overflow);
    EXPECT_EQ(errorOf([] { toByte(QStringLiteral("-1")); }), errnum::Overflow);
    EXPECT_EQ(errorOf([] { toByte(QStringLiteral("256")); }), errnum::Overflow);
    EXPECT_EQ(errorOf([] { toInt32(QStringLiteral("1e400")); }), errnum::Overflow);
    EXPECT_EQ(errorOf([] { toSingle(QStringLiteral("1e39")); }), errnum::Overflow);
}

TEST(Conversions, WhatCountsAsANumber)
{
    EXPECT_EQ(toDouble(QStringLiteral("  42 ")), 42.0);
    EXPECT_EQ(toDouble(QStringLiteral("+7")), 7.0);
    EXPECT_EQ(toDouble(QStringLiteral("-.25")), -0.25);
    EXPECT_EQ(toDouble(QStringLiteral("5.")), 5.0);
    EXPECT_EQ(toDouble(QStringLiteral("1.5e3")), 1500.0);
    EXPECT_EQ(toDouble(QStringLiteral("2D2")), 200.0);
    EXPECT_EQ(toDouble(QStringLiteral("&H10")), 16.0);
    EXPECT_EQ(toDouble(QStringLiteral("&HFFFF")), -1.0);      // four digits: a 16-bit literal
    EXPECT_EQ(toDouble(QStringLiteral("&H0000FFFF")), 65535.0);
    EXPECT_EQ(toDouble(QStringLiteral("&O17")), 15.0);
    EXPECT_EQ(toDouble(QStringLiteral("true")), -1.0);
    EXPECT_EQ(toDouble(QStringLiteral("FALSE")), 0.0);
    for (const char* text : {"", "  ", "abc", "1,5", "12px", "1e", "--1", ".", "&H", "&HXYZ", "0x10", "١٢"})
        EXPECT_EQ(errorOf([&] { toDouble(QString::fromUtf8(text)); }), errnum::TypeMismatch) << text;
}

TEST(Conversions, FlagsAcceptWordsAndNumbers)
{
    EXPECT_TRUE(toFlag(QStringLiteral("True")));
    EXPECT_FALSE(toFlag(QStringLiteral("False")));
    EXPECT_TRUE(toFlag(QStringLiteral("1")));
    EXPECT_TRUE(toFlag(QStringLiteral("-1")));
    EXPECT_TRUE(toFlag(QStringLiteral("0.1")));
    EXPECT_FALSE(toFlag(QStringLiteral("0")));
    EXPECT_EQ(errorOf([] { toFlag(QStringLiteral("yes")); }), errnum::TypeMismatch);
    EXPECT_EQ(errorOf([] { toFlag(QString()); }), errnum::TypeMismatch);
    EXPECT_EQ(flagText(true), QStringLiteral("True"));
    EXPECT_EQ(flagText(false), QStringLiteral("False"));
}

TEST(OleColors, ChannelOrderAndSystemColours)
{
    EXPECT_EQ(OleColor::toRgb(16777215), (Rgb{255, 255, 255}));
    EXPECT_EQ(OleColor::toRgb(255), (Rgb{255, 0, 0}));
    EXPECT_EQ(OleColor::toRgb(0xFF0000), (Rgb{0, 0, 255}));
    EXPECT_EQ(OleColor::fromRgb(1, 2, 3), 0x030201u);
    EXPECT_EQ(OleColor::toRgb(0x80000005), (Rgb{255, 255, 255})) << "window background";
    EXPECT_EQ(OleColor::toRgb(0x80000012), (Rgb{0, 0, 0})) << "button text";
    EXPECT_EQ(OleColor::toRgb(0x800000FF), (Rgb{0, 0, 0})) << "unknown system colour";
}

TEST(FileExistsTest, TrueOnlyForExistingFiles)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a b.txt"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(QStringLiteral("  ") + file + QStringLiteral(" ")));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(dir.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_FALSE(FileExists(QStringLiteral("   ")));
    EXPECT_FALSE(FileExists(QString(5000, u'x')));
}

}  // namespace
