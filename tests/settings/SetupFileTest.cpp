// Loading and saving the settings file in a program folder of its own: first start, the broken
// files the start-up must survive, and saves that fail without harming the old file.

#include "core/ProgramFolder.h"
#include "settings/SetupFile.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/ReportCapture.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

class SetupFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousHome_ = qgetenv("LUMORA_HOME");
        hadHome_ = qEnvironmentVariableIsSet("LUMORA_HOME");
        qputenv("LUMORA_HOME", dir.path().toUtf8());
        previousHandler_ = SetSetupMessageHandler([this](const QString& text) { messages << text; });
    }
    void TearDown() override
    {
        SetSetupMessageHandler(std::move(previousHandler_));
        if (hadHome_)
            qputenv("LUMORA_HOME", previousHome_);
        else
            qunsetenv("LUMORA_HOME");
    }

    QString folder() const { return QDir::cleanPath(dir.path()); }
    QString file() const { return folder() + QStringLiteral("/lumora"); }

    QTemporaryDir dir;
    ReportCapture capture;
    QStringList messages;

private:
    QByteArray previousHome_;
    bool hadHome_ = false;
    SetupMessageHandler previousHandler_;
};

TEST_F(SetupFile, ProgramFolderFollowsLumoraHome)
{
    EXPECT_EQ(ProgramFolder::path(), folder());
    EXPECT_EQ(ProgramFolder::settingsFile(), file());
    EXPECT_EQ(ProgramFolder::tempFolder(), folder() + QStringLiteral("/temp/"));
    qputenv("LUMORA_HOME", (dir.path() + QStringLiteral("/sub/")).toUtf8());
    EXPECT_EQ(ProgramFolder::path(), folder() + QStringLiteral("/sub"));
}

TEST_F(SetupFile, FirstStartGivesDefaultsAndMakesTheFoldersButNoFile)
{
    SetupRecord record;
    subLoadSetup(record);  // through LUMORA_HOME
    EXPECT_EQ(record, defaultSetup(folder()));
    EXPECT_EQ(SetupFilePath(), file());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(capture.reports().empty());
    EXPECT_TRUE(FolderExists(folder() + QStringLiteral("/Captured")));
    EXPECT_TRUE(FolderExists(folder() + QStringLiteral("/Acquired")));
    EXPECT_FALSE(QFileInfo::exists(file()));
}

TEST_F(SetupFile, ZeroLengthFileWarnsOnceAndIsReplacedByAWholeRecordAtExit)
{
    writeBytes(file(), {});
    SetupRecord record;
    LoadSetupAtStartup(record, folder());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Configuration data file is corrupted\nSetting values will be initilized to default"));
    EXPECT_FALSE(QFileInfo::exists(file()));
    EXPECT_EQ(record, defaultSetup(folder()));
    EXPECT_TRUE(FolderExists(folder() + QStringLiteral("/Captured")));

    EXPECT_TRUE(subSaveSetup(record));
    EXPECT_EQ(readBytes(file()), encodeSetup(defaultSetup(folder())));
    EXPECT_TRUE(capture.reports().empty());
}

TEST_F(SetupFile, SplittersBothAtTenAreDiscardedSilently)
{
    SetupRecord saved = defaultSetup(folder());
    saved.paneSplits = {10, 10, 5, 5};
    saved.lastFolder.path = QStringLiteral("/elsewhere");
    ASSERT_TRUE(subSaveSetup(saved, file()));
    SetupRecord record;
    LoadSetupAtStartup(record, folder());
    EXPECT_EQ(record.paneSplits, (SetupRecord::PaneSplits{70, 30, 50, 50}));
    EXPECT_EQ(record.lastFolder.path, folder());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(file()));

    // Any other pair is a real choice and is read as stored.
    saved.paneSplits = {10, 11, 5, 5};
    ASSERT_TRUE(subSaveSetup(saved, file()));
    LoadSetupAtStartup(record, folder());
    EXPECT_EQ(record, saved);
    EXPECT_TRUE(capture.reports().empty());
}

TEST_F(SetupFile, ShortFileKeepsTheFieldsItDoesNotReach)
{
    writeBytes(file(), encodeSetup(defaultSetup(folder())).left(20));
    SetupRecord record;
    record.album.title = QStringLiteral("before");
    subLoadSetup(record, folder());
    EXPECT_EQ(record.outputFormat.lastFormat, 2);
    EXPECT_EQ(record.album.title, QStringLiteral("before"));
    EXPECT_EQ(record.naming.genericName, QString());  // not defaulted either
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(capture.reports().empty());
}

TEST_F(SetupFile, UnreadableFileIsReportedAndNoDefaultsApplied)
{
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("lumora")));
    SetupRecord record;
    record.paneSplits.main = 33;
    subLoadSetup(record, folder());
    ASSERT_EQ(capture.reports().size(), 1u);
    EXPECT_EQ(capture.reports()[0].routine, QStringLiteral("subLoadSetup"));
    EXPECT_EQ(record.paneSplits.main, 33);
    EXPECT_EQ(record.naming.genericName, QString());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SetupFile, FailedSaveIsReportedAndLeavesTheOldFileWhole)
{
    const SetupRecord record = defaultSetup(folder());
    EXPECT_FALSE(subSaveSetup(record, folder() + QStringLiteral("/missing/lumora")));
    ASSERT_EQ(capture.reports().size(), 1u);
    EXPECT_EQ(capture.reports()[0].routine, QStringLiteral("subSaveSetup"));

    // A full disk, made with the file size limit (which binds every user, root too): the write
    // fails part way, and the old file stays as it was, with no temporary file left behind.
    const QByteArray old("old settings");
    writeBytes(file(), old);
    bool saved = true;
    {
        const FullDisk disk(64);
        saved = subSaveSetup(record, file());
    }
    EXPECT_FALSE(saved);
    ASSERT_EQ(capture.reports().size(), 2u);
    EXPECT_EQ(capture.reports()[1].routine, QStringLiteral("subSaveSetup"));
    EXPECT_EQ(readBytes(file()), old);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList{QStringLiteral("lumora")});
}

}  // namespace
