#include "shell/PreviewPane.h"

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
#include "tasks/TaskRunner.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

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
    PreviewPaneTest() : pane(metadata.exifList(), metadata.iptcList())
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
        if (!pane.isLoading())
            return "not loading";
        if (!waitFor([&] { return !shownSpy.isEmpty(); }))
            return "timed out";
        if (shownSpy.count() != 1 || shownSpy.first().at(0).toString() != file)
            return "previewShown for another file";
        if (pane.isLoading())
            return "still loading";
        return shownSpy.first().at(1).toBool() ? "ok" : "failed";
    }

    // Waits until the render asked for last is on screen.
    bool rendered()
    {
        return waitFor([&] { return !pane.isRendering(); });
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
    PreviewPane pane;
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
    EXPECT_TRUE(pane.engine().HasImage());
    EXPECT_EQ(status(QStringLiteral("metadata")), QStringLiteral("Metadata -  IPTC"));
    EXPECT_TRUE(metadata.exifList().isEmpty());
    EXPECT_EQ(metadata.iptcList().size(), 52);
    EXPECT_EQ(valueOfRow(metadata.iptcList(), QStringLiteral("Caption")), QStringLiteral("From Photoshop"));

    // A GIF gives none, and the lists of the file before are gone.
    const QString gif = convert({QStringLiteral("-size"), QStringLiteral("30x20"), QStringLiteral("xc:green"),
                                 path(QStringLiteral("plain.gif"))});
    ASSERT_EQ(preview(gif), "ok");
    EXPECT_TRUE(pane.engine().HasImage());
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

TEST_F(PreviewPaneTest, ReselectingThePreviewedFileDoesNotReadItAgain)
{
    const QString first = convert({QStringLiteral("-size"), QStringLiteral("30x20"), QStringLiteral("xc:red"),
                                   path(QStringLiteral("first.gif"))});
    const QString second = convert({QStringLiteral("-size"), QStringLiteral("10x10"), QStringLiteral("xc:blue"),
                                    path(QStringLiteral("second.png"))});
    ASSERT_EQ(preview(first), "ok");
    EXPECT_EQ(pane.previewedPath(), first);
    EXPECT_EQ(pane.engine().Tag(), first);

    // Were the file read again, its removal would empty the preview.
    ASSERT_TRUE(QFile::remove(first));
    statusSpy.clear();
    EXPECT_FALSE(pane.showSelectedFile(first, 1, QString()));
    EXPECT_EQ(statusSpy.count(), 0);
    EXPECT_TRUE(pane.engine().HasImage());
    EXPECT_EQ(pane.engine().ImageWidth(), 30);

    // Once another file was shown, the first one is read again, and now it is gone.
    ASSERT_EQ(preview(second), "ok");
    EXPECT_EQ(pane.engine().ImageWidth(), 10);
    EXPECT_EQ(preview(first), "failed");
    EXPECT_FALSE(pane.engine().HasImage());
    EXPECT_TRUE(pane.previewedPath().isEmpty());
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
        EXPECT_FALSE(pane.engine().HasImage());
        EXPECT_TRUE(pane.view()->shownImage().isNull());
        EXPECT_TRUE(pane.view()->imageRect().isEmpty());
        EXPECT_TRUE(pane.snapshot().isEmpty());
        EXPECT_TRUE(metadata.exifList().isEmpty());
        EXPECT_TRUE(metadata.iptcList().isEmpty());
        EXPECT_EQ(status(QStringLiteral("metadata")), QStringLiteral("No metadata"));
        EXPECT_EQ(resolutions.count(), 0);
    }
    // An unreadable file is expected, not an error to report.
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, OfTwoQuickRequestsOnlyTheSecondIsShown)
{
    const QString first = taggedJpeg();
    const QString second = convert({QStringLiteral("-size"), QStringLiteral("30x20"), QStringLiteral("xc:blue"),
                                     path(QStringLiteral("second.jpg"))});
    exiftoolWrite(second, {QStringLiteral("-Make=Nikon"), QStringLiteral("-Artist=Bo Ek")});

    // The second request comes before the first file could possibly have been shown: both return
    // at once, the reading is left to the worker.
    ASSERT_TRUE(pane.showSelectedFile(first, 1, QString()));
    ASSERT_TRUE(pane.showSelectedFile(second, 1, QString()));
    EXPECT_TRUE(pane.isLoading());
    EXPECT_EQ(pane.previewedPath(), second);
    ASSERT_TRUE(waitFor([&] { return !shownSpy.isEmpty(); }));

    // The first read, wherever it had got to, gives no signal and shows nothing: had it been
    // posted, it would have arrived before the second.
    ASSERT_EQ(shownSpy.count(), 1);
    EXPECT_EQ(shownSpy.first().at(0).toString(), second);
    EXPECT_TRUE(shownSpy.first().at(1).toBool());
    EXPECT_FALSE(pane.isLoading());
    EXPECT_EQ(pane.engine().Tag(), second);
    EXPECT_EQ(pane.engine().ImageWidth(), 30);
    EXPECT_EQ(pane.view()->shownImage().size(), QSize(30, 20));
    EXPECT_EQ(pane.view()->shownImage(), toQImage(pane.engine().Picture()));
    EXPECT_EQ(status(QStringLiteral("filename")), QStringLiteral("second.jpg"));
    for (const QList<QVariant>& emitted : statusSpy)
        EXPECT_NE(emitted.at(1).toString(), QStringLiteral("tagged.jpg"));
    EXPECT_EQ(valueOfRow(metadata.exifList(), QStringLiteral("Make")), exiftoolValue(second, QStringLiteral("Make")));
    EXPECT_EQ(valueOfRow(metadata.exifList(), QStringLiteral("Artist")), QStringLiteral("Bo Ek"));
    EXPECT_EQ(metadata.exifList().tag(), second);
    EXPECT_EQ(valueOfRow(metadata.iptcList(), QStringLiteral("Caption")), QString());
    EXPECT_EQ(status(QStringLiteral("metadata")), QStringLiteral("Metadata - EXIF"));

    // Going back to the first file reads it now.
    EXPECT_EQ(preview(first), "ok");
    EXPECT_EQ(valueOfRow(metadata.exifList(), QStringLiteral("Make")), QStringLiteral("Canon"));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, SelectingTheFileBeingReadStartsNoSecondRead)
{
    const QString photo = taggedJpeg();
    ASSERT_TRUE(pane.showSelectedFile(photo, 1, QString()));
    EXPECT_TRUE(pane.isLoading());
    EXPECT_FALSE(pane.showSelectedFile(photo, 1, QString()));
    ASSERT_TRUE(waitFor([&] { return !shownSpy.isEmpty(); }));

    // Were a second read under way, it would end in a second signal and a second file name.
    const QString other = convert({QStringLiteral("-size"), QStringLiteral("8x8"), QStringLiteral("xc:red"),
                                   path(QStringLiteral("other.png"))});
    EXPECT_EQ(preview(other), "ok");
    int names = 0;
    for (const QList<QVariant>& emitted : statusSpy)
        if (emitted.at(0).toString() == u"filename" && emitted.at(1).toString() == u"tagged.jpg")
            ++names;
    EXPECT_EQ(names, 1);
    EXPECT_EQ(pane.engine().Tag(), other);
}

