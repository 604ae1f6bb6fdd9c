// Parameter text to numbers and flags: rounding, limits and what counts as a number.

#include "core/Conversions.h"
#include "core/FileExists.h"
#include "core/LumoraError.h"
#include "core/OleColor.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

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

TEST(Conversions, WholeNumbersRoundHalfToEvenAndOverflowAfterRounding)
{
    const std::pair<const char*, int> int16s[] = {{"2.5", 2},         {"3.5", 4},         {"-2.5", -2},
                                                  {"-3.5", -4},       {"2.5000001", 3},   {"32767", 32767},
                                                  {"32767.4", 32767}, {"-32768.5", -32768}};
    for (const auto& [text, value] : int16s)
        EXPECT_EQ(toInt16(text), value) << text;
    EXPECT_EQ(toInt32("0.5"), 0);
    EXPECT_EQ(toInt32("1.5"), 2);
    EXPECT_EQ(toInt32("2147483647"), 2147483647);
    EXPECT_EQ(toByte("254.5"), 254);
    EXPECT_EQ(roundHalfEven(1e15 + 0.5), 1e15);
    for (const auto& convert : std::initializer_list<std::function<void()>>{
             [] { toInt16("32767.5"); }, [] { toInt16("-32769"); }, [] { toInt32("2147483648"); },
             [] { toInt32("1e400"); }, [] { toByte("-1"); }, [] { toByte("256"); }, [] { toSingle("1e39"); }})
        EXPECT_EQ(errorOf(convert), errnum::Overflow);
}

TEST(Conversions, WhatCountsAsANumberOrAFlag)
{
    const std::pair<const char*, double> numbers[] = {
        {"  42 ", 42.0}, {"+7", 7.0}, {"-.25", -0.25}, {"5.", 5.0}, {"1.5e3", 1500.0}, {"2D2", 200.0},
        {"&H10", 16.0},  {"&HFFFF", -1.0},  // four digits: a 16-bit literal
        {"&H0000FFFF", 65535.0}, {"&O17", 15.0}, {"true", -1.0}, {"FALSE", 0.0}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(toDouble(text), value) << text;
    for (const char* text : {"", "  ", "abc", "1,5", "12px", "1e", "--1", ".", "&H", "&HXYZ", "0x10", "١٢"})
        EXPECT_EQ(errorOf([&] { toDouble(QString::fromUtf8(text)); }), errnum::TypeMismatch) << text;

    for (const char* text : {"True", "1", "-1", "0.1"})
        EXPECT_TRUE(toFlag(text)) << text;
    EXPECT_FALSE(toFlag("False") || toFlag("0"));
    for (const QString& text : {QStringLiteral("yes"), QString()})
        EXPECT_EQ(errorOf([&] { toFlag(text); }), errnum::TypeMismatch) << text.toStdString();
    EXPECT_EQ(flagText(true) + u' ' + flagText(false), "True False");
}

TEST(OleColors, ChannelOrderAndSystemColours)
{
    EXPECT_EQ(OleColor::fromRgb(1, 2, 3), 0x030201u);
    // The last three: window background, button text, a system colour that does not exist.
    const std::pair<std::uint32_t, Rgb> colours[] = {
        {16777215, {255, 255, 255}},   {255, {255, 0, 0}},      {0xFF0000, {0, 0, 255}},
        {0x80000005, {255, 255, 255}}, {0x80000012, {0, 0, 0}}, {0x800000FF, {0, 0, 0}}};
    for (const auto& [ole, rgb] : colours)
        EXPECT_EQ(OleColor::toRgb(ole), rgb) << std::hex << ole;
}

TEST(FileExistsTest, TrueOnlyForExistingFiles)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("a b.txt");
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists("  " + file + " "));
    for (const QString& path : {dir.path(), dir.filePath("missing"), QString(), QString("   "), QString(5000, u'x')})
        EXPECT_FALSE(FileExists(path)) << path.left(40).toStdString();
}

}  // namespace
