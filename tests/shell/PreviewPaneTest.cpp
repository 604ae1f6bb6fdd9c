#include "shell/PreviewPane.h"

#include "edit/EditSession.h"
#include "engine/ImageBox.h"
#include "metadata/MetadataList.h"
#include "shell/EngineView.h"
#include "shell/MetadataPane.h"
#include "shell/PictureImage.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"
#include "support/ScriptedDialogs.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"
#include "tasks/TaskBasket.h"
#include "tasks/TaskRecord.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>


using namespace lumora;
using namespace lumora::test;

namespace {

// ImageMagick makes the pictures, exiftool writes and reads the tags: neither side of a metadata
// check is Lumora's own code.
QString convert(const QStringList& arguments)
{
    const ToolResult made = runTool(QStringLiteral("convert"), arguments);
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    return arguments.last();
}

void exiftoolWrite(const QString& path, const QStringList& assignments)
{
    const ToolResult r = runTool(QStringLiteral("exiftool"),
                                 QStringList{QStringLiteral("-q"), QStringLiteral("-overwrite_original")} + assignments +
                                     QStringList{path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
}

QString exiftoolValue(const QString& path, const QString& tag)
{
    const ToolResult r =
        runTool(QStringLiteral("exiftool"), {QStringLiteral("-s3"), QStringLiteral("-sep"), QStringLiteral(","),
                                             QStringLiteral("-") + tag, path});
    return r.out.trimmed();
}

QString valueOfRow(const MetadataList& list, const QString& tag)
{
    const int row = list.findTag(tag);
    return row < 0 ? QStringLiteral("<no row>") : list.at(row).value;
}

class PreviewPaneTest : public ::testing::Test {
protected:
    PreviewPaneTest()
    {
        pane.resize(400, 330);
        pane.show();
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // The last text the pane gave for a status panel ("<none>" when it gave none).
    QString status(const QString& key) const
    {
        QString text = QStringLiteral("<none>");
        for (const QList<QVariant>& emitted : statusSpy)
            if (emitted.at(0).toString() == key)
                text = emitted.at(1).toString();
        return text;
    }

    // Asks for the preview of a file and waits for it: "ok" or "failed" as previewShown tells,
    // else what went wrong.
    std::string preview(const QString& file, int pages = 1, const QString& resolution = QString())
    {
        shownSpy.clear();
        if (!pane.showSelectedFile(file, pages, resolution))
            return "not started";
        if (!waitFor([&] { return !shownSpy.isEmpty(); }))
            return "timed out";
        if (shownSpy.count() != 1 || shownSpy.first().at(0).toString() != file)
            return "previewShown for another file";
        return shownSpy.first().at(1).toBool() ? "ok" : "failed";
    }

    bool settled()
    {
        return waitFor([&] { return !pane.session().isBusy(); });
    }

    QString taggedJpeg()
    {
        const QString photo = convert({QStringLiteral("-size"), QStringLiteral("64x48"), QStringLiteral("gradient:red-blue"),
                                       path(QStringLiteral("tagged.jpg"))});
        exiftoolWrite(photo, {QStringLiteral("-Make=Canon"), QStringLiteral("-Model=EOS 5D"), QStringLiteral("-Artist=Ann Lee"),
                              QStringLiteral("-ExposureTime=1/250"), QStringLiteral("-IPTC:Caption-Abstract=Harbour at dawn"),
                              QStringLiteral("-IPTC:Keywords=alpha"), QStringLiteral("-IPTC:Keywords=beta")});
        return photo;
    }

    QTemporaryDir dir;
    MetadataPane metadata;
    TaskBasket basket;
    EditSession session{basket};
    PreviewPane pane{session, metadata.exifList(), metadata.iptcList()};
    QSignalSpy statusSpy{&pane, &PreviewPane::statusText};
    QSignalSpy shownSpy{&pane, &PreviewPane::previewShown};
    ReportCapture reports;
};

TEST_F(PreviewPaneTest, JpegWithExifAndIptcFillsBothListsAsExiftoolReadsThem)
{
    const QString photo = taggedJpeg();
    ASSERT_EQ(preview(photo, 1, QStringLiteral("64 X 48 X 24")), "ok");

    EXPECT_EQ(status(QStringLiteral("metadata")), QStringLiteral("Metadata - EXIF IPTC"));
    EXPECT_EQ(status(QStringLiteral("filename")), QStringLiteral("tagged.jpg"));
    EXPECT_EQ(status(QStringLiteral("pages")), QStringLiteral("1 page(s)"));
    EXPECT_EQ(status(QStringLiteral("resolution")), QStringLiteral("     64 X 48 X 24"));

    const MetadataList& exif = metadata.exifList();
    EXPECT_EQ(valueOfRow(exif, QStringLiteral("Make")), exiftoolValue(photo, QStringLiteral("Make")));
    EXPECT_EQ(valueOfRow(exif, QStringLiteral("Model")), exiftoolValue(photo, QStringLiteral("Model")));
    EXPECT_EQ(valueOfRow(exif, QStringLiteral("Artist")), QStringLiteral("Ann Lee"));
    EXPECT_EQ(valueOfRow(exif, QStringLiteral("ExposureTime")), QStringLiteral("1/250 s"));
    EXPECT_EQ(exif.tag(), photo);

    // Every EXIF attribute exiv2 sees outside the thumbnail directory has its row.
    const ToolResult keys = runTool(QStringLiteral("exiv2"), {QStringLiteral("-q"), QStringLiteral("-Pk"), QStringLiteral("-pe"), photo});
    int expected = 0;
    for (const QString& key : keys.out.split(u'\n', Qt::SkipEmptyParts))
        if (key.startsWith(u"Exif.") && !key.startsWith(u"Exif.Thumbnail."))
            ++expected;
    EXPECT_GT(expected, 4);
    EXPECT_EQ(exif.size(), expected) << keys.out.toStdString();

    const MetadataList& iptc = metadata.iptcList();
    EXPECT_EQ(iptc.size(), 52);
    EXPECT_EQ(valueOfRow(iptc, QStringLiteral("Caption")), exiftoolValue(photo, QStringLiteral("Caption-Abstract")));
    EXPECT_EQ(valueOfRow(iptc, QStringLiteral("Keywords")), exiftoolValue(photo, QStringLiteral("Keywords")));
    EXPECT_EQ(valueOfRow(iptc, QStringLiteral("Keywords")), QStringLiteral("alpha,beta"));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, MetadataStatusNamesOnlyTheKindsTheFileCarries)
{
    // A PSD gives its IPTC only, even when it carries EXIF as well.
    const QString psd = convert({QStringLiteral("-size"), QStringLiteral("40x30"), QStringLiteral("xc:orange"),
                                 path(QStringLiteral("layered.psd"))});
    exiftoolWrite(psd, {QStringLiteral("-Make=Canon"), QStringLiteral("-IPTC:Caption-Abstract=From Photoshop")});
    ASSERT_EQ(exiftoolValue(psd, QStringLiteral("Make")), QStringLiteral("Canon"));
    ASSERT_EQ(preview(psd), "ok");
    EXPECT_TRUE(pane.session().shown() != nullptr);
    EXPECT_EQ(status(QStringLiteral("metadata")), QStringLiteral("Metadata -  IPTC"));
    EXPECT_TRUE(metadata.exifList().isEmpty());
    EXPECT_EQ(metadata.iptcList().size(), 52);
    EXPECT_EQ(valueOfRow(metadata.iptcList(), QStringLiteral("Caption")), QStringLiteral("From Photoshop"));

    // A GIF gives none, and the lists of the file before are gone.
    const QString gif = convert({QStringLiteral("-size"), QStringLiteral("30x20"), QStringLiteral("xc:green"),
                                 path(QStringLiteral("plain.gif"))});
    ASSERT_EQ(preview(gif), "ok");
    EXPECT_TRUE(pane.session().shown() != nullptr);
    EXPECT_EQ(status(QStringLiteral("metadata")), QStringLiteral("No metadata"));
    EXPECT_TRUE(metadata.exifList().isEmpty());
    EXPECT_TRUE(metadata.iptcList().isEmpty());

    // A JPEG with EXIF alone: its IPTC rows are listed (empty) but the file has no IPTC.
    const QString exifOnly = convert({QStringLiteral("-size"), QStringLiteral("30x20"), QStringLiteral("xc:blue"),
                                      path(QStringLiteral("photo.JPG"))});
    exiftoolWrite(exifOnly, {QStringLiteral("-Artist=Ann")});
    ASSERT_EQ(preview(exifOnly), "ok");
    EXPECT_EQ(status(QStringLiteral("metadata")), QStringLiteral("Metadata - EXIF"));
    EXPECT_EQ(valueOfRow(metadata.exifList(), QStringLiteral("Artist")), QStringLiteral("Ann"));
    EXPECT_EQ(metadata.iptcList().size(), 52);
    EXPECT_EQ(valueOfRow(metadata.iptcList(), QStringLiteral("Caption")), QString());
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, UnreadableFilesLeaveThePreviewAndTheListsEmpty)
{
    ASSERT_EQ(preview(taggedJpeg()), "ok");
    ASSERT_FALSE(metadata.exifList().isEmpty());

    for (const QString& name : {QStringLiteral("broken.jpg"), QStringLiteral("broken.png"), QStringLiteral("broken.tif")}) {
        SCOPED_TRACE(name.toStdString());
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("this is not a picture at all, only words");
        file.close();

        QSignalSpy resolutions(&pane, &PreviewPane::resolutionKnown);
        EXPECT_EQ(preview(path(name)), "failed");
        EXPECT_TRUE(pane.previewedPath().isEmpty());
        EXPECT_TRUE(pane.view()->shownImage().isNull());
        EXPECT_TRUE(metadata.exifList().isEmpty());
        EXPECT_TRUE(metadata.iptcList().isEmpty());
        EXPECT_EQ(status(QStringLiteral("metadata")), QStringLiteral("No metadata"));
        EXPECT_EQ(resolutions.count(), 0);
    }
    // An unreadable file is expected, not an error to report.
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, PagesAndResolutionOfAThreePageTiff)
{
    const QString tiff = convert({QStringLiteral("-size"), QStringLiteral("24x16"), QStringLiteral("xc:red"), QStringLiteral("xc:lime"),
                                  QStringLiteral("xc:blue"), QStringLiteral("-type"), QStringLiteral("TrueColor"),
                                  QStringLiteral("-depth"), QStringLiteral("8"), path(QStringLiteral("three.tif"))});
    ASSERT_EQ(identify(tiff, QStringLiteral("%n\n")).split(u'\n', Qt::SkipEmptyParts).first(), QStringLiteral("3"));

    // Pages not known by the list: the engine counts them; the resolution is filled in.
    QSignalSpy resolutions(&pane, &PreviewPane::resolutionKnown);
    ASSERT_EQ(preview(tiff, -1, QStringLiteral("0 X 0 X 0")), "ok");
    EXPECT_EQ(status(QStringLiteral("pages")), QStringLiteral("3 page(s)"));
    ASSERT_EQ(resolutions.count(), 1);
    EXPECT_EQ(resolutions.at(0).at(0).toString(), tiff);
    EXPECT_EQ(resolutions.at(0).at(1).toString(), QStringLiteral("24 X 16 X 24"));
    EXPECT_EQ(status(QStringLiteral("resolution")), QStringLiteral("     24 X 16 X 24"));
    // The preview shows page 1.
    EXPECT_EQ(pane.session().picture().rgbAt(5, 5), (Rgb{255, 0, 0}));

    // Pages and resolution as the list gives them.
    const QString gif = convert({QStringLiteral("-size"), QStringLiteral("5x5"), QStringLiteral("xc:red"), path(QStringLiteral("a.gif"))});
    resolutions.clear();
    ASSERT_EQ(preview(gif, 3, QStringLiteral("5 X 5 X 8")), "ok");
    EXPECT_EQ(status(QStringLiteral("pages")), QStringLiteral("3 page(s)"));
    EXPECT_EQ(status(QStringLiteral("resolution")), QStringLiteral("     5 X 5 X 8"));
    EXPECT_EQ(resolutions.count(), 0);
}

TEST_F(PreviewPaneTest, BestFitFitsTheImageIntoTheViewAndActualSizeScrollsIt)
{
    const QString wide = writePng(gradientPicture(800, 200), path(QStringLiteral("wide.png")));
    pane.setPreviewMode(PreviewPane::BestFit, PreviewPane::Original);
    ASSERT_EQ(preview(wide), "ok");

    EngineView* view = pane.view();
    // The view box follows the widget, and the session lays task previews out by it.
    EXPECT_EQ(view->viewSettings().box, view->size());
    EXPECT_EQ(pane.session().view(), view->viewSettings());
    EXPECT_TRUE(view->viewSettings().stretchToFit);
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(view->verticalScrollBar()->isVisible());
    // Width-limited: the whole width, the shape kept, centred vertically.
    const QRect fitted = view->imageRect();
    EXPECT_EQ(fitted.width(), view->width());
    EXPECT_NEAR(fitted.height(), view->width() / 4.0, 1.0);
    EXPECT_NEAR(fitted.top(), (view->height() - fitted.height()) / 2.0, 1.0);
    EXPECT_EQ(view->shownImage(), toQImage(pane.session().picture()));

    statusSpy.clear();
    pane.chooseFit(PreviewPane::ActualSize);
    EXPECT_EQ(status(QStringLiteral("status")), QStringLiteral("100%"));
    EXPECT_EQ(pane.fitMode(), int(PreviewPane::ActualSize));
    EXPECT_FALSE(view->viewSettings().stretchToFit);
    EXPECT_EQ(view->viewSize(), QSize(800, 200));
    QScrollBar* hsb = view->horizontalScrollBar();
    ASSERT_TRUE(hsb->isVisible());
    EXPECT_FALSE(view->verticalScrollBar()->isVisible());
    EXPECT_EQ(view->viewSettings().box, QSize(view->width(), view->height() - hsb->height()));
    EXPECT_EQ(pane.session().view(), view->viewSettings());
    EXPECT_EQ(hsb->maximum(), 800 - view->width());
    hsb->setValue(120);
    EXPECT_EQ(view->imageRect(), QRect(-120, (view->viewSettings().box.height() - 200) / 2, 800, 200));

    // A taller pane: still 1:1, the box grows with it.
    pane.resize(400, 600);
    EXPECT_EQ(view->viewSettings().box.height(), view->height() - hsb->height());
    EXPECT_EQ(view->imageRect().size(), QSize(800, 200));

    pane.chooseFit(PreviewPane::BestFit);
    EXPECT_FALSE(hsb->isVisible());
    EXPECT_EQ(view->imageRect().width(), view->width());

    // Never enlarged: a small image keeps its size, centred.
    const QString small = writePng(gradientPicture(40, 30), path(QStringLiteral("small.png")));
    ASSERT_EQ(preview(small), "ok");
    EXPECT_EQ(view->imageRect(), QRect((view->width() - 40) / 2, (view->height() - 30) / 2, 40, 30));
}

TEST_F(PreviewPaneTest, OptimizedShowsTheTaskBasketAppliedAndOriginalTheFileAsLoaded)
{
    basket.append(TaskRecord(TaskKind::Orientation, QStringLiteral("flip"), {QStringLiteral("0")}));
    pane.setPreviewMode(PreviewPane::BestFit, PreviewPane::Optimized);
    auto* typeButton = pane.findChild<QToolButton*>(QStringLiteral("cmdPreviewType"));
    EXPECT_EQ(typeButton->text(), QStringLiteral("    Optimized"));

    const Rgb red{255, 0, 0};
    const QString photo = writePng(markedPicture(20, 10, 2, 3, red), path(QStringLiteral("marked.png")));
    ASSERT_EQ(preview(photo), "ok");
    EXPECT_EQ(pane.view()->shownImage().pixelColor(17, 3), QColor(255, 0, 0));

    pane.chooseType(PreviewPane::Original);
    EXPECT_EQ(typeButton->text(), QStringLiteral("    Original"));
    ASSERT_TRUE(settled());
    EXPECT_EQ(pane.view()->shownImage().pixelColor(2, 3), QColor(255, 0, 0));

    // The last row the provider gives: the photo as it stands after that task.
    basket.append(TaskRecord(TaskKind::Orientation, QStringLiteral("flip"), {QStringLiteral("1")}));
    int lastRow = 0;
    pane.setLastRowProvider([&] { return lastRow; });
    pane.chooseType(PreviewPane::Optimized);
    ASSERT_TRUE(settled());
    EXPECT_EQ(findColour(pane.session().picture(), red), (Point{17, 3}));
    lastRow = -1;
    pane.reapplyTasks();
    ASSERT_TRUE(settled());
    EXPECT_EQ(pane.view()->shownImage().pixelColor(17, 6), QColor(255, 0, 0));

    // The preview type chosen while a photo is being read holds when it arrives.
    const QString second = writePng(markedPicture(20, 10, 4, 5, red), path(QStringLiteral("second.png")));
    ASSERT_TRUE(pane.showSelectedFile(second, 1, QString()));
    pane.chooseType(PreviewPane::Original);
    ASSERT_TRUE(waitFor([&] { return !shownSpy.isEmpty(); }));
    ASSERT_TRUE(settled());
    EXPECT_EQ(pane.view()->shownImage().pixelColor(4, 5), QColor(255, 0, 0));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, MenusAndCommands)
{
    QStringList items;
    for (QAction* action : pane.contextMenu()->actions())
        if (!action->isSeparator())
            items << action->text();
    EXPECT_EQ(items, (QStringList{QStringLiteral("Previous file"), QStringLiteral("Next image"), QStringLiteral("Save Preview As")}));
    QMenu* saveAs = pane.contextMenu()->findChild<QMenu*>(QStringLiteral("mnuSavePreviewAs"));
    ASSERT_NE(saveAs, nullptr);
    ASSERT_EQ(saveAs->actions().size(), 1);
    EXPECT_EQ(saveAs->actions().first()->text(), QStringLiteral("Image document"));

    QStringList fits;
    for (QAction* action : pane.fitMenu()->actions())
        fits << action->text();
    EXPECT_EQ(fits, (QStringList{QStringLiteral("Best Fit"), QStringLiteral("Actual Size")}));
    QStringList types;
    for (QAction* action : pane.typeMenu()->actions())
        types << action->text();
    EXPECT_EQ(types, (QStringList{QStringLiteral("Original"), QStringLiteral("Optimized")}));

    // The menu items drive the same choices as the code.
    pane.fitMenu()->actions().at(1)->trigger();
    EXPECT_EQ(pane.fitMode(), int(PreviewPane::ActualSize));
    EXPECT_TRUE(pane.fitMenu()->actions().at(1)->isChecked());
    EXPECT_FALSE(pane.fitMenu()->actions().at(0)->isChecked());
    pane.typeMenu()->actions().at(0)->trigger();
    EXPECT_EQ(pane.typeMode(), int(PreviewPane::Original));

    QSignalSpy previous(&pane, &PreviewPane::previousRequested);
    QSignalSpy next(&pane, &PreviewPane::nextRequested);
    pane.findChild<QToolButton*>(QStringLiteral("cmdPreviewPrevious"))->click();
    pane.contextMenu()->actions().at(1)->trigger();
    EXPECT_EQ(previous.count(), 1);
    EXPECT_EQ(next.count(), 1);
}

TEST_F(PreviewPaneTest, SavePreviewAsImageDocumentWritesTheShownImage)
{
    ScriptedDialogs dialogs;
    // Nothing to save: no dialog.
    pane.savePreviewAsDocument();
    EXPECT_TRUE(dialogs.fileDialogs().isEmpty());

    const QString photo = writePng(gradientPicture(48, 36), path(QStringLiteral("source.png")));
    ASSERT_EQ(preview(photo), "ok");

    dialogs.answerNextFileDialog({path(QStringLiteral("copy.tif")), 2});
    pane.savePreviewAsDocument();
    ASSERT_EQ(dialogs.fileDialogs().size(), 1);
    EXPECT_EQ(dialogs.fileDialogs().first().kind, ui::FileDialogRequest::Kind::SaveFile);
    EXPECT_TRUE(dialogs.fileDialogs().first().filter.contains(QStringLiteral("*.tif")));
    EXPECT_EQ(identify(path(QStringLiteral("copy.tif")), QStringLiteral("%m %wx%h")), QStringLiteral("TIFF 48x36"));

    // A name without an extension takes the chosen format's.
    dialogs.answerNextFileDialog({path(QStringLiteral("named")), 1});
    pane.savePreviewAsDocument();
    EXPECT_EQ(identify(path(QStringLiteral("named.png")), QStringLiteral("%m %wx%h")), QStringLiteral("PNG 48x36"));

    // Cancelled: nothing written.
    pane.savePreviewAsDocument();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    EXPECT_TRUE(reports.reports().empty());
}

TEST(MetadataPaneTest, ListsColumnsAndEditableIcons)
{
    MetadataPane pane;
    QTabBar* tabs = pane.tabs();
    pane.show();
    EXPECT_TRUE(pane.exifView()->isVisible());
    tabs->setCurrentIndex(1);
    EXPECT_TRUE(pane.iptcView()->isVisible());
    EXPECT_FALSE(pane.exifView()->isVisible());

    // Defaults, then a round trip of the four widths.
    EXPECT_EQ(pane.columnWidths(), (QList<int>{100, 200, 100, 200}));
    pane.setColumnWidths({120, 260, 90, 310});
    EXPECT_EQ(pane.columnWidths(), (QList<int>{120, 260, 90, 310}));
    pane.setColumnWidths({1, 2});
    EXPECT_EQ(pane.columnWidths(), (QList<int>{120, 260, 90, 310}));

    // Rows the person may edit show an icon; the others none; nothing is editable in place.
    pane.exifList().addRow({QStringLiteral("Make"), QStringLiteral("Make"), QStringLiteral("Make"), QStringLiteral("Canon"), true});
    pane.exifList().addRow({QStringLiteral("Flash"), QString(), QStringLiteral("Flash"), QStringLiteral("Flash fired"), false});
    QAbstractItemModel* model = pane.exifView()->model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral("Canon"));
    EXPECT_FALSE(model->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(model->index(1, 0).data(Qt::DecorationRole).isValid());
    EXPECT_FALSE(model->index(0, 1).data(Qt::DecorationRole).isValid());
    EXPECT_EQ(pane.exifView()->editTriggers(), QAbstractItemView::NoEditTriggers);

    pane.setListToolTips(QStringLiteral("exif tip"), QStringLiteral("iptc tip"));
    EXPECT_EQ(pane.exifView()->toolTip(), QStringLiteral("exif tip"));
    EXPECT_EQ(pane.iptcView()->toolTip(), QStringLiteral("iptc tip"));
}

}  // namespace
