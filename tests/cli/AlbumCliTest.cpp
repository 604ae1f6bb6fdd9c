// lumora-batch album: the settings file's Album block with the command line over it; pages read
// back, pictures judged by ImageMagick.

#include "cli/LumoraBatch.h"
#include "engine/ImageBox.h"
#include "settings/SetupFile.h"
#include "support/HeadlessBrowser.h"
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

TEST_F(AlbumCli, SettingsTitleTasksMetadataDescriptionsAndAnUnreadablePhoto)
{
    writeBytes(path("broken.jpg"), "not a picture");
    SetupRecord record = defaultSetup(dir.path());
    record.album.title = "Settings title";
    record.album.picturesPerRow = 1;
    ASSERT_TRUE(subSaveSetup(record, path("lumora")));
    const ToolResult r = album({"--settings", path("lumora"), "--title", "Trip", "--tasks",
                                writeTasks(taskRecord("\"3\",\"resize\",\"True\",\"80\",\"60\"")), "--metadata",
                                "EXIF - Model", "--metadata", "EXIF - Make", "--description", "b.jpg=Low <tide>",
                                photo("a.jpg", "Acme"), photo("b.jpg", "Zeta"), path("broken.jpg")});
    expectFailure(r, "broken.jpg");  // reported, and it still has its cell and page
    EXPECT_EQ(r.out, path("out/index.htm") + "\n");
    const QByteArray index = readBytes(path("out/index.htm"));
    EXPECT_EQ(index.count("</tr>\r\n<tr>"), 3);  // one thumbnail per row
    EXPECT_TRUE(QFile::exists(path("out/Trip_broken.html")));
    EXPECT_TRUE(index.contains("<b>a</b><br>80 x 60") && index.contains("href=\"Trip_b.html\""));
    const QByteArray page = readBytes(path("out/Trip_b.html"));
    EXPECT_TRUE(page.contains("'Arial'>Low &lt;tide&gt;</font>"));
    EXPECT_TRUE(page.contains("<b>Make</b> - Zeta</font>"));
    EXPECT_EQ(identify(path("out/MyImages_Trip/b.jpg")), "80x60");
    EXPECT_EQ(identify(path("out/MyImages_Trip/b_thumb.jpg")), "150x150");
}

TEST_F(AlbumCli, WrongCommandLinesSayWhatIsWrongAndWriteNothing)
{
    const QString a = photo("a.jpg", "Acme");
    const QString dest = path("out");
    const std::pair<QStringList, QString> cases[]{
        {{"--dest", dest, "--metadata", "EXIF - Lens", a}, "EXIF - Lens"},
        {{"--dest", dest, "--description", "c.jpg=text", a}, "c.jpg"},
        {{"--dest", dest}, "--basket"},
        {{a}, "--dest"},
    };
    for (const auto& [arguments, mention] : cases) {
        const ToolResult r = lumoraBatch(QStringList{"album"} + arguments);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(mention)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dest));
}

// With Lumora's own decorations the album renders in a real browser: on the index and on a
// picture's page every image loads and every link leads to a page that exists.
TEST_F(AlbumCli, TheAlbumRendersInABrowserWithEveryImageAndLink)
{
    const ToolResult r = lumoraBatch({"album", "--dest", path("web"), "--title", "Coast", "--metadata", "EXIF - Make",
                                      photo("a b.jpg", "Acme"), photo("c.jpg", "Zeta"), photo("d.jpg", "Acme")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    for (const char* page : {"web/index.htm", "web/Coast_c.html"}) {
        SCOPED_TRACE(page);
        const PageCheck check = HeadlessBrowser::check(path(page));
        ASSERT_TRUE(check.error.isEmpty()) << check.error.toStdString();
        EXPECT_GE(check.imageCount, 3);
        EXPECT_GE(check.linkCount, 3);
        EXPECT_EQ(check.brokenImages, QStringList{});
        EXPECT_EQ(check.brokenLinks, QStringList{});
    }
}

}  // namespace
}  // namespace lumora::test
