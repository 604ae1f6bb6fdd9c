#include "album/AlbumGenerator.h"
#include "album/HtmlColor.h"
#include "engine/ImageBox.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"
#include "support/TestImages.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

const QStringList kArt{"first.gif",    "next.gif",     "last.gif",      "previous.gif",  "home.gif",
                       "violet_bg.gif", "red_bg.gif",  "green_bg.gif",  "grey_bg.gif",   "yellow_bg.gif",
                       "blue_cell.gif", "red_cell.gif", "green_cell.gif", "black_cell.gif", "orange_cell.gif"};

// What one index cell and page show: the name, its form in URLs, the size in the caption and
// whether a thumbnail was written.
struct Shown {
    QString name;
    QString url;
    int width = 40;
    int height = 30;
    bool thumbnail = true;
};

// The album's pages as the album's layout describes them, line by line, for title "T", font
// Arial size 3, black font, links and borders.
class ExpectedAlbum {
public:
    ExpectedAlbum(QString body, QString cellOpen, int perRow) : body_(body), cellOpen_(cellOpen), perRow_(perRow) {}

    QByteArray index(const QList<Shown>& shown) const
    {
        QStringList lines = head("T: Web Album");
        lines << "<div align=\"center\"><center>"
              << "<p align=center><font size=5 face= 'Arial' color=#000000><b>T</b></font></p>"
              << "<table border= 1 cellpadding=\"4\" cellspacing=\"4\" bordercolor=#000000 > " << "<tr>";
        for (int i = 0; i < shown.size(); ++i) {
            const Shown& s = shown[i];
            lines << cellOpen_ + "<a href=\"T_" + s.url + ".html\"><img border=1 src=\"MyImages_T/" +
                         (s.thumbnail ? s.url + "_thumb.jpg" : "") + "\"></a><br><br>" + caption(s) + "<br></td>";
            if ((i + 1) % perRow_ == 0)
                lines << "</tr>" << "<tr>" << "";
        }
        lines << "" << "</tr>" << "</table>" << "</center></div>" << "</body>" << "</html>" << "";
        return lines.join("\r\n").toUtf8();
    }

    QByteArray page(const QList<Shown>& shown, int i, const QStringList& extraRows = {}) const
    {
        const auto nav = [&](int target, const char* button) {
            const QString href = target < 0 ? "index.htm" : "T_" + shown[target].url + ".html";
            return "<a href='" + href + "'><img border=0 src='MyImages_T/" + button + ".gif'> </a>";
        };
        const bool before = i > 0, after = i + 1 < shown.size();
        const QString font = "<b><font face='Arial' color=#000000 size=4>";
        QStringList lines = head("T");
        lines << "<div align=\"center\"><center>" << "<table border=0>" << "<tr><td align=center>"
              << "<img border=1 src='MyImages_T/" + shown[i].url + ".jpg'>"
              << "<p align=center>" + caption(shown[i]) + "</p></td></tr></table></center></div>"
              << "<div align=center><center><table border=0 width=50% height=25>"
              << "<tr><td width=20% height=19 align=right>" + font + (before ? nav(0, "first") : "") +
                     "</b></font></td></center>"
              << "<td width=20% height=19 align=left>" + font + (before ? nav(i - 1, "previous") : "") +
                     "</b></font></td>"
              << "<td width=20% height=19 align=center>" + font + nav(-1, "home") + "</b></font></td>"
              << "<td width=20% height=19 align=right>" + font + (after ? nav(i + 1, "next") : "") + "</b></font></td>"
              << "<td width=20% height=19 align=left>" + font + (after ? nav(int(shown.size()) - 1, "last") : "") +
                     "</b></font></td></tr></table></font></b></div>"
              << "<p align=center>&nbsp;</p><div align=center><center><table border=0 width=80%><tr>"
              << "<td width=100%><div align=center><center><table border=0 width=95% bordercolor=#000000>"
              << "<tr><td width=100%><b><font size=4 color=#000000 face='Arial'>Picture Description:</font></b></td></tr>"
              << extraRows << "</table></center></div></td></tr></table></center></div></font>" << "</body></html>" << "";
        return lines.join("\r\n").toUtf8();
    }

private:
    QStringList head(const QString& title) const
    {
        const char* comment = title == "T" ? "plugin" : "Plugin";
        return {QString("<!-- Album Generated with Lumora WebAlbum %1 -->").arg(comment), "", "<html>", "", "<head>",
                "<meta http-equiv=\"Content-Type\"", "content=\"text/html; charset=utf-8\">",
                "<title>" + title + "</title>", "</head>", "", body_};
    }
    static QString caption(const Shown& s)
    {
        return QString("<font face= 'Arial' size=3 color=#000000><b>%1</b><br>%2 x %3</font>")
            .arg(s.name)
            .arg(s.width)
            .arg(s.height);
    }

