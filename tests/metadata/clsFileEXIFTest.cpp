// The .xiff record file: quoted pairs written as UTF-8 with CR LF, and what is read from files
// other programs wrote, cut short or hold a stray quote.

#include "core/LumoraError.h"
#include "metadata/MetadataFiles.h"
#include "metadata/clsFileEXIF.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

class clsFileEXIFTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    bool write(const QString& name, const XiffRecords& records)
    {
        clsFileEXIF file;
        if (!file.OpenForWrite(path(name)))
            return false;
        for (const auto& [attribute, value] : records)
            file.WriteEXIF(attribute, value);
        return file.closefile();
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(clsFileEXIFTest, WritesQuotedPairsAndReadsThemBack)
{
    const XiffRecords records{{"Artist", "Studio"},
                              {"ImageDescription", QString::fromUtf8(u8"Grüße, from the café\r\nsecond line")},
                              {"DateTimeOriginal", "7/15/2004 2:03:22 PM"},
                              {"Copyright", ""}};
    ASSERT_TRUE(write("a.xiff", records));
    EXPECT_EQ(readBytes(path("a.xiff")),
              "\"Artist\",\"Studio\"\r\n"
              "\"ImageDescription\",\"Gr\xC3\xBC\xC3\x9F" "e, from the caf\xC3\xA9\r\nsecond line\"\r\n"
              "\"DateTimeOriginal\",\"7/15/2004 2:03:22 PM\"\r\n"
              "\"Copyright\",\"\"\r\n");
    EXPECT_EQ(readXiff(path("a.xiff")), records);
}

TEST_F(clsFileEXIFTest, ValueWithADoubleQuoteIsCutThere)
{
    // As written by Lumora: the value stops at its quote and the next record stays in step.
    ASSERT_TRUE(write("q.xiff", {{"UserComment", "a 5\" lens, \"b\",\"c"}, {"Artist", "Studio"}}));
    EXPECT_EQ(readBytes(path("q.xiff")), "\"UserComment\",\"a 5\"\r\n\"Artist\",\"Studio\"\r\n");
    EXPECT_EQ(readXiff(path("q.xiff")), (XiffRecords{{"UserComment", "a 5"}, {"Artist", "Studio"}}));
}

TEST_F(clsFileEXIFTest, ReadsOtherLayoutsAndEncodings)
{
    const std::pair<QByteArray, XiffRecords> cases[] = {
        {"", {}},
        {"\"Artist\",\"Studio\"\n\"Make\",\"Canon\"", {{"Artist", "Studio"}, {"Make", "Canon"}}},
        {"\"Artist\",\"Caf\xE9 \x80\"\r\n", {{"Artist", QString::fromUtf8(u8"Café €")}}},  // Windows-1252
        {"\"Artist\"\r\n\"Studio\"\r\n", {{"Artist", "Studio"}}},                            // spread over lines
        {" Artist , Studio \r\n", {{"Artist", "Studio"}}},
        // A quote left unescaped by another program: the rest of the field is dropped.
        {"\"Artist\",\"Stu\"dio\"\r\n\"Make\",\"Canon\"\r\n", {{"Artist", "Stu"}, {"Make", "Canon"}}},
    };
    for (const auto& [bytes, records] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        writeBytes(path("in.xiff"), bytes);
        EXPECT_EQ(readXiff(path("in.xiff")), records);
    }
}

TEST_F(clsFileEXIFTest, RecordCutShortRaisesInputPastEnd)
{
    writeBytes(path("cut.xiff"), "\"Artist\",\"Studio\"\r\n\"Make\"\r\n");
    clsFileEXIF file;
    ASSERT_TRUE(file.OpenForRead(path("cut.xiff")));
    EXPECT_EQ(file.readLine(), "\"Artist\",\"Studio\"");
    QString attribute = "kept", value = "kept";
    EXPECT_EQ(errorNumberOf([&] { file.ReadEXIF(attribute, value); }), errnum::InputPastEndOfFile);
    EXPECT_TRUE(file.fEof());
    EXPECT_TRUE(file.closefile());

    // Nothing open: reads leave the values alone.
    file.ReadEXIF(attribute, value);
    EXPECT_EQ(attribute, "kept");
    EXPECT_TRUE(file.fEof());
}

TEST_F(clsFileEXIFTest, FailedWriteLeavesTheOldFile)
{
    writeBytes(path("old.xiff"), "\"Artist\",\"Old\"\r\n");
    clsFileEXIF file;
    ASSERT_TRUE(file.OpenForWrite(path("old.xiff")));
    file.WriteEXIF("Artist", "New");
    EXPECT_THROW(file.WriteEXIF("Bad\"Name", "x"), LumoraError);
    EXPECT_FALSE(file.closefile());
    EXPECT_EQ(file.lastErrorNumber(), errnum::InvalidProcedureCall);

    ASSERT_TRUE(file.OpenForWrite(path("old.xiff")));
    file.WriteEXIF("Artist", "New");
    file.abandon();  // never closed: nothing saved

    EXPECT_FALSE(file.OpenForWrite(path("no/such/folder/x.xiff")));
    EXPECT_EQ(file.lastErrorNumber(), errnum::PathNotFound);

    EXPECT_EQ(readBytes(path("old.xiff")), "\"Artist\",\"Old\"\r\n");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.xiff"});
}
