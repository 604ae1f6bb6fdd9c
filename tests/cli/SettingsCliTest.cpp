// lumora-batch settings: a defaults file written by "init" and read back by "dump" as JSON,
// checked by Qt's JSON parser.

#include "cli/LumoraBatch.h"
#include "support/ScopedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora::test;

namespace {

// A program folder of its own, which lumora-batch inherits.
class SettingsCli : public ::testing::Test {
protected:
    static ToolResult settings(const QStringList& words) { return lumoraBatch(QStringList{"settings"} + words); }

    QTemporaryDir home;
    const ScopedEnvironment lumoraHome{"LUMORA_HOME", home.path().toUtf8()};
};

TEST_F(SettingsCli, InitThenDumpShowsTheDefaultsInFileOrderAndAMissingFileOrFolderFails)
{
    const QString file = home.filePath("lumora");
    ToolResult r = settings({"init", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // 473 bytes with a three-byte program folder, which six texts hold.
    const QString folder = QDir::cleanPath(home.path());
    EXPECT_EQ(QFile(file).size(), 473 + 6 * (folder.toUtf8().size() - 3));

    r = settings({"dump"});  // the program folder's file
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    QJsonParseError error{};
    const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    // Values of every type as stored (the settings tests judge the defaults themselves).
    ASSERT_EQ(json.size(), 18);
    EXPECT_EQ(json["outputFormat"]["gifTransparentColor"].toInteger(), -2147483634);  // 0x8000000E
    EXPECT_EQ(json["naming"]["destinationFolder"].toString(), folder);
    EXPECT_EQ(json["folderView"]["columnWidths"].toArray().size(), 8);
    EXPECT_EQ(json["folderView"]["columnWidths"][7].toInt(), 100);
    EXPECT_EQ(json["taskDefaults"]["field53"].toInt(-1), 0);
    EXPECT_EQ(json["print"]["optionG"].toDouble(), 100.0);

    // Blocks appear in the order of the file, which a JSON object does not keep.
    qsizetype last = -1;
    for (const char* block : {"outputFormat", "naming", "toolTips", "windowSize", "paneSplits", "lastFolder",
                              "previewMode", "folderView", "basketView", "metadataColumns", "twain", "taskDefaults",
                              "screensaver", "slideShow", "capture", "greeting", "album", "print"}) {
        const qsizetype at = r.out.indexOf(QStringLiteral("\"%1\": {").arg(block));
        EXPECT_GT(at, last) << block;
        last = at;
    }

    r = settings({"dump", home.filePath("none")});
    expectFailure(r, "none");
    EXPECT_TRUE(r.out.isEmpty());
    expectFailure(settings({"init", home.filePath("no/such/folder")}), "subSaveSetup");
}

}  // namespace
