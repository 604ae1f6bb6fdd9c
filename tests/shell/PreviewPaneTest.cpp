#include "shell/PreviewPane.h"

#include "edit/EditSession.h"
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
#include <QHeaderView>
#include <QMap>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <string_view>

using namespace lumora;
using namespace lumora::test;

namespace {

// ImageMagick makes the pictures, exiftool writes and reads the tags: neither side of a metadata
// check is Lumora's own code.
QString convert(const QStringList& arguments)
{
    const ToolResult made = runTool("convert", arguments);
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    return arguments.last();
}

void exiftoolWrite(const QString& path, const QStringList& assignments)
{
    const ToolResult r = runTool("exiftool", QStringList{"-q", "-overwrite_original"} + assignments + QStringList{path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
}

QString exiftoolValue(const QString& path, const QString& tag)
{
    return runTool("exiftool", {"-s3", "-sep", ",", "-" + tag, path}).out.trimmed();
}

QString valueOfRow(const MetadataList& list, const QString& tag)
{
    const int row = list.findTag(tag);
    return row < 0 ? "<no row>" : list.at(row).value;
}

class PreviewPaneTest : public ::testing::Test {
protected:
    PreviewPaneTest()
    {
        pane.resize(400, 330);
        pane.show();
        QObject::connect(&pane, &PreviewPane::statusText, [this](const QString& key, const QString& text) { status_[key] = text; });
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // The last text the pane gave for a status panel.
    QString status(const QString& key) const { return status_.value(key, "<none>"); }

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

    bool settled() { return waitFor([&] { return !pane.session().isBusy(); }); }

    QTemporaryDir dir;
    MetadataPane metadata;
    TaskBasket basket;
    EditSession session{basket};
    PreviewPane pane{session, metadata.exifList(), metadata.iptcList()};
    QMap<QString, QString> status_;
    QSignalSpy shownSpy{&pane, &PreviewPane::previewShown};
    ReportCapture reports;
};

TEST_F(PreviewPaneTest, TheMetadataStatusAndListsFollowWhatEachFileCarries)
{
    // A PSD gives its IPTC only, even when it carries EXIF as well; a GIF gives none; a JPEG with
    // EXIF alone lists its IPTC rows, empty, one with both fills both; a file that cannot be read
    // leaves the preview and the lists empty and is no error to report. Each file's lists replace
    // those of the one before.
    struct Case {
        const char* name;
        bool readable;
        QStringList tags;
        const char* status;
        std::string_view artistRow;
        int iptcRows;
        const char* captionRow;
    };
    const std::string_view none = "<no row>";
    const Case cases[] = {
        {"layered.psd", true, {"-Artist=Ann", "-IPTC:Caption-Abstract=From Photoshop"}, "Metadata -  IPTC", none, 52,
         "From Photoshop"},
        {"plain.gif", true, {}, "No metadata", none, 0, "<no row>"},
        {"photo.JPG", true, {"-Artist=Ann"}, "Metadata - EXIF", "Ann", 52, ""},
        {"tagged.jpg", true, {"-Artist=Ann", "-IPTC:Caption-Abstract=Harbour"}, "Metadata - EXIF IPTC", "Ann", 52,
         "Harbour"},
        {"broken.jpg", false, {}, "No metadata", none, 0, "<no row>"},
        {"broken.png", false, {}, "No metadata", none, 0, "<no row>"},
        {"broken.tif", false, {}, "No metadata", none, 0, "<no row>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(c.name);
        if (c.readable) {
            convert({"-size", "30x20", "xc:orange", file});
            if (!c.tags.isEmpty()) {
                exiftoolWrite(file, c.tags);
                ASSERT_EQ(exiftoolValue(file, "Artist"), "Ann");
            }
        } else {
            QFile words(file);
            ASSERT_TRUE(words.open(QIODevice::WriteOnly));
            words.write("this is not a picture at all, only words");
        }
        QSignalSpy resolutions(&pane, &PreviewPane::resolutionKnown);
        ASSERT_EQ(preview(file), c.readable ? "ok" : "failed");
        EXPECT_EQ(resolutions.count(), c.readable ? 1 : 0);
        EXPECT_EQ(pane.previewedPath().isEmpty(), !c.readable);
        EXPECT_EQ(pane.view()->shownImage().isNull(), !c.readable);
        EXPECT_EQ(status("metadata"), c.status);
        EXPECT_TRUE(!c.readable || status("filename") == c.name);
        EXPECT_EQ(valueOfRow(metadata.exifList(), "Artist").toStdString(), c.artistRow);
        EXPECT_EQ(metadata.exifList().isEmpty(), c.artistRow == none);
        EXPECT_EQ(metadata.iptcList().size(), c.iptcRows);
        EXPECT_EQ(valueOfRow(metadata.iptcList(), "Caption"), c.captionRow);
    }
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, PagesAndResolutionOfAThreePageTiff)
{
    const QString tiff = convert({"-size", "24x16", "xc:red", "xc:lime", "xc:blue", "-type", "TrueColor", "-depth", "8",
                                  path("three.tif")});
    ASSERT_EQ(identify(tiff, "%n\n").split(u'\n', Qt::SkipEmptyParts).first(), "3");

    // Pages not known by the list: the engine counts them; the resolution is filled in.
    QSignalSpy resolutions(&pane, &PreviewPane::resolutionKnown);
    ASSERT_EQ(preview(tiff, -1, "0 X 0 X 0"), "ok");
    EXPECT_EQ(status("pages"), "3 page(s)");
    ASSERT_EQ(resolutions.count(), 1);
    EXPECT_EQ(resolutions.at(0).at(0).toString(), tiff);
    EXPECT_EQ(resolutions.at(0).at(1).toString(), "24 X 16 X 24");
    EXPECT_EQ(status("resolution"), "     24 X 16 X 24");
    // The preview shows page 1.
    EXPECT_EQ(pane.session().picture().rgbAt(5, 5), (Rgb{255, 0, 0}));

    // Pages and resolution as the list gives them.
    const QString gif = convert({"-size", "5x5", "xc:red", path("a.gif")});
    resolutions.clear();
    ASSERT_EQ(preview(gif, 3, "5 X 5 X 8"), "ok");
    EXPECT_EQ(status("pages"), "3 page(s)");
    EXPECT_EQ(status("resolution"), "     5 X 5 X 8");
    EXPECT_EQ(resolutions.count(), 0);
}

TEST_F(PreviewPaneTest, TheFitMenuSetsTheViewAndTheSessionLaysTaskPreviewsOutByIt)
{

    pane.setPreviewMode(PreviewPane::BestFit, PreviewPane::Original);
    ASSERT_EQ(preview(writePng(gradientPicture(800, 200), path("wide.png"))), "ok");
    EngineView* view = pane.view();
    EXPECT_EQ(view->shownImage(), toQImage(pane.session().picture()));
    EXPECT_TRUE(view->viewSettings().stretchToFit);
    EXPECT_EQ(view->viewSettings().box, view->size());
    EXPECT_EQ(view->imageRect().width(), view->width());
    EXPECT_EQ(pane.session().view(), view->viewSettings());

    status_.clear();
    pane.fitMenu()->actions().at(PreviewPane::ActualSize)->trigger();
    EXPECT_EQ(status("status"), "100%");
    EXPECT_EQ(pane.fitMode(), int(PreviewPane::ActualSize));
    EXPECT_FALSE(pane.fitMenu()->actions().at(PreviewPane::BestFit)->isChecked());
    EXPECT_EQ(view->imageRect().size(), QSize(800, 200));
    ASSERT_TRUE(view->horizontalScrollBar()->isVisible());
    EXPECT_EQ(pane.session().view(), view->viewSettings());

    // The view follows the pane's size, and the session the view.
    const int height = view->viewSettings().box.height();
    pane.resize(400, 600);
    EXPECT_GT(view->viewSettings().box.height(), height);
    EXPECT_EQ(view->viewSettings().box, QSize(view->width(), view->height() - view->horizontalScrollBar()->height()));
    EXPECT_EQ(pane.session().view(), view->viewSettings());

    pane.fitMenu()->actions().at(PreviewPane::BestFit)->trigger();
    EXPECT_EQ(pane.fitMode(), int(PreviewPane::BestFit));
    EXPECT_EQ(view->imageRect().width(), view->width());
}

TEST_F(PreviewPaneTest, OptimizedShowsTheTaskBasketAppliedAndOriginalTheFileAsLoaded)
{
    basket.append(TaskRecord(TaskKind::Orientation, "flip", {"0"}));
    pane.setPreviewMode(PreviewPane::BestFit, PreviewPane::Optimized);
    const Rgb red{255, 0, 0};
    const QString photo = writePng(markedPicture(20, 10, 2, 3, red), path("marked.png"));
    ASSERT_EQ(preview(photo), "ok");
    EXPECT_EQ(pane.view()->shownImage().pixelColor(17, 3), QColor(255, 0, 0));

    pane.typeMenu()->actions().at(PreviewPane::Original)->trigger();
    EXPECT_EQ(pane.typeMode(), int(PreviewPane::Original));
    // The type button says which picture is shown.
    EXPECT_EQ(pane.findChild<QToolButton*>("cmdPreviewType")->text().trimmed(), "Original");
    ASSERT_TRUE(settled());
    EXPECT_EQ(pane.view()->shownImage().pixelColor(2, 3), QColor(255, 0, 0));

    // The last row the provider gives: the photo as it stands after that task.
    basket.append(TaskRecord(TaskKind::Orientation, "flip", {"1"}));
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
    const QString second = writePng(markedPicture(20, 10, 4, 5, red), path("second.png"));
    ASSERT_TRUE(pane.showSelectedFile(second, 1, QString()));
    pane.chooseType(PreviewPane::Original);
    ASSERT_TRUE(waitFor([&] { return !shownSpy.isEmpty(); }));
    ASSERT_TRUE(settled());
    EXPECT_EQ(pane.view()->shownImage().pixelColor(4, 5), QColor(255, 0, 0));
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(PreviewPaneTest, TheButtonAndTheContextMenuAskForThePreviousAndTheNextFile)
{
    QSignalSpy previous(&pane, &PreviewPane::previousRequested);
    QSignalSpy next(&pane, &PreviewPane::nextRequested);
    pane.findChild<QToolButton*>("cmdPreviewPrevious")->click();
    pane.contextMenu()->actions().at(1)->trigger();  // "Next image"
    EXPECT_EQ(previous.count(), 1);
    EXPECT_EQ(next.count(), 1);
}

TEST_F(PreviewPaneTest, SavePreviewAsImageDocumentWritesTheShownImage)
{
    ScriptedDialogs dialogs;
    // Nothing to save: no dialog.
    pane.savePreviewAsDocument();
    EXPECT_TRUE(dialogs.fileDialogs().isEmpty());

    ASSERT_EQ(preview(writePng(gradientPicture(48, 36), path("source.png"))), "ok");
    dialogs.answerNextFileDialog({path("copy.tif"), 2});
    pane.savePreviewAsDocument();
    ASSERT_EQ(dialogs.fileDialogs().size(), 1);
    EXPECT_EQ(dialogs.fileDialogs().first().kind, ui::FileDialogRequest::Kind::SaveFile);
    EXPECT_TRUE(dialogs.fileDialogs().first().filter.contains("*.tif"));
    EXPECT_EQ(identify(path("copy.tif"), "%m %wx%h"), "TIFF 48x36");

    // A name without an extension takes the chosen format's.
    dialogs.answerNextFileDialog({path("named"), 1});
    pane.savePreviewAsDocument();
    EXPECT_EQ(identify(path("named.png"), "%m %wx%h"), "PNG 48x36");

    // Cancelled: nothing written.
    pane.savePreviewAsDocument();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    EXPECT_TRUE(reports.reports().empty());
}

TEST(MetadataPaneTest, RowsThePersonMayEditShowAnIconAndNothingIsEditedInPlace)
{
    MetadataPane pane;
    pane.exifList().addRow({"Make", "Make", "Make", "Canon", true});
    pane.exifList().addRow({"Flash", QString(), "Flash", "Flash fired", false});
    QAbstractItemModel* model = pane.exifView()->model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->index(0, 1).data().toString(), "Canon");
    EXPECT_FALSE(model->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(model->index(1, 0).data(Qt::DecorationRole).isValid());
    EXPECT_FALSE(model->index(0, 1).data(Qt::DecorationRole).isValid());
    EXPECT_EQ(pane.exifView()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

// Both lists: the names fit their column whatever the stored widths, the values take the rest of
// the pane, and a cell cut short shows its whole text as its tool-tip.
TEST(MetadataPaneTest, NamesFitTheirColumnValuesTakeTheRestAndCellsShowTheirTextAsToolTip)
{
    MetadataPane pane;
    pane.setColumnWidths({60, 80, 60, 80});
    const QString value = QStringLiteral("Flash did not fire, compulsory flash mode, red-eye reduction mode");
    pane.exifList().addRow({"Make", "Make", "Make", "Canon", true});
    pane.exifList().addRow({"Exposure Bias Value Long", QString(), "Bias", value, false});
    pane.resize(700, 400);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    QTreeView* view = pane.exifView();
    EXPECT_GE(view->header()->sectionSize(0), view->fontMetrics().horizontalAdvance("Exposure Bias Value Long"));
    EXPECT_EQ(view->header()->sectionSize(0) + view->header()->sectionSize(1), view->viewport()->width());
    EXPECT_EQ(view->model()->index(1, 1).data(Qt::ToolTipRole).toString(), value);
}

}  // namespace