TEST_F(PreviewPaneTest, AFileThatCannotBeReadEmptiesThePreviewAndSaysSo)
{
    const QString good = writePng(gradientPicture(48, 36), path(QStringLiteral("good.png")));
    ASSERT_EQ(preview(good), "ok");
    ASSERT_FALSE(pane.view()->shownImage().isNull());
    ASSERT_FALSE(pane.snapshot().isEmpty());

    const QString missing = path(QStringLiteral("missing.jpg"));
    shownSpy.clear();
    ASSERT_TRUE(pane.showSelectedFile(missing, 1, QString()));
    // While the worker reads, the photo before stays on screen.
    EXPECT_EQ(pane.view()->shownImage().size(), QSize(48, 36));
    ASSERT_TRUE(waitFor([&] { return !shownSpy.isEmpty(); }));
    ASSERT_EQ(shownSpy.count(), 1);
    EXPECT_EQ(shownSpy.first().at(0).toString(), missing);
    EXPECT_FALSE(shownSpy.first().at(1).toBool());
    EXPECT_FALSE(pane.engine().HasImage());
    EXPECT_TRUE(pane.view()->shownImage().isNull());
    EXPECT_TRUE(pane.snapshot().isEmpty());
    EXPECT_TRUE(pane.previewedPath().isEmpty());
    EXPECT_EQ(status(QStringLiteral("metadata")), QStringLiteral("No metadata"));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, ClearingThePreviewDropsTheFileBeingRead)
{
    const QString photo = taggedJpeg();
    const QString other = writePng(gradientPicture(16, 12), path(QStringLiteral("other.png")));
    ASSERT_TRUE(pane.showSelectedFile(photo, 1, QString()));
    pane.clearPreview();
    EXPECT_FALSE(pane.isLoading());
    EXPECT_TRUE(pane.previewedPath().isEmpty());

    // The later request's result comes after anything of the dropped one.
    EXPECT_EQ(preview(other), "ok");
    EXPECT_EQ(pane.engine().Tag(), other);
    EXPECT_TRUE(metadata.exifList().isEmpty());
    EXPECT_EQ(status(QStringLiteral("filename")), QStringLiteral("other.png"));
    // Selected again, the dropped file is read.
    EXPECT_EQ(preview(photo), "ok");
}

