// The settings record's bytes: the layout of a first-start record worked out by hand from the
// field table, exact round trips, and data that is short, hostile or from a Windows-1252 tool.

#include "settings/SetupRecord.h"
#include "settings/SetupRecordCodec.h"

#include <QStringList>
#include <QtEndian>

#include <gtest/gtest.h>


using namespace lumora;

namespace {

const QString kFolder = QStringLiteral("/pf");  // three bytes: every text offset below counts on it

// A little-endian number at `at`, and a stored text there: the 16-bit length and that many bytes.
template <typename T>
T numberAt(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<T>(b.constData() + at);
}
QByteArray textAt(const QByteArray& b, qsizetype at) { return b.mid(at + 2, numberAt<std::uint16_t>(b, at)); }

TEST(SetupRecordBytes, DefaultRecordFollowsTheFieldTable)
{
    const QByteArray b = encodeSetup(defaultSetup(kFolder));
    // Block sizes from the table: output format 45; naming 54 (texts "", "", "_", "_", "Sample",
    // "[Starting 1]", "/pf", "", ""); tool-tips 1; window size 9; splits 8; last folder 5; preview
    // 2; folder view 27; basket view 29; metadata columns 8; twain 29; task defaults 100;
    // screensaver 3; slide show 9; capture 26; greeting 3; album 73; print 42.
    ASSERT_EQ(b.size(), 473);
    // Bytes: GIF compression option, overwrite (first field after the destination folder), process
    // the Task Basket, tool-tips, preview selection.
    for (const int at : {10, 89, 98, 99, 123})
        EXPECT_EQ(b[at], 1) << at;
    // Integers: last format, JPEG quality, naming's JPEG quality, the first two splits, first folder
    // column, folder thumbnail width, EXIF value column, the Text task's font size, slide show
    // interval, album thumbnail width, its font size index (first field after the font name).
    const std::pair<int, int> integers[] = {{0, 2},     {33, 80},  {45, 80},   {109, 70}, {111, 30},
                                            {128, 100}, {146, 40}, {182, 200}, {275, 14}, {324, 3},
                                            {358, 150}, {401, 2},  {422, 75}};
    for (const auto& [at, value] : integers)
        EXPECT_EQ(numberAt<std::int16_t>(b, at), value) << at;
    // Longs, print options A and F last.
    const std::pair<int, std::int32_t> longs[] = {{12, std::int32_t(0x8000000E)}, {36, 9500}, {40, 6000},
                                                  {100, 9600}, {104, 7200}, {277, std::int32_t(0x80000008)},
                                                  {431, -1}, {456, 1}};
    for (const auto& [at, value] : longs)
        EXPECT_EQ(numberAt<std::int32_t>(b, at), value) << at;
    EXPECT_EQ(numberAt<double>(b, 460), 100.0);                  // print option G
    EXPECT_EQ(b.mid(49, 4), QByteArray("\0\0\0\0", 4));  // two empty texts
    // Texts: the destination, last, remembered basket and album folders are the program folder.
    const std::pair<int, const char*> texts[] = {
        {53, "_"},       {61, "Sample"},         {69, "[Starting 1]"}, {84, "/pf"},        {117, "/pf"},
        {175, "/pf"},    {190, "Twain"},         {202, "/pf/Acquired/"}, {256, "Sample"},  {331, "Captured"},
        {341, "/pf/Captured"}, {394, "Arial"},   {407, "My Album"},    {417, "/pf"}};
    for (const auto& [at, text] : texts)
        EXPECT_EQ(textAt(b, at), text) << at;
}

// Gives every field a value of its own, texts included, so that a field lost or swapped on the
// way shows.
SetupRecord distinctRecord()
{
    const QStringList texts{QString(), QStringLiteral("Grüße aus Köln"), QStringLiteral("日本語のフォルダ"),
                            QStringLiteral("emoji 😀 end"), QStringLiteral("\uFEFFleading mark"),
                            QStringLiteral("quote \" backslash \\ tab\t"), QStringLiteral("/home/ann/Bilder/été")};
    SetupRecord record;
    int n = 0;
    SetupRecord::forEachValue(record, [&](auto& field) {
        using T = std::remove_cvref_t<decltype(field)>;
        ++n;
        if constexpr (std::is_same_v<T, QString>)
            field = texts[n % texts.size()];
        else if constexpr (std::is_same_v<T, double>)
            field = -n * 1.25;
        else if constexpr (std::is_same_v<T, std::uint8_t>)
            field = static_cast<std::uint8_t>(200 + n % 50);
        else if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::int32_t>)
            field = static_cast<T>(-(100 * n + 7));
        else
            for (auto& v : field)
                v = static_cast<std::int16_t>(++n);
    });
    return record;
}

