// Scanning through SANE's own "test" backend, which delivers real frames: colour, grey and line art,
// one page from the flatbed and a page per scan from its feeder. lumora-batch scan is the road the
// acquire window takes too (AcquiredPageFile); pdfinfo, tiffinfo and identify count what it wrote.

#include "cli/LumoraBatch.h"
#include "support/ScopedEnvironment.h"

#include <QDir>
#include <QRegularExpression>

using namespace lumora::test;

namespace {

// A SANE configuration of its own that knows only the test backend, drawing its colour pattern on a
// small page so that scans are quick.
class ScanFolder : public BatchFolderTest {
protected:
    ScanFolder()
    {
        QDir().mkpath(path("sane"));
        writeBytes(path("sane/dll.conf"), "test\n");
        writeBytes(path("sane/test.conf"), "number_of_devices 1\ntest-picture \"Color pattern\"\nbr_x 30.0\nbr_y 40.0\n");
    }
    ToolResult scan(const QStringList& options)
    {
        return lumoraBatch(QStringList{"scan", "--device", "test:0", "--resolution", "50", "--dest", path("out")} + options);
    }
    ScopedEnvironment config{"SANE_CONFIG_DIR", path("sane").toUtf8()};
};

TEST_F(ScanFolder, FeederPagesGoIntoOneGrowingFileOrNumberedFiles)
{
    struct Case {
        QStringList options;
        QStringList files;  // what the run leaves in out/
        QStringList oracle;  // a program and its arguments (files in out/)
        QString pattern;     // what it says once per page
        int times;
    };
    const QStringList fromFeeder{"--source", "adf", "--pages", "3"};
    const Case cases[] = {
        {fromFeeder + QStringList{"--multipage", "pdf"}, {"Twain.pdf"}, {"pdfinfo", "Twain.pdf"}, "Pages: +3\n", 1},
        {fromFeeder + QStringList{"--mode", "lineart", "--multipage", "tif", "--name", "Doc"}, {"Doc.tif"},
         {"tiffinfo", "Doc.tif"}, "Compression Scheme: CCITT Group 4\n", 3},
        {fromFeeder + QStringList{"--mode", "gray", "--format", "gif"}, {"Twain1.gif", "Twain2.gif", "Twain3.gif"},
         {"identify", "-format", "%m %wx%h;", "Twain1.gif", "Twain2.gif", "Twain3.gif"}, "GIF 59x78;", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        QDir(path("out")).removeRecursively();
        const ToolResult r = scan(c.options);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(QDir(path("out")).entryList(QDir::Files), c.files);
        QStringList arguments;
        for (const QString& a : c.oracle.mid(1))
            arguments << (a.endsWith(".pdf") || a.endsWith(".tif") || a.endsWith(".gif") ? path("out/" + a) : a);
        const ToolResult said = runTool(c.oracle.front(), arguments);
        EXPECT_EQ(said.out.count(QRegularExpression(c.pattern)), c.times) << said.out.toStdString();
    }
}

TEST_F(ScanFolder, ASecondAcquisitionCountsFromOneAgainAndReplacesItsFiles)
{
    ASSERT_EQ(scan({"--source", "adf", "--pages", "3", "--format", "gif"}).exitCode, 0);
    const QByteArray third = readBytes(path("out/Twain3.gif"));
    const ToolResult again = scan({"--source", "adf", "--pages", "2", "--mode", "lineart", "--format", "gif"});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, path("out/Twain1.gif") + "\n" + path("out/Twain2.gif") + "\n");
    EXPECT_EQ(identify(path("out/Twain1.gif"), "%k"), "2");  // the line-art page replaced the colour one
    EXPECT_EQ(readBytes(path("out/Twain3.gif")), third);
}

TEST_F(ScanFolder, WithoutAScannerNothingIsWrittenAndTheReasonIsOneLine)
{
    writeBytes(path("sane/dll.conf"), "");
    EXPECT_EQ(lumoraBatch({"scan", "--list"}).out, "");
    expectFailure(lumoraBatch({"scan", "--dest", path("out")}), "No scanner");
    EXPECT_FALSE(QDir(path("out")).exists());
}

}  // namespace
