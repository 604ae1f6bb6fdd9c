#include "album/AlbumPages.h"

#include "album/HtmlColor.h"
#include "album/HtmlText.h"

#include <array>

namespace lumora {
namespace {

const QString CRLF = QStringLiteral("\r\n");

// The decorations behind the album window's two image choices, by index.
constexpr std::array<const char*, 5> kPageImages{"violet_bg.gif", "red_bg.gif", "green_bg.gif", "grey_bg.gif",
                                                 "yellow_bg.gif"};
constexpr std::array<const char*, 5> kCellImages{"blue_cell.gif", "red_cell.gif", "green_cell.gif",
                                                 "black_cell.gif", "orange_cell.gif"};

QString choice(const std::array<const char*, 5>& names, int index)
{
    return QString::fromLatin1(names.at(index >= 0 && index < 5 ? static_cast<size_t>(index) : 0));
}

// The head both page kinds share, after their first comment line.
QString head(const QString& title)
{
    return CRLF + CRLF + QStringLiteral("<html>") + CRLF + CRLF + QStringLiteral("<head>") + CRLF +
           QStringLiteral("<meta http-equiv=\"Content-Type\"") + CRLF +
           QStringLiteral("content=\"text/html; charset=utf-8\">") + CRLF + QStringLiteral("<title>") + title +
           QStringLiteral("</title>") + CRLF + QStringLiteral("</head>") + CRLF;
}

}  // namespace

AlbumPages::AlbumPages(const SetupRecord::Album& settings)
    : settings_(settings),
      title_(htmlEscaped(settings.title)),
      font_(htmlEscaped(settings.fontName)),
      // The size list offers "1" to "5"; the setting is its index.
      fontSize_(QString::number(settings.fontSize >= 0 && settings.fontSize < 5 ? settings.fontSize + 1 : 3)),
      subfolder_(QStringLiteral("MyImages_") + settings.title),
      subfolderUrl_(urlPart(subfolder_)),
      pageImage_(settings.pageStyle == 0 ? choice(kPageImages, settings.pageImage) : QString()),
      cellImage_(settings.containerBackgroundChoice == 0 ? choice(kCellImages, settings.containerImageChoice)
                                                         : QString()),
      fontColour_(fncHtmlColor(settings.fontColor)),
      metaColour_(fncHtmlColor(settings.metadataFontColor)),
      cellBorderColour_(fncHtmlColor(settings.cellBorderColor))
{
}

QString AlbumPages::pageFileName(const QString& name) const
{
    return settings_.title + u'_' + name + QStringLiteral(".html");
}

QString AlbumPages::bodyTag() const
{
    const QString background = pageImage_.isEmpty()
                                   ? QString()
                                   : QStringLiteral("background='") + subfolderUrl_ + u'/' + pageImage_ + u'\'';
    return QStringLiteral("<body ") + background + QStringLiteral(" link=") + fncHtmlColor(settings_.borderColor) +
           QStringLiteral(" bgcolor=") + fncHtmlColor(settings_.albumBackground) + u'>';
}

QString AlbumPages::indexHead() const
{
    return QStringLiteral("<!-- Album Generated with Lumora WebAlbum Plugin -->") +
           head(title_ + QStringLiteral(": Web Album")) + CRLF + bodyTag() + CRLF +
           QStringLiteral("<div align=\"center\"><center>") + CRLF + QStringLiteral("<p align=center><font size=5 face= '") +
           font_ + QStringLiteral("' color=") + fontColour_ + QStringLiteral("><b>") + title_ +
           QStringLiteral("</b></font></p>") + CRLF + QStringLiteral("<table border= ") +
           QString::number(settings_.tableBorderSize) + QStringLiteral(" cellpadding=\"4\" cellspacing=\"4\"") +
           QStringLiteral(" bordercolor=") + cellBorderColour_ + QStringLiteral(" > ") + CRLF + QStringLiteral("<tr>") +
           CRLF;
}

QString AlbumPages::caption(const QString& name, int width, int height) const
{
    return QStringLiteral("<font face= '") + font_ + QStringLiteral("' size=") + fontSize_ + QStringLiteral(" color=") +
           fontColour_ + QStringLiteral("><b>") + (settings_.showFileName != 0 ? htmlEscaped(name) : QString()) +
           QStringLiteral("</b><br>") +
           (settings_.showImageResolution != 0 ? QStringLiteral("%1 x %2").arg(width).arg(height) : QString()) +
           QStringLiteral("</font>");
}

QString AlbumPages::indexCell(const QString& name, const QString& thumbName, int width, int height, bool rowBreak) const
{
    // The cell's background follows the valign attribute without a blank; a colour brings its own.
    QString background;
    if (!cellImage_.isEmpty())
        background = QStringLiteral("background='") + subfolderUrl_ + u'/' + cellImage_ + u'\'';
    else if (settings_.containerBackgroundChoice == 2)
        background = QStringLiteral(" bgcolor=") + fncHtmlColor(settings_.containerBackground);
    return QStringLiteral("<td align=\"center\" valign=\"bottom\"") + background + QStringLiteral(" > ") +
           QStringLiteral("<a href=\"") + urlPart(pageFileName(name)) + QStringLiteral("\"><img border=") +
           QString::number(settings_.borderSize) + QStringLiteral(" src=\"") + subfolderUrl_ + u'/' + urlPart(thumbName) +
           QStringLiteral("\"></a><br><br>") + caption(name, width, height) + QStringLiteral("<br></td>") +
           (rowBreak ? CRLF + QStringLiteral("</tr>") + CRLF + QStringLiteral("<tr>") + CRLF : QString()) + CRLF;
}

QString AlbumPages::indexEnd()
{
    return CRLF + QStringLiteral("</tr>") + CRLF + QStringLiteral("</table>") + CRLF + QStringLiteral("</center></div>") +
           CRLF + QStringLiteral("</body>") + CRLF + QStringLiteral("</html>");
}

QString AlbumPages::navigationLink(const QString& target, const QString& button) const
{
    // The blank after each button image is part of the pages' look.
    return QStringLiteral("<a href='") + target + QStringLiteral("'><img border=0 src='") + subfolderUrl_ + u'/' + button +
           QStringLiteral(".gif'> </a>");
}

QString AlbumPages::imagePage(const QStringList& names, int index, int width, int height, const QString& description,
                              const QList<AlbumMetadataRow>& metadata) const
{
    const QString& name = names.at(index);
    const auto pageOf = [&](int i) { return urlPart(pageFileName(names.at(i))); };
    const bool hasBefore = index >= 1;
    const bool hasAfter = index < names.size() - 1;
    const QString first = hasBefore ? navigationLink(pageOf(0), QStringLiteral("first")) : QString();
    const QString previous = hasBefore ? navigationLink(pageOf(index - 1), QStringLiteral("previous")) : QString();
    const QString home = navigationLink(QStringLiteral("index.htm"), QStringLiteral("home"));
    const QString next = hasAfter ? navigationLink(pageOf(index + 1), QStringLiteral("next")) : QString();
    const QString last = hasAfter ? navigationLink(pageOf(static_cast<int>(names.size()) - 1), QStringLiteral("last"))
                                  : QString();
    const QString cellFont = QStringLiteral("<b><font face='") + font_ + QStringLiteral("' color=") + fontColour_ +
                             QStringLiteral(" size=4>");

    QString page = QStringLiteral("<!-- Album Generated with Lumora WebAlbum plugin -->") + head(title_) + CRLF +
                   bodyTag() + CRLF + QStringLiteral("<div align=\"center\"><center>") + CRLF +
                   QStringLiteral("<table border=0>") + CRLF + QStringLiteral("<tr><td align=center>") + CRLF +
                   QStringLiteral("<img border=") + QString::number(settings_.borderSize) + QStringLiteral(" src='") +
                   subfolderUrl_ + u'/' + urlPart(name + QStringLiteral(".jpg")) + QStringLiteral("'>") + CRLF +
                   QStringLiteral("<p align=center>") + caption(name, width, height) +
                   QStringLiteral("</p></td></tr></table></center></div>") + CRLF +
                   QStringLiteral("<div align=center><center><table border=0 width=50% height=25>") + CRLF +
                   QStringLiteral("<tr><td width=20% height=19 align=right>") + cellFont + first +
                   QStringLiteral("</b></font></td></center>") + CRLF +
                   QStringLiteral("<td width=20% height=19 align=left>") + cellFont + previous +
                   QStringLiteral("</b></font></td>") + CRLF + QStringLiteral("<td width=20% height=19 align=center>") +
                   cellFont + home + QStringLiteral("</b></font></td>") + CRLF +
                   QStringLiteral("<td width=20% height=19 align=right>") + cellFont + next +
                   QStringLiteral("</b></font></td>") + CRLF + QStringLiteral("<td width=20% height=19 align=left>") +
                   cellFont + last + QStringLiteral("</b></font></td></tr></table></font></b></div>") + CRLF +
                   QStringLiteral("<p align=center>&nbsp;</p><div align=center><center><table border=0 width=80%><tr>") +
                   CRLF + QStringLiteral("<td width=100%><div align=center><center><table border=0 width=95% bordercolor=") +
                   cellBorderColour_ + u'>' + CRLF + QStringLiteral("<tr><td width=100%><b><font size=4 color=") +
                   fontColour_ + QStringLiteral(" face='") + font_ +
                   QStringLiteral("'>Picture Description:</font></b></td></tr>");
    if (!description.trimmed().isEmpty())
        page += CRLF + QStringLiteral("<tr><td width=100%><p align=justify><font size=2 color=") + fontColour_ +
                QStringLiteral(" face='") + font_ + QStringLiteral("'>") + htmlEscaped(description) +
                QStringLiteral("</font></td></tr>");

    // Each kind's header comes before its first row; rows keep the basket's order.
    bool exifHeader = false;
    bool iptcHeader = false;
    const QString rowStart = QStringLiteral("<tr><td width=100%><p align=left><font size=");
    const QString rowFont = QStringLiteral(" color=") + metaColour_ + QStringLiteral(" face='") + font_ + QStringLiteral("'>");
    for (const AlbumMetadataRow& row : metadata) {
        if (row.entry.startsWith(QLatin1String("EXIF")) && !exifHeader) {
            exifHeader = true;
            page += CRLF + rowStart + u'3' + rowFont + QStringLiteral("<br><b>EXIF Metadata</b></font></td></tr>");
        } else if (row.entry.startsWith(QLatin1String("IPTC")) && !iptcHeader) {
            iptcHeader = true;
            page += CRLF + rowStart + u'3' + rowFont + QStringLiteral("<br><b>IPTC Metadata</font></td></tr>");
        }
        page += CRLF + rowStart + u'2' + rowFont + QStringLiteral("<b>") + htmlEscaped(row.entry.mid(7)) +
                QStringLiteral("</b> - ") + htmlEscaped(row.value) + QStringLiteral("</font></td></tr>");
    }
    page += CRLF + QStringLiteral("</table></center></div></td></tr></table></center></div></font>") + CRLF +
            QStringLiteral("</body></html>");
    return page;
}

}  // namespace lumora