    QString body_, cellOpen_;
    int perRow_;
};

class AlbumGenerator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        QDir(dir_.path()).mkdir("art");
        for (const QString& name : kArt)
            writeBytes(path("art/" + name), "GIF89a " + name.toLatin1());
        job_.settings = defaultSetup(dir_.path()).album;
        job_.settings.title = "T";
        job_.settings.folder = path("album");
        job_.settings.thumbnailWidth = 50;
        job_.settings.thumbnailHeight = 60;
        job_.artFolder = path("art");
    }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString out(const QString& name) const { return path("album/" + name); }
    // A 40 x 30 JPEG with these EXIF and IPTC values.
    QString photo(const QString& name, const QString& make = {}, const QString& caption = {})
    {
        ImageBox engine;
        engine.SetBitmapHandle(gradientPicture(40, 30));
        if (!make.isEmpty())
            engine.SetExifAttribute("Make", make);
        if (!caption.isEmpty())
            engine.SetIptcText(IptcField::Caption, caption);
        engine.SaveToFile(path(name));
        return path(name);
    }
    // The decorations written, each checked to be a byte copy.
    QStringList artWritten() const
    {
        QStringList written;
        for (const QString& name : kArt)
            if (QFile::exists(out("MyImages_T/" + name))) {
                EXPECT_EQ(readBytes(out("MyImages_T/" + name)), readBytes(path("art/" + name)));
                written << name;
            }
        return written;
    }

    QTemporaryDir dir_;
    AlbumJob job_;
    ReportCapture reports_;
};

}  // namespace

TEST(AlbumColours, LowBytesAsRedGreenBlueSystemColoursUnresolved)
{
    EXPECT_EQ(fncHtmlColor(255), "#FF0000");
    EXPECT_EQ(fncHtmlColor(789516), "#0C0C0C");
    EXPECT_EQ(fncHtmlColor(static_cast<std::int32_t>(0x8000000Eu)), "#0E0000");
}

TEST_F(AlbumGenerator, OneEntryPlainPageNoCellBackground)
{
    job_.settings.pageStyle = 1;
    job_.settings.albumBackground = 789516;
    job_.settings.containerBackgroundChoice = 1;
    job_.metadata = QStringList{"IPTC - Caption"};  // the photo has no IPTC: no metadata rows
    job_.entries = {{"a", photo("a.jpg"), "  "}};
    const AlbumResult result = fncGenerateAlbum(job_);

    EXPECT_EQ(result.outcome, AlbumOutcome::Completed);
    EXPECT_EQ(result.indexPath, out("index.htm"));
    const ExpectedAlbum expected("<body  link=#000000 bgcolor=#0C0C0C>", "<td align=\"center\" valign=\"bottom\" > ", 5);
    const QList<Shown> shown{{"a", "a"}};
    EXPECT_EQ(readBytes(out("index.htm")), expected.index(shown));
    EXPECT_EQ(readBytes(out("T_a.html")), expected.page(shown, 0));
    EXPECT_EQ(artWritten(), kArt.mid(0, 5));
    EXPECT_EQ(identify(out("MyImages_T/a.jpg")), "40x30");
    EXPECT_EQ(identify(out("MyImages_T/a_thumb.jpg")), "50x60");  // exactly the thumbnail size
    EXPECT_TRUE(reports_.reports().empty());
}

