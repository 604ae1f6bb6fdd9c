// Loading and saving the settings file in a program folder of its own: first start, the broken
// files the start-up must survive, and saves that fail without harming the old file.

#include "core/LumoraError.h"
#include "core/ProgramFolder.h"
#include "settings/SetupFile.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/ReportCapture.h"
#include "support/ScopedEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

// Every test ends with no error report and no message it did not take.
class SetupFile : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetSetupMessageHandler([this](const QString& text) { messages << text; }); }
    void TearDown() override
    {
        SetSetupMessageHandler(std::move(previous_));
        EXPECT_TRUE(capture.reports().empty()) << "unexpected error report";
        EXPECT_TRUE(messages.isEmpty()) << messages.join(u'|').toStdString();
    }

    QString folder() const { return QDir::cleanPath(dir.path()); }
    QString file() const { return folder() + "/lumora"; }
    // The record start-up loads from the program folder.
    SetupRecord startUp()
    {
        SetupRecord record;
        LoadSetupAtStartup(record, folder());
        return record;
    }

    QTemporaryDir dir;
    const ScopedEnvironment home{"LUMORA_HOME", dir.path().toUtf8()};
    ReportCapture capture;
    QStringList messages;

private:
    SetupMessageHandler previous_;
};

TEST_F(SetupFile, FirstStartInTheProgramFolderOfLumoraHomeGivesDefaultsAndMakesTheFoldersButNoFile)
{
    EXPECT_EQ(ProgramFolder::path(), folder());
    EXPECT_EQ(ProgramFolder::settingsFile(), file());
    EXPECT_EQ(ProgramFolder::tempFolder(), folder() + "/temp/");
    SetupRecord record;
    subLoadSetup(record);
    EXPECT_EQ(record, defaultSetup(folder()));
    EXPECT_EQ(SetupFilePath(), file());
    EXPECT_TRUE(FolderExists(folder() + "/Captured") && FolderExists(folder() + "/Acquired"));
    EXPECT_FALSE(QFileInfo::exists(file()));

    const ScopedEnvironment sub("LUMORA_HOME", (dir.path() + "/sub/").toUtf8());
    EXPECT_EQ(ProgramFolder::path(), folder() + "/sub");
}

TEST_F(SetupFile, ZeroLengthFileWarnsOnceAndIsReplacedByAWholeRecordAtExit)
{
    writeBytes(file(), {});
    const SetupRecord record = startUp();
    EXPECT_EQ(messages, QStringList{"Configuration data file is corrupted\nSetting values will be initilized to default"});
    messages.clear();
    EXPECT_FALSE(QFileInfo::exists(file()));
    EXPECT_EQ(record, defaultSetup(folder()));
    EXPECT_TRUE(FolderExists(folder() + "/Captured"));

    EXPECT_TRUE(subSaveSetup(record));
    EXPECT_EQ(readBytes(file()), encodeSetup(defaultSetup(folder())));
}

TEST_F(SetupFile, SplittersBothAtTenAreDiscardedSilently)
{
    SetupRecord saved = defaultSetup(folder());
    saved.paneSplits = {10, 10, 5, 5};
    saved.lastFolder.path = "/elsewhere";
    ASSERT_TRUE(subSaveSetup(saved, file()));
    EXPECT_EQ(startUp(), defaultSetup(folder()));
    EXPECT_FALSE(QFileInfo::exists(file()));

    // Any other pair is a real choice and is read as stored.
    saved.paneSplits = {10, 11, 5, 5};
    ASSERT_TRUE(subSaveSetup(saved, file()));
    EXPECT_EQ(startUp(), saved);
}

TEST_F(SetupFile, AShortFileKeepsTheFieldsItDoesNotReachAndAnUnreadableOneIsReported)
{
    writeBytes(file(), encodeSetup(defaultSetup(folder())).left(20));
    SetupRecord record;
    record.album.title = "before";
    subLoadSetup(record, folder());
    EXPECT_EQ(record.outputFormat.lastFormat, 2);
    EXPECT_EQ(record.album.title, "before");
    EXPECT_EQ(record.naming.genericName, QString());  // not defaulted either

    ASSERT_TRUE(QFile::remove(file()) && QDir(folder()).mkdir("lumora"));  // a folder cannot be read
    record = SetupRecord();
    record.paneSplits.main = 33;
    subLoadSetup(record, folder());
    capture.expectOne("subLoadSetup", errnum::PathFileAccess, 0);
    EXPECT_EQ(record.paneSplits.main, 33);
    EXPECT_EQ(record.naming.genericName, QString());
}

TEST_F(SetupFile, FailedSaveIsReportedAndLeavesTheOldFileWhole)
{
    const SetupRecord record = defaultSetup(folder());
    EXPECT_FALSE(subSaveSetup(record, folder() + "/missing/lumora"));
    capture.expectOne("subSaveSetup", errnum::PathNotFound, 0);

    // A full disk: the write fails part way, and the old file stays as it was, with no temporary
    // file left behind.
    writeBytes(file(), "old settings");
    EXPECT_FALSE([&] {
        const FullDisk disk(64);
        return subSaveSetup(record, file());
    }());
    capture.expectOne("subSaveSetup", errnum::DeviceIO, 0);
    EXPECT_EQ(readBytes(file()), "old settings");
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{"lumora"});
}

}  // namespace
