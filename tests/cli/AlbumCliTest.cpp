// lumora-batch album: the settings file's Album block with the command line over it; pages read
// back, pictures judged by ImageMagick.

#include "cli/LumoraBatch.h"
#include "engine/ImageBox.h"
#include "settings/SetupFile.h"
#include "support/TestImages.h"

#include <QDir>

namespace lumora::test {
namespace {

class AlbumCli : public BatchFolderTest {
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkdir("art");
        for (const char* name : {"first", "next", "last", "previous", "home", "violet_bg", "blue_cell"})
            writeBytes(path(QString("art/%1.gif").arg(name)), "GIF89a");
    }
    // A 40 x 30 JPEG whose EXIF Make is `make`.
    QString photo(const QString& name, const QString& make)
    {
        ImageBox engine;
        engine.SetBitmapHandle(gradientPicture(40, 30));
        engine.SetExifAttribute("Make", make);
        engine.SaveToFile(path(name));
        return path(name);
    }
    ToolResult album(const QStringList& arguments)
    {
        return lumoraBatch(QStringList{"album", "--dest", path("out"), "--art", path("art")} + arguments);
    }
};

TEST_F(AlbumCli, SettingsTitleTasksMetadataAndDescriptions)
{
    SetupRecord record = defaultSetup(dir.path());
    record.album.title = "Settings title";
    record.album.picturesPerRow = 1;
    ASSERT_TRUE(subSaveSetup(record, path("lumora")));
    const ToolResult r = album({"--settings", path("lumora"), "--title", "Trip", "--tasks",
                                writeTasks(taskRecord("\"3\",\"resize\",\"True\",\"80\",\"60\"")), "--metadata",
                                "EXIF - Model", "--metadata", "EXIF - Make", "--description", "b.jpg=Low <tide>",
                                photo("a.jpg", "Acme"), photo("b.jpg", "Zeta")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, path("out/index.htm") + "\n");
    const QByteArray index = readBytes(path("out/index.htm"));
    EXPECT_EQ(index.count("</tr>\r\n<tr>"), 2);  // one thumbnail per row
    EXPECT_TRUE(index.contains("<b>a</b><br>80 x 60") && index.contains("href=\"Trip_b.html\""));
    const QByteArray page = readBytes(path("out/Trip_b.html"));
    EXPECT_TRUE(page.contains("'Arial'>Low &lt;tide&gt;</font>"));
    EXPECT_TRUE(page.contains("<b>Make</b> - Zeta</font>"));
    EXPECT_EQ(identify(path("out/MyImages_Trip/b.jpg")), "80x60");
    EXPECT_EQ(identify(path("out/MyImages_Trip/b_thumb.jpg")), "150x150");
}

TEST_F(AlbumCli, UnreadablePhotoIsReportedAndKeepsItsPage)
{
    writeBytes(path("broken.jpg"), "not a picture");
    const ToolResult r = album({path("broken.jpg"), photo("a.jpg", "Acme")});
    expectFailure(r, "broken.jpg");
    EXPECT_TRUE(QFile::exists(path("out/My Album_broken.html")));
    EXPECT_TRUE(QFile::exists(path("out/MyImages_My Album/a_thumb.jpg")));
}

TEST_F(AlbumCli, WrongCommandLinesWriteNothing)
{
    const QString a = photo("a.jpg", "Acme");
    for (const QStringList& arguments : {QStringList{"--metadata", "EXIF - Lens", a},
                                         QStringList{"--description", "c.jpg=text", a},
                                         QStringList{}}) {
        EXPECT_EQ(album(arguments).exitCode, 2) << arguments.join(' ').toStdString();
    }
    EXPECT_EQ(lumoraBatch({"album", a}).exitCode, 2);  // no --dest
    EXPECT_FALSE(QFile::exists(path("out")));
}

}  // namespace
}  // namespace lumora::test
