#include "core/LumoraError.h"
#include "metadata/clsFileEXIF.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

using namespace lumora;
using namespace lumora::test;

namespace {

using Records = QList<std::pair<QString, QString>>;

class clsFileEXIFTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const QString& name) const { return dir_.filePath(name); }

    bool write(const QString& name, const Records& records)
    {
        clsFileEXIF file;
        if (!file.OpenForWrite(path(name)))
            return false;
        for (const auto& [attribute, value] : records)
            file.WriteEXIF(attribute, value);
        return file.closefile();
    }

    // Every record of the file, as the reader gives them.
    Records read(const QString& name)
    {
        clsFileEXIF file;
        EXPECT_TRUE(file.OpenForRead(path(name)));
        Records records;
        while (!file.fEof()) {
            QString attribute, value;
            file.ReadEXIF(attribute, value);
            records.append({attribute, value});
        }
        EXPECT_TRUE(file.closefile());
        return records;
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(clsFileEXIFTest, WritesQuotedPairsAndReadsThemBack)
{
    const Records records{{"Artist", "Studio"},
                          {"ImageDescription", QString::fromUtf8(u8"Grüße, from the café\r\nsecond line")},
                          {"DateTimeOriginal", "7/15/2004 2:03:22 PM"},
                          {"Copyright", ""}};
    ASSERT_TRUE(write("a.xiff", records));
    EXPECT_EQ(readBytes(path("a.xiff")),
              "\"Artist\",\"Studio\"\r\n"
              "\"ImageDescription\",\"Gr\xC3\xBC\xC3\x9F" "e, from the caf\xC3\xA9\r\nsecond line\"\r\n"
              "\"DateTimeOriginal\",\"7/15/2004 2:03:22 PM\"\r\n"
              "\"Copyright\",\"\"\r\n");
    EXPECT_EQ(read("a.xiff"), records);
}

TEST_F(clsFileEXIFTest, ExtensionIsAppendedUnlessTheLastFiveCharactersAreXiff)
{
    const std::pair<QString, QString> names[] = {{"/a/b", "/a/b.xiff"},
                                                 {"/a/b.xiff", "/a/b.xiff"},
                                                 {"/a/b.XIFF", "/a/b.XIFF"},
                                                 {"/a/b.xif", "/a/b.xif.xiff"},
                                                 {"/a/bxiff", "/a/bxiff.xiff"}};
    for (const auto& [given, used] : names)
        EXPECT_EQ(exifExchangeFileName(given), used);
}

TEST_F(clsFileEXIFTest, ValueWithADoubleQuoteIsCutThere)
{
    // As written by Lumora: the value stops at its quote and the next record stays in step.
    ASSERT_TRUE(write("q.xiff", {{"UserComment", "a 5\" lens, \"b\",\"c"}, {"Artist", "Studio"}}));
    EXPECT_EQ(readBytes(path("q.xiff")), "\"UserComment\",\"a 5\"\r\n\"Artist\",\"Studio\"\r\n");
    EXPECT_EQ(read("q.xiff"), (Records{{"UserComment", "a 5"}, {"Artist", "Studio"}}));

    // As another program may have written it, quote unescaped: the rest of the field is dropped.
    writeBytes(path("raw.xiff"), "\"Artist\",\"Stu\"dio\"\r\n\"Make\",\"Canon\"\r\n");
    EXPECT_EQ(read("raw.xiff"), (Records{{"Artist", "Stu"}, {"Make", "Canon"}}));
}

TEST_F(clsFileEXIFTest, ReadsOtherLayoutsAndEncodings)
{
    const std::pair<QByteArray, Records> cases[] = {
        {"", {}},
        {"\"Artist\",\"Studio\"\n\"Make\",\"Canon\"", {{"Artist", "Studio"}, {"Make", "Canon"}}},
        {"\"Artist\",\"Caf\xE9 \x80\"\r\n", {{"Artist", QString::fromUtf8(u8"Café €")}}},  // Windows-1252
        {"\"Artist\"\r\n\"Studio\"\r\n", {{"Artist", "Studio"}}},                            // spread over lines
        {" Artist , Studio \r\n", {{"Artist", "Studio"}}},
    };
    for (const auto& [bytes, records] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        writeBytes(path("in.xiff"), bytes);
        EXPECT_EQ(read("in.xiff"), records);
    }
}

TEST_F(clsFileEXIFTest, RecordCutShortRaisesInputPastEnd)
{
    writeBytes(path("cut.xiff"), "\"Artist\",\"Studio\"\r\n\"Make\"\r\n");
    clsFileEXIF file;
    ASSERT_TRUE(file.OpenForRead(path("cut.xiff")));
    EXPECT_EQ(file.readLine(), "\"Artist\",\"Studio\"");
    QString attribute = "kept", value = "kept";
    try {
        file.ReadEXIF(attribute, value);
        ADD_FAILURE() << "no error";
    } catch (const LumoraError& e) {
        EXPECT_EQ(e.number(), errnum::InputPastEndOfFile);
    }
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
