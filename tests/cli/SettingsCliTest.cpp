// lumora-batch settings: a defaults file written by "init" and read back by "dump" as JSON,
// checked by Qt's JSON parser.

#include "support/Oracles.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora::test;

namespace {

const QString kBatch = QStringLiteral(LUMORA_BATCH_EXE);

class SettingsCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        hadHome_ = qEnvironmentVariableIsSet("LUMORA_HOME");
        previousHome_ = qgetenv("LUMORA_HOME");
        qputenv("LUMORA_HOME", home.path().toUtf8());  // lumora-batch inherits it
    }
    void TearDown() override
    {
        if (hadHome_)
            qputenv("LUMORA_HOME", previousHome_);
        else
            qunsetenv("LUMORA_HOME");
    }

    static ToolResult settings(const QStringList& arguments)
    {
        return runTool(kBatch, QStringList{QStringLiteral("settings")} + arguments);
    }

    QTemporaryDir home;

private:
    bool hadHome_ = false;
    QByteArray previousHome_;
};

TEST_F(SettingsCli, InitThenDumpShowsTheDefaultsInFileOrder)
{
    const QString file = home.filePath(QStringLiteral("lumora"));
    ToolResult r = settings({QStringLiteral("init"), file});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // 473 bytes with a three-byte program folder, which six texts hold.
    EXPECT_EQ(QFile(file).size(), 473 + 6 * (QDir::cleanPath(home.path()).toUtf8().size() - 3));

    r = settings({QStringLiteral("dump")});  // the program folder's file
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    QJsonParseError error{};
    const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    ASSERT_EQ(json.size(), 18);

    const QString folder = QDir::cleanPath(home.path());
    EXPECT_EQ(json["outputFormat"]["lastFormat"].toInt(), 2);
    EXPECT_EQ(json["outputFormat"]["gifTransparentColor"].toInteger(), -2147483634);  // 0x8000000E
    EXPECT_EQ(json["naming"]["counterStart"].toString(), QStringLiteral("[Starting 1]"));
    EXPECT_EQ(json["naming"]["destinationFolder"].toString(), folder);
    EXPECT_EQ(json["windowSize"]["height"].toInt(), 7200);
    EXPECT_EQ(json["folderView"]["columnWidths"].toArray().size(), 8);
    EXPECT_EQ(json["folderView"]["columnWidths"][7].toInt(), 100);
    EXPECT_EQ(json["twain"]["folder"].toString(), folder + QStringLiteral("/Acquired/"));
    EXPECT_EQ(json["taskDefaults"]["field53"].toInt(-1), 0);
    EXPECT_EQ(json["album"]["fontName"].toString(), QStringLiteral("Arial"));
    EXPECT_EQ(json["print"]["optionG"].toDouble(), 100.0);

    // Blocks appear in the order of the file, which a JSON object does not keep.
    const QStringList order{"outputFormat", "naming", "toolTips", "windowSize", "paneSplits", "lastFolder",
                            "previewMode", "folderView", "basketView", "metadataColumns", "twain", "taskDefaults",
                            "screensaver", "slideShow", "capture", "greeting", "album", "print"};
    qsizetype last = -1;
    for (const QString& block : order) {
        const qsizetype at = r.out.indexOf(u'"' + block + QStringLiteral("\": {"));
        EXPECT_GT(at, last) << block.toStdString();
        last = at;
    }
}

TEST_F(SettingsCli, MissingFileAndWrongUsage)
{
    ToolResult r = settings({QStringLiteral("dump"), home.filePath(QStringLiteral("none"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err.count(u'\n'), 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("none")));

    r = settings({QStringLiteral("init"), home.filePath(QStringLiteral("no/such/folder"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.count(u'\n'), 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("subSaveSetup")));

    EXPECT_EQ(settings({}).exitCode, 2);
    EXPECT_EQ(settings({QStringLiteral("init")}).exitCode, 2);
    EXPECT_EQ(settings({QStringLiteral("frob")}).exitCode, 2);
}

}  // namespace
