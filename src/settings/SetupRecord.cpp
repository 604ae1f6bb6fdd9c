#include "settings/SetupRecord.h"

namespace lumora {
namespace {

// OLE system colour references, stored as the bit pattern of a signed Long.
constexpr std::int32_t systemColor(std::uint32_t ole) { return static_cast<std::int32_t>(ole); }
constexpr std::int32_t HighlightText = systemColor(0x8000000Eu);
constexpr std::int32_t WindowText = systemColor(0x80000008u);
constexpr std::int32_t CaptionText = systemColor(0x80000009u);

// Window sizes are kept in twips; Lumora counts 15 twips to the pixel on every screen.
constexpr std::int32_t TwipsPerPixel = 15;

QString withoutTrailingSlash(QString folder)
{
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

QString withTrailingSlash(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

}  // namespace

void setDefaults(SetupRecord& r, const QString& programFolder)
{
    const QString folder = withoutTrailingSlash(programFolder);

    r.outputFormat = {};
    r.outputFormat.lastFormat = 2;
    r.outputFormat.gifCompression = 1;
    r.outputFormat.gifTransparentColor = HighlightText;
    r.outputFormat.pngTransparentColor = HighlightText;
    r.outputFormat.jpegQuality = 80;
    r.outputFormat.dialogWidth = 9500;
    r.outputFormat.dialogHeight = 6000;

    r.naming = {};
    r.naming.jpegQuality = 80;
    r.naming.separator1 = QStringLiteral("_");
    r.naming.separator2 = QStringLiteral("_");
    r.naming.genericName = QStringLiteral("Sample");
    r.naming.counterStart = QStringLiteral("[Starting 1]");
    r.naming.destinationFolder = folder;
    r.naming.overwrite = 1;
    r.naming.processTaskBasket = 1;

    r.toolTips.show = 1;

    r.windowSize.width = 640 * TwipsPerPixel;
    r.windowSize.height = 480 * TwipsPerPixel;
    r.windowSize.reserved = 0;

    r.paneSplits = {70, 30, 50, 50};

    r.lastFolder.path = folder;

    r.previewMode.zoom = 0;
    r.previewMode.selection = 1;

    r.folderView = {};
    r.folderView.columnWidths.fill(100);
    r.folderView.fullRowSelect = SetupRecord::False;
    r.folderView.thumbnailWidth = 40;
    r.folderView.thumbnailHeight = 40;

    r.basketView = {};
    r.basketView.columnWidths.fill(100);
    r.basketView.fullRowSelect = SetupRecord::False;
    r.basketView.thumbnailWidth = 40;
    r.basketView.thumbnailHeight = 40;
    r.basketView.rememberedFolder = folder;

    r.metadataColumns = {100, 200, 100, 200};

    r.twain = {};
    r.twain.genericName = QStringLiteral("Twain");
    r.twain.folder = withTrailingSlash(folder) + QStringLiteral("Acquired/");

    SetupRecord::TaskDefaults& t = r.taskDefaults;
    t = {};
    t.field2 = 1;
    t.field4 = 50;
    t.field5 = HighlightText;
    t.field6 = 10;
    t.field7 = 10;
    t.field8 = 10;
    t.field9 = 10;
    t.field12 = HighlightText;
    t.field13 = 50;
    t.field14 = 1;
    t.field15 = 1;
    t.field16 = 1;
    t.field17 = 50;
    t.field18 = 1;
    t.field19 = 1;
    t.field20 = 1;
    t.field21 = 1;
    t.field22 = 1;
    t.field23 = 1;
    t.textText = QStringLiteral("Sample");
    t.textTransparent = 1;
    t.textBackColor = HighlightText;
    t.textFontSize = 14;
    t.textColor = WindowText;
    t.watermarkTransparent = 1;
    t.watermarkTransparentColor = CaptionText;
    t.watermarkTransparency = 50;
    t.frameSize = 20;
    t.frameColor = HighlightText;
    t.field49 = 1;
    t.field51 = 1;

    r.screensaver = {1, 80};
    r.slideShow = {0, 3, 1, 80};

    r.capture.mode = 0;
    r.capture.genericName = QStringLiteral("Captured");
    r.capture.folder = withTrailingSlash(folder) + QStringLiteral("Captured");

    r.greeting = {1, 80};

    SetupRecord::Album& a = r.album;
    a = {};
    a.thumbnailWidth = 150;
    a.thumbnailHeight = 150;
    a.resample = 1;
    a.borderSize = 1;
    a.picturesPerRow = 5;
    a.showFileName = 1;
    a.showImageResolution = 1;
    a.albumBackground = HighlightText;
    a.containerBackground = HighlightText;
    a.tableBorderSize = 1;
    a.fontName = QStringLiteral("Arial");
    a.fontSize = 2;
    a.title = QStringLiteral("My Album");
    a.folder = folder;
    a.jpegQuality = 75;
    a.processTaskBasket = 1;

    r.print = {};
    r.print.optionA = -1;
    r.print.optionF = 1;
    r.print.optionG = 100.0;
}

SetupRecord defaultSetup(const QString& programFolder)
{
    SetupRecord record;
    setDefaults(record, programFolder);
    return record;
}

}  // namespace lumora
