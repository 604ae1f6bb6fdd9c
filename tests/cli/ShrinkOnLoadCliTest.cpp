// lumora-batch convert decoding JPEGs reduced when the Task Basket scales them down, against the
// same run with --full-decode: the same names and sizes, and pixels ImageMagick finds close.

#include "cli/LumoraBatch.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

// ImageMagick's difference of two pictures by `metric` (MAE, PAE), in levels of 0..255.
double difference(const QString& a, const QString& b, const QString& metric)
{
    const ToolResult r = runTool("compare", {"-metric", metric, a, b, "null:"});
    bool ok = false;
    const double value = r.err.section(u'(', 1).section(u')', 0, 0).toDouble(&ok);
    return ok ? value * 255 : 255;
}

TEST_F(BatchFolderTest, ReducedDecodingKeepsNamesAndSizesAndStaysCloseToAFullDecode)
{
    const QByteArray sharpen = taskRecord("\"7\",\"sharpen\",\"1\"");
    const QByteArray contrast = taskRecord("\"5\",\"contrast\",\"60\",\"1\",\"1\",\"1\"");
    const QByteArray flip = taskRecord("\"1\",\"flip\",\"1\"");
    const QList<std::pair<const char*, QByteArray>> cases{
        {"1001x667", taskRecord("\"3\",\"resize\",\"False\",\"50\"") + sharpen},        // 1/2
        {"667x1001", contrast + taskRecord("\"3\",\"resize\",\"True\",\"160\",\"251\"")},  // 1/4
        {"1203x803", flip + taskRecord("\"3\",\"resize\",\"False\",\"12\"")},              // 1/8
    };
    for (const auto& [size, tasks] : cases) {
        SCOPED_TRACE(size);
        const QString photo = path(QStringLiteral("photo.jpg"));
        ASSERT_EQ(runTool("convert", {"-size", size, "-seed", "7", "plasma:", "-blur", "0x2", "-quality", "92", photo})
                      .exitCode,
                  0);
        QStringList outputs;
        for (const QString out : {"reduced", "full"}) {
            QDir(path(out)).removeRecursively();
            const ToolResult r = lumoraBatch({"convert", "--tasks", writeTasks(tasks), "--dest", path(out), "--naming",
                                              "hybrid", "--prefix", "[Source resolution]",
                                              out == u"full" ? "--full-decode" : "--overwrite", photo});
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
            for (const QString& name : QDir(path(out)).entryList(QDir::Files))
                outputs << path(out + u'/' + name);
        }
        ASSERT_EQ(outputs.size(), 2);
        // The name tells the photo's own size, not the reduced one.
        EXPECT_EQ(QFileInfo(outputs[0]).fileName().toStdString(), QFileInfo(outputs[1]).fileName().toStdString());
        EXPECT_TRUE(QFileInfo(outputs[0]).fileName().startsWith(size));
        EXPECT_EQ(identify(outputs[0]), identify(outputs[1]));
        // Not the same bytes: the photo was decoded reduced. Yet close to the full decode.
        EXPECT_NE(readBytes(outputs[0]), readBytes(outputs[1]));
        EXPECT_LT(difference(outputs[0], outputs[1], "MAE"), 3);
        EXPECT_LT(difference(outputs[0], outputs[1], "PAE"), 40);
    }
}

}  // namespace