TEST_F(PreviewPaneTest, APaneClosedWhileReadingGoesQuietly)
{
    const QString photo = writePng(gradientPicture(1200, 900), path(QStringLiteral("large.png")));
    for (int i = 0; i < 3; ++i) {
        auto closing = std::make_unique<PreviewPane>(metadata.exifList(), metadata.iptcList());
        QSignalSpy shown(closing.get(), &PreviewPane::previewShown);
        ASSERT_TRUE(closing->showSelectedFile(photo, 1, QString()));
        closing.reset();
        QTest::qWait(20);
        EXPECT_EQ(shown.count(), 0);
    }
    // The lists belong to the metadata pane: nothing was written into them.
    EXPECT_TRUE(metadata.exifList().isEmpty());
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
    EXPECT_EQ(pane.engine().Picture().rgbAt(5, 5), (Rgb{255, 0, 0}));

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
    ImageBox& engine = pane.engine();
    // The view box follows the widget.
    EXPECT_EQ(engine.Width(), view->width());
    EXPECT_EQ(engine.Height(), view->height());
    EXPECT_TRUE(engine.StretchToFit());
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(view->verticalScrollBar()->isVisible());
    // Width-limited: the whole width, the shape kept, centred vertically.
    const QRect fitted = view->imageRect();
    EXPECT_EQ(fitted.width(), view->width());
    EXPECT_NEAR(fitted.height(), view->width() / 4.0, 1.0);
    EXPECT_NEAR(fitted.top(), (view->height() - fitted.height()) / 2.0, 1.0);
    EXPECT_EQ(view->shownImage(), toQImage(engine.Picture()));

    statusSpy.clear();
    pane.chooseFit(PreviewPane::ActualSize);
    EXPECT_EQ(status(QStringLiteral("status")), QStringLiteral("100%"));
    EXPECT_EQ(pane.fitMode(), int(PreviewPane::ActualSize));
    EXPECT_EQ(pane.findChild<QToolButton*>(QStringLiteral("cmdPreviewView"))->text(), QStringLiteral("  Actual Size"));
    EXPECT_FALSE(engine.StretchToFit());
    EXPECT_EQ(engine.ViewWidth(), 800);
    EXPECT_EQ(engine.ViewHeight(), 200);
    QScrollBar* hsb = view->horizontalScrollBar();
    ASSERT_TRUE(hsb->isVisible());
    EXPECT_EQ(hsb->objectName(), QStringLiteral("hsbView"));
    EXPECT_FALSE(view->verticalScrollBar()->isVisible());
    EXPECT_EQ(engine.Width(), view->width());
    EXPECT_EQ(engine.Height(), view->height() - hsb->height());
    EXPECT_EQ(hsb->maximum(), 800 - view->width());
    hsb->setValue(120);
    EXPECT_EQ(view->imageRect(), QRect(-120, (engine.Height() - 200) / 2, 800, 200));

    // A taller pane: still 1:1, the box grows with it.
    pane.resize(400, 600);
    EXPECT_EQ(engine.Height(), view->height() - hsb->height());
    EXPECT_EQ(view->imageRect().size(), QSize(800, 200));

    pane.chooseFit(PreviewPane::BestFit);
    EXPECT_EQ(pane.findChild<QToolButton*>(QStringLiteral("cmdPreviewView"))->text(), QStringLiteral("  Best Fit"));
    EXPECT_FALSE(hsb->isVisible());
    EXPECT_EQ(view->imageRect().width(), view->width());

    // Never enlarged: a small image keeps its size, centred.
    const QString small = writePng(gradientPicture(40, 30), path(QStringLiteral("small.png")));
    ASSERT_EQ(preview(small), "ok");
    EXPECT_EQ(view->imageRect(), QRect((view->width() - 40) / 2, (view->height() - 30) / 2, 40, 30));
}