TEST(SetupRecordBytes, RoundTripKeepsEveryField)
{
    const SetupRecord original = distinctRecord();
    const QByteArray bytes = encodeSetup(original);
    SetupRecord back = defaultSetup(kFolder);  // every field must be overwritten
    const SetupReadResult read = decodeSetup(bytes, back);
    EXPECT_TRUE(read.complete);
    EXPECT_EQ(read.fieldsRead, setupFieldCount());
    EXPECT_EQ(read.bytesUsed, bytes.size());
    EXPECT_EQ(back, original);
    // Old trailing bytes after a record are never read.
    SetupRecord again;
    EXPECT_EQ(decodeSetup(bytes + QByteArray(40, '\x7f'), again).bytesUsed, bytes.size());
    EXPECT_EQ(again, original);
}

TEST(SetupRecordBytes, OverlongTextIsCutAtACharacterBoundary)
{
    SetupRecord record;
    const QString full = QString(65535, u'a');
    record.naming.suffix = full;                                 // fits exactly
    record.naming.prefix = QString(65534, u'b') + u'é';          // 65536 bytes: é would be split
    record.lastFolder.path = QString(70000, u'c');
    const QByteArray bytes = encodeSetup(record);
    SetupRecord back;
    EXPECT_TRUE(decodeSetup(bytes, back).complete);
    EXPECT_EQ(back.naming.suffix, full);
    EXPECT_EQ(back.naming.prefix, QString(65534, u'b'));
    EXPECT_EQ(back.lastFolder.path, QString(65535, u'c'));
    EXPECT_EQ(back.naming.separator1, QString());
}

TEST(SetupRecordBytes, ShortOrHostileDataLeavesUnreadFieldsAlone)
{
    const QByteArray full = encodeSetup(defaultSetup(kFolder));
    SetupRecord keep;
    keep.lastFolder.path = QStringLiteral("keep");
    keep.previewMode.selection = 7;
    keep.naming.suffix = QStringLiteral("keep");
    keep.naming.nameMode = 9;
    keep.print.optionG = -5;

    // Cut inside the last folder's text (offset 117): the 44 fields before it are read.
    SetupRecord cut = keep;
    const SetupReadResult read = decodeSetup(full.left(120), cut);
    EXPECT_FALSE(read.complete);
    EXPECT_EQ(read.fieldsRead, 44);
    EXPECT_EQ(read.bytesUsed, 117);
    EXPECT_EQ(cut.paneSplits, (SetupRecord::PaneSplits{70, 30, 50, 50}));
    EXPECT_EQ(cut.lastFolder.path, QStringLiteral("keep"));
    EXPECT_EQ(cut.previewMode.selection, 7);
    EXPECT_EQ(cut.print.optionG, -5);

    // A text length of 65535 with ten bytes behind it: a short file, not a 64 KiB text.
    SetupRecord hostile = keep;
    const QByteArray data = full.left(49) + QByteArray("\xFF\xFF", 2) + QByteArray(8, 'x');
    EXPECT_EQ(decodeSetup(data, hostile).fieldsRead, 17 + 3);
    EXPECT_EQ(hostile.naming.jpegQuality, 80);
    EXPECT_EQ(hostile.naming.suffix, QStringLiteral("keep"));
    EXPECT_EQ(hostile.naming.nameMode, 9);

    SetupRecord tiny = keep;
    EXPECT_EQ(decodeSetup(QByteArray(10, '\xFF'), tiny).fieldsRead, 4);  // three Integers and a Long
    EXPECT_EQ(tiny.outputFormat.tifDepth, -1);
    EXPECT_EQ(decodeSetup(QByteArray(), tiny).fieldsRead, 0);
}

TEST(SetupRecordBytes, TextThatIsNotUtf8ReadsAsWindows1252)
{
    QByteArray bytes = encodeSetup(defaultSetup(kFolder));
    // In place of the last folder's three bytes; valid UTF-8 stays UTF-8.
    for (const auto& [stored, read] : {std::pair{"\xE9t\x80", "ét€"}, std::pair{"\xC3\xA9!", "é!"}}) {
        SetupRecord record;
        EXPECT_TRUE(decodeSetup(bytes.replace(119, 3, stored), record).complete);
        EXPECT_EQ(record.lastFolder.path, QString::fromUtf8(read));
    }
}

}  // namespace
