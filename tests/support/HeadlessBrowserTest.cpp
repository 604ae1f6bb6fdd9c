#include "support/HeadlessBrowser.h"
#include "support/Oracles.h"
#include "support/ScopedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

// The album generator copies these byte for byte out of ":/album/", so each must be there as a
// GIF89a of the size the pages are laid out for.
TEST(AlbumDecorations, AreBuiltInAsGif89aOfTheirSizes)
{
    const QStringList buttons{"first", "previous", "home", "next", "last"};
    const QStringList pages{"violet_bg", "red_bg", "green_bg", "grey_bg", "yellow_bg"};
    const QStringList cells{"blue_cell", "red_cell", "green_cell", "black_cell", "orange_cell"};
    const QList<QPair<QStringList, QString>> families{{buttons, "40x40"}, {pages, "1x3000"}, {cells, "1x300"}};
    QTemporaryDir dir;
    for (const auto& [names, size] : families)
        for (const QString& name : names) {
            const QString copy = dir.filePath(name + ".gif");
            ASSERT_TRUE(QFile::copy(":/album/" + name + ".gif", copy)) << name.toStdString();
            QFile file(copy);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.read(6), "GIF89a") << name.toStdString();
            EXPECT_EQ(identify(copy), size) << name.toStdString();
        }
}

TEST(HeadlessBrowser, ReportsImagesThatFailAndLinksToMissingFilesAndRendersThePage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("pics"));
    ASSERT_TRUE(QFile::copy(":/album/home.gif", dir.filePath("pics/home.gif")));
    const QString page = dir.filePath("index.htm");
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // A back-slashed path as the album writes it, a missing picture, and one link of each kind.
    file.write("<html><body><img src='pics\\home.gif'><img src='pics\\gone.gif'>"
               "<a href='index.htm'>here</a> <a href='pics/away.html'>away</a> <a href='http://example.com/'>web</a>"
               "</body></html>");
    file.close();

    const PageCheck check = HeadlessBrowser::check(page);
    ASSERT_TRUE(check.error.isEmpty()) << check.error.toStdString();
    EXPECT_EQ(check.imageCount, 2);
    EXPECT_EQ(check.linkCount, 3);
    EXPECT_EQ(check.brokenImages, QStringList{"pics\\gone.gif"});
    EXPECT_EQ(check.brokenLinks, QStringList{"pics/away.html"});

    const QString shot = HeadlessBrowser::screenshot(page, dir.filePath("shot.png"), {320, 200});
    ASSERT_TRUE(shot.isEmpty()) << shot.toStdString();
    EXPECT_EQ(identify(dir.filePath("shot.png")), "320x200");

    // No browser is a failure that says so, never a page without faults.
    const ScopedEnvironment noBrowser("LUMORA_CHROMIUM", "/nonexistent/chromium");
    const PageCheck without = HeadlessBrowser::check(page);
    EXPECT_FALSE(without.allLoaded());
    EXPECT_TRUE(without.error.contains("/nonexistent/chromium")) << without.error.toStdString();
}

}  // namespace
}  // namespace lumora::test