TEST_F(PreviewPaneTest, OptimizedShowsTheTaskBasketAppliedAndOriginalTheFileAsLoaded)
{
    TaskBasket basket;
    basket.append(TaskRecord(TaskKind::Orientation, QStringLiteral("flip"), {QStringLiteral("0")}));
    pane.setTaskBasket(&basket);
    pane.setPreviewMode(PreviewPane::BestFit, PreviewPane::Optimized);
    auto* typeButton = pane.findChild<QToolButton*>(QStringLiteral("cmdPreviewType"));
    EXPECT_EQ(typeButton->text(), QStringLiteral("    Optimized"));

    const Rgb red{255, 0, 0};
    const QString photo = writePng(markedPicture(20, 10, 2, 3, red), path(QStringLiteral("marked.png")));
    ASSERT_EQ(preview(photo), "ok");
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{17, 3}));
    EXPECT_EQ(pane.view()->shownImage().pixelColor(17, 3), QColor(255, 0, 0));

    pane.chooseType(PreviewPane::Original);
    EXPECT_EQ(typeButton->text(), QStringLiteral("    Original"));
    EXPECT_EQ(pane.typeMode(), int(PreviewPane::Original));
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{2, 3}));
    EXPECT_EQ(pane.view()->shownImage().pixelColor(2, 3), QColor(255, 0, 0));

    // Choosing Optimized again starts from the file as loaded: one flip, not two.
    pane.chooseType(PreviewPane::Optimized);
    ASSERT_TRUE(rendered());
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{17, 3}));
    pane.chooseType(PreviewPane::Optimized);
    ASSERT_TRUE(rendered());
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{17, 3}));

    // A changed Task Basket shows once the preview is asked to re-apply it.
    basket.append(TaskRecord(TaskKind::Orientation, QStringLiteral("flip"), {QStringLiteral("1")}));
    pane.reapplyTasks();
    ASSERT_TRUE(rendered());
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{17, 6}));
    EXPECT_EQ(pane.view()->shownImage().pixelColor(17, 6), QColor(255, 0, 0));
    basket.clear();
    pane.reapplyTasks();
    ASSERT_TRUE(rendered());
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{2, 3}));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, ThePreviewSelectionChosenWhileAPhotoIsReadHoldsWhenItArrives)
{
    TaskBasket basket;
    basket.append(TaskRecord(TaskKind::Orientation, QStringLiteral("flip"), {QStringLiteral("0")}));
    pane.setTaskBasket(&basket);
    pane.setPreviewMode(PreviewPane::BestFit, PreviewPane::Optimized);
    const Rgb red{255, 0, 0};
    const QString first = writePng(markedPicture(20, 10, 2, 3, red), path(QStringLiteral("first.png")));
    const QString second = writePng(markedPicture(20, 10, 4, 5, red), path(QStringLiteral("second.png")));

    // The worker flips the photo it reads; Original chosen before it arrives must win. The
    // photo can only arrive through the event loop, which runs after both calls.
    ASSERT_TRUE(pane.showSelectedFile(first, 1, QString()));
    pane.chooseType(PreviewPane::Original);
    ASSERT_TRUE(waitFor([&] { return !shownSpy.isEmpty(); }));
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{2, 3}));
    EXPECT_EQ(pane.view()->shownImage().pixelColor(2, 3), QColor(255, 0, 0));

    // And the other way round: read as Original, shown Optimized.
    shownSpy.clear();
    ASSERT_TRUE(pane.showSelectedFile(second, 1, QString()));
    pane.chooseType(PreviewPane::Optimized);
    ASSERT_TRUE(waitFor([&] { return !shownSpy.isEmpty(); }));
    ASSERT_TRUE(rendered());
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{15, 5}));
    EXPECT_EQ(pane.view()->shownImage().pixelColor(15, 5), QColor(255, 0, 0));
    // Original still shows the file as loaded.
    pane.chooseType(PreviewPane::Original);
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{4, 5}));
    EXPECT_TRUE(reports.reports().empty());
}