TEST_F(AlbumGenerator, SixEntriesThreePerRowOneUnreadable)
{
    job_.settings.picturesPerRow = 3;
    const QString bmp = writePng(gradientPicture(20, 10), path("e.png"));
    writeBytes(path("d.jpg"), "not a picture");
    job_.entries = {{"a", photo("a.jpg"), {}}, {"b c", photo("b c.jpg"), {}}, {"c", photo("c.jpg"), {}},
                    {"d", path("d.jpg"), {}},  {"e", bmp, {}},                {"f", photo("f.jpg"), {}}};
    EXPECT_EQ(fncGenerateAlbum(job_).outcome, AlbumOutcome::Completed);

    const ExpectedAlbum expected("<body background='MyImages_T/violet_bg.gif' link=#000000 bgcolor=#0E0000>",
                                 "<td align=\"center\" valign=\"bottom\"background='MyImages_T/blue_cell.gif' > ", 3);
    // The unreadable entry keeps its cell and page, with the size of the entry before it.
    const QList<Shown> shown{{"a", "a"}, {"b c", "b%20c"}, {"c", "c"}, {"d", "d", 40, 30, false},
                             {"e", "e", 20, 10},          {"f", "f"}};
    EXPECT_EQ(readBytes(out("index.htm")), expected.index(shown));
    for (int i = 0; i < shown.size(); ++i)
        EXPECT_EQ(readBytes(out("T_" + shown[i].name + ".html")), expected.page(shown, i)) << i;
    EXPECT_EQ(artWritten(), QStringList(kArt.mid(0, 5)) << "violet_bg.gif" << "blue_cell.gif");
    EXPECT_EQ(identify(out("MyImages_T/e_thumb.jpg")), "50x60");
    ASSERT_EQ(reports_.reports().size(), 1u);
    EXPECT_EQ(reports_.reports()[0].routine, "Album.fncGenerateJPGsForAlbum");
}

TEST_F(AlbumGenerator, EmptyBasketWritesAnEmptyTable)
{
    job_.settings.pageImage = 1;
    EXPECT_EQ(fncGenerateAlbum(job_).outcome, AlbumOutcome::Completed);
    const ExpectedAlbum expected("<body background='MyImages_T/red_bg.gif' link=#000000 bgcolor=#0E0000>", "", 5);
    EXPECT_EQ(readBytes(out("index.htm")), expected.index({}));
    EXPECT_EQ(QDir(out("")).entryList(QDir::Files), QStringList{"index.htm"});
}

TEST_F(AlbumGenerator, MetadataRowsInBasketOrderEscaped)
{
    job_.settings.pageStyle = 1;
    job_.metadata = QStringList{"IPTC - Caption", "EXIF - Model", "EXIF - Make"};
    job_.entries = {{"a", photo("a.jpg", "<script>alert(1)</script>", "\"Sun\" & 'sea'"), "a <b>bold</b> & more "}};
    fncGenerateAlbum(job_);

    const QString rows = "<font size=2 color=#000000 face='Arial'>";
    const QStringList extra{
        "<tr><td width=100%><p align=justify>" + rows + "a &lt;b&gt;bold&lt;/b&gt; &amp; more </font></td></tr>",
        "<tr><td width=100%><p align=left><font size=3 color=#000000 face='Arial'><br><b>IPTC Metadata</font></td></tr>",
        "<tr><td width=100%><p align=left>" + rows + "<b>Caption</b> - &quot;Sun&quot; &amp; &#39;sea&#39;</font></td></tr>",
        "<tr><td width=100%><p align=left><font size=3 color=#000000 face='Arial'><br><b>EXIF Metadata</b></font></td></tr>",
        "<tr><td width=100%><p align=left>" + rows + "<b>Make</b> - &lt;script&gt;alert(1)&lt;/script&gt;</font></td></tr>"};
    const ExpectedAlbum expected("<body  link=#000000 bgcolor=#0E0000>", "", 5);
    EXPECT_EQ(readBytes(out("T_a.html")), expected.page({{"a", "a"}}, 0, extra));
}

TEST_F(AlbumGenerator, StopFinishesThePageInProgressAndIndexesThePagesDone)
{
    job_.entries = {{"a", photo("a.jpg"), {}}, {"b", photo("b.jpg"), {}}, {"c", photo("c.jpg"), {}}};
    std::stop_source stop;
    const AlbumResult result = fncGenerateAlbum(
        job_, [&](const QString&, int done, int) { if (done == 1) stop.request_stop(); }, stop.get_token());
    EXPECT_EQ(result.outcome, AlbumOutcome::Stopped);
    EXPECT_EQ(result.pagesWritten, 1);
    EXPECT_TRUE(QFile::exists(out("T_a.html")));
    EXPECT_FALSE(QFile::exists(out("T_b.html")));
    const QByteArray index = readBytes(out("index.htm"));
    EXPECT_TRUE(index.contains("T_a.html") && !index.contains("T_b.html"));
}