// The image a render must show: the tasks run, the plain synchronous way, on an engine of its own
// that starts from the snapshot.
Picture renderedBySnapshot(const QByteArray& snapshot, const QList<TaskRecord>& tasks, const TaskRunOptions& options = {})
{
    ImageBox box(ImageBox::Mode::View);
    box.LoadFromMemory(ImageBox::SnapshotFormat, snapshot);
    subProcessPages(tasks, box, options);
    return box.Picture();
}

TaskRecord flip(int direction)
{
    return TaskRecord(TaskKind::Orientation, QStringLiteral("flip"), {QString::number(direction)});
}

// Enough work for the worker to be busy a good while on a large photo.
QList<TaskRecord> heavyBlurs(int count)
{
    QList<TaskRecord> tasks;
    for (int i = 0; i < count; ++i)
        tasks << TaskRecord(TaskKind::Blur, QStringLiteral("blur"), {QStringLiteral("16")});
    return tasks;
}

TEST_F(PreviewPaneTest, RenderTasksShowsTheTasksRunOnTheFileAsLoaded)
{
    pane.setPreviewMode(PreviewPane::BestFit, PreviewPane::Original);
    const Rgb red{255, 0, 0};
    const QString photo = writePng(markedPicture(60, 40, 5, 7, red), path(QStringLiteral("marked.png")));
    ASSERT_EQ(preview(photo), "ok");
    const QByteArray asLoaded = pane.snapshot();
    const Picture original = pane.engine().Picture();

    QSignalSpy renderedSpy(&pane, &PreviewPane::tasksRendered);
    int done = 0;
    const QList<TaskRecord> tasks = {flip(0), flip(1),
                                     TaskRecord(TaskKind::Brightness, QStringLiteral("bright"),
                                                {QStringLiteral("70"), QStringLiteral("True"), QStringLiteral("True"),
                                                 QStringLiteral("False")})};
    pane.renderTasks(tasks, {}, [&] {
        ++done;
        // The result is on screen before the caller hears of it.
        EXPECT_EQ(pane.engine().Picture(), renderedBySnapshot(asLoaded, tasks));
        EXPECT_EQ(renderedSpy.count(), 0);
    });
    EXPECT_TRUE(pane.isRendering());
    ASSERT_TRUE(rendered());
    ASSERT_TRUE(waitFor([&] { return renderedSpy.count() == 1; }));
    EXPECT_EQ(done, 1);

    const Picture expected = renderedBySnapshot(asLoaded, tasks);
    EXPECT_EQ(pane.engine().Picture(), expected);
    EXPECT_EQ(pane.view()->shownImage(), toQImage(expected));
    // Both flips moved the mark to the opposite corner; it is no longer pure red, but the
    // brightest red pixel of the grey picture.
    EXPECT_EQ(pane.engine().Picture().rgbAt(54, 32).r, expected.rgbAt(54, 32).r);
    EXPECT_GT(pane.engine().Picture().rgbAt(54, 32).r, pane.engine().Picture().rgbAt(5, 7).r);
    EXPECT_NE(pane.engine().Picture(), original);
    // The engine kept its own settings and the as-loaded snapshot is untouched.
    EXPECT_EQ(pane.engine().Tag(), photo);
    EXPECT_TRUE(pane.engine().StretchToFit());
    EXPECT_EQ(pane.engine().Width(), pane.view()->width());
    EXPECT_EQ(pane.snapshot(), asLoaded);

    // No tasks: the file as loaded, at once; the caller still hears of it.
    pane.renderTasks({}, {}, [&] { ++done; });
    EXPECT_EQ(pane.engine().Picture(), original);
    EXPECT_EQ(pane.view()->shownImage(), toQImage(original));
    ASSERT_TRUE(waitFor([&] { return renderedSpy.count() == 2; }));
    EXPECT_EQ(done, 2);
    EXPECT_FALSE(pane.isRendering());

    // restoreSnapshot brings the file as loaded back without the event loop.
    pane.renderTasks({flip(0)}, {});
    ASSERT_TRUE(rendered());
    ASSERT_EQ(findColour(pane.engine().Picture(), red), (Point{54, 7}));
    pane.restoreSnapshot();
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{5, 7}));
    EXPECT_EQ(pane.view()->shownImage().pixelColor(5, 7), QColor(255, 0, 0));
    EXPECT_EQ(done, 2);
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, ReapplyTasksRunsTheBasketWithTheRunOptionsGiven)
{
    TaskBasket basket;
    basket.append(flip(0));
    basket.append(flip(1));
    pane.setTaskBasket(&basket);
    pane.setPreviewMode(PreviewPane::BestFit, PreviewPane::Original);
    const Rgb red{255, 0, 0};
    ASSERT_EQ(preview(writePng(markedPicture(20, 10, 2, 3, red), path(QStringLiteral("marked.png")))), "ok");

    // The list on screen has its first row selected: the preview stops after that task.
    TaskRunOptions options;
    options.lastRow = 0;
    pane.setTaskRunOptionsProvider([&] { return options; });
    pane.chooseType(PreviewPane::Optimized);
    ASSERT_TRUE(rendered());
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{17, 3}));

    options.lastRow = 1;
    pane.reapplyTasks();
    ASSERT_TRUE(rendered());
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{17, 6}));
    EXPECT_EQ(pane.view()->shownImage().pixelColor(17, 6), QColor(255, 0, 0));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, OfTwoQuickRendersOnlyTheLastIsShownAndDone)
{
    pane.setPreviewMode(PreviewPane::BestFit, PreviewPane::Original);
    ASSERT_EQ(preview(writePng(gradientPicture(600, 400), path(QStringLiteral("gradient.png")))), "ok");
    const QByteArray asLoaded = pane.snapshot();
    QSignalSpy renderedSpy(&pane, &PreviewPane::tasksRendered);

    int firstDone = 0;
    int secondDone = 0;
    pane.renderTasks(heavyBlurs(3), {}, [&] { ++firstDone; });
    pane.renderTasks({flip(0)}, {}, [&] { ++secondDone; });
    ASSERT_TRUE(waitFor([&] { return secondDone == 1; }));
    EXPECT_EQ(renderedSpy.count(), 1);
    EXPECT_EQ(pane.engine().Picture(), renderedBySnapshot(asLoaded, {flip(0)}));

    // A third render passes through the worker after whatever was left of the first: the first
    // never reaches the screen or its caller.
    int thirdDone = 0;
    pane.renderTasks({flip(1)}, {}, [&] { ++thirdDone; });
    ASSERT_TRUE(waitFor([&] { return thirdDone == 1; }));
    EXPECT_EQ(firstDone, 0);
    EXPECT_EQ(secondDone, 1);
    EXPECT_EQ(renderedSpy.count(), 2);
    const Picture expected = renderedBySnapshot(asLoaded, {flip(1)});
    EXPECT_EQ(pane.engine().Picture(), expected);
    EXPECT_EQ(pane.view()->shownImage(), toQImage(expected));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, ARenderAskedForWhileAFileIsReadAppliesToThatFile)
{
    pane.setPreviewMode(PreviewPane::BestFit, PreviewPane::Original);
    const Rgb red{255, 0, 0};
    const QString first = writePng(markedPicture(20, 10, 2, 3, red), path(QStringLiteral("first.png")));
    const QString second = writePng(markedPicture(30, 20, 10, 4, red), path(QStringLiteral("second.png")));
    ASSERT_EQ(preview(first), "ok");

    shownSpy.clear();
    int done = 0;
    qsizetype shownWhenDone = -1;
    ASSERT_TRUE(pane.showSelectedFile(second, 1, QString()));
    pane.renderTasks({flip(0)}, {}, [&] {
        ++done;
        shownWhenDone = shownSpy.count();
    });
    EXPECT_TRUE(pane.isRendering());
    ASSERT_TRUE(waitFor([&] { return done == 1; }));
    EXPECT_EQ(shownWhenDone, 1);
    EXPECT_EQ(pane.engine().Tag(), second);
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{19, 4}));
    EXPECT_EQ(pane.engine().Picture(), renderedBySnapshot(pane.snapshot(), {flip(0)}));
    EXPECT_EQ(pane.view()->shownImage().size(), QSize(30, 20));

    // Another file chosen before the one the render was for arrived: the render is dropped.
    int droppedDone = 0;
    shownSpy.clear();
    ASSERT_TRUE(pane.showSelectedFile(first, 1, QString()));
    pane.renderTasks({flip(1)}, {}, [&] { ++droppedDone; });
    ASSERT_TRUE(pane.showSelectedFile(second, 1, QString()));
    EXPECT_FALSE(pane.isRendering());
    ASSERT_TRUE(waitFor([&] { return !shownSpy.isEmpty(); }));
    int later = 0;
    pane.renderTasks({flip(0), flip(1)}, {}, [&] { ++later; });
    ASSERT_TRUE(waitFor([&] { return later == 1; }));
    EXPECT_EQ(droppedDone, 0);
    EXPECT_EQ(pane.engine().Tag(), second);
    EXPECT_EQ(findColour(pane.engine().Picture(), red), (Point{19, 15}));

    // A file that cannot be read leaves the render nothing to work on.
    shownSpy.clear();
    ASSERT_TRUE(pane.showSelectedFile(path(QStringLiteral("missing.png")), 1, QString()));
    pane.renderTasks({flip(0)}, {}, [&] { ++droppedDone; });
    ASSERT_TRUE(waitFor([&] { return !shownSpy.isEmpty(); }));
    EXPECT_FALSE(pane.isRendering());
    QTest::qWait(50);
    EXPECT_EQ(droppedDone, 0);
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, RestoreSnapshotAndAClearedPreviewDropARenderUnderWay)
{
    pane.setPreviewMode(PreviewPane::BestFit, PreviewPane::Original);
    const QString photo = writePng(gradientPicture(600, 400), path(QStringLiteral("gradient.png")));
    ASSERT_EQ(preview(photo), "ok");
    const QByteArray asLoaded = pane.snapshot();
    const Picture original = pane.engine().Picture();

    int dropped = 0;
    pane.renderTasks(heavyBlurs(3), {}, [&] { ++dropped; });
    pane.restoreSnapshot();
    EXPECT_FALSE(pane.isRendering());
    EXPECT_EQ(pane.engine().Picture(), original);
    // The worker takes a later render only after the dropped one: once that is shown, the
    // dropped one can no longer arrive.
    int done = 0;
    pane.renderTasks({flip(1)}, {}, [&] { ++done; });
    ASSERT_TRUE(waitFor([&] { return done == 1; }));
    EXPECT_EQ(dropped, 0);
    EXPECT_EQ(pane.engine().Picture(), renderedBySnapshot(asLoaded, {flip(1)}));

    pane.renderTasks(heavyBlurs(3), {}, [&] { ++dropped; });
    pane.clearPreview();
    EXPECT_FALSE(pane.isRendering());
    EXPECT_FALSE(pane.engine().HasImage());
    EXPECT_TRUE(pane.view()->shownImage().isNull());
    // Without an image there is nothing to render.
    pane.renderTasks({flip(0)}, {}, [&] { ++dropped; });
    EXPECT_FALSE(pane.isRendering());

    ASSERT_EQ(preview(photo), "ok");
    pane.renderTasks({flip(0)}, {}, [&] { ++done; });
    ASSERT_TRUE(waitFor([&] { return done == 2; }));
    EXPECT_EQ(dropped, 0);
    EXPECT_EQ(pane.engine().Picture(), renderedBySnapshot(asLoaded, {flip(0)}));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, TheWindowKeepsWorkingWhileTheTasksRender)
{
    pane.setPreviewMode(PreviewPane::BestFit, PreviewPane::Original);
    ASSERT_EQ(preview(writePng(gradientPicture(2400, 1600), path(QStringLiteral("large.png")))), "ok");

    // Ticks of a timer on the GUI thread, counted while the render is under way: a render on
    // the GUI thread would let none through.
    int ticksWhileRendering = 0;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (pane.isRendering())
            ++ticksWhileRendering;
    });
    timer.start();

    TaskRunOptions options;
    bool done = false;
    pane.renderTasks(heavyBlurs(4), options, [&] { done = true; });
    ASSERT_TRUE(waitFor([&] { return done; }, 120000));
    timer.stop();
    EXPECT_GT(ticksWhileRendering, 0);
    EXPECT_EQ(pane.engine().Picture(), renderedBySnapshot(pane.snapshot(), heavyBlurs(4)));
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
    EXPECT_EQ(pane.findChild<QToolButton*>(QStringLiteral("cmdPreviewNext"))->text(), QStringLiteral("Next image"));
    EXPECT_NE(pane.findChild<QWidget*>(QStringLiteral("PicViewImage"))->findChild<EngineView*>(QStringLiteral("ibMain")), nullptr);
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
    EXPECT_EQ(pane.findChild<QLabel*>(QStringLiteral("lblMetadata"))->text(), QStringLiteral(" Metadata"));
    QTabBar* tabs = pane.tabs();
    EXPECT_EQ(tabs->objectName(), QStringLiteral("tbsMetadata"));
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("EXIF Tags"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("IPTC File Info"));
    EXPECT_EQ(pane.exifView()->objectName(), QStringLiteral("lvExif"));
    EXPECT_EQ(pane.iptcView()->objectName(), QStringLiteral("lvIPTC"));

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
