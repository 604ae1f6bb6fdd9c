// The region window over the main window: what accept and cancel leave in the Image Basket.
#include "acquire/fCaptureRectangle.h"
#include "basket/BasketPanel.h"
#include "settings/SetupRecord.h"
#include "shell/PreviewPane.h"
#include "shell/frmMain.h"
#include "support/Oracles.h"
#include "support/ReportCapture.h"
#include "support/ScopedEnvironment.h"

#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumora;

namespace {

TEST(CaptureWindow, AcceptAddsTheCropAndCancelOrAMissingFolderAddsNothing)
{
    QTemporaryDir home;
    test::ScopedEnvironment homeVariable("LUMORA_HOME", home.path().toUtf8());
    SetupRecord record = defaultSetup(home.path());
    QDir().mkpath(record.capture.folder);
    frmMain window(record);
    const Picture screen = Picture::filled(240, 180, Rgb{10, 120, 200});

    struct Case {
        const char* name;
        int command;
        bool folderExists;
        int entries;
    };
    const Case cases[] = {
        {"accept", fCaptureRectangle::Accept, true, 1},
        {"cancel", fCaptureRectangle::Cancel, true, 0},
        {"accept into a missing folder", fCaptureRectangle::Accept, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window.basketPanel().basket().removeAll();
        SetupRecord::Capture settings = record.capture;
        if (!c.folderExists)
            settings.folder = home.filePath(QStringLiteral("gone"));
        test::ReportCapture reports;
        auto* region = new fCaptureRectangle(window, settings);
        QPointer<fCaptureRectangle> alive(region);
        region->ShowPicture(screen);
        // Drawn from the bottom-right corner to the top-left one.
        QTest::mousePress(region, Qt::LeftButton, {}, QPoint(130, 90));
        QTest::mouseMove(region, QPoint(60, 50));
        QTest::mouseRelease(region, Qt::LeftButton, {}, QPoint(20, 30));
        region->cmdBar_Click(c.command);
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        EXPECT_TRUE(alive.isNull()) << "the region window stays open";
        ImageBasket& basket = window.basketPanel().basket();
        ASSERT_EQ(basket.size(), c.entries);
        ASSERT_EQ(reports.reports().size(), c.folderExists ? 0u : 1u);
        if (!c.folderExists) {
            EXPECT_EQ(reports.reports().front().routine, QStringLiteral("frmCapture.subAddItemToBasket"));
        }
        const QStringList written = QDir(record.capture.folder).entryList(QDir::Files);
        EXPECT_EQ(written.size(), c.entries);
        if (c.entries == 1) {
            EXPECT_EQ(basket.at(0).sourceSize, QStringLiteral("110 X 60"));
            EXPECT_EQ(test::identify(basket.at(0).tag, QStringLiteral("%m %wx%h")), QStringLiteral("TIFF 110x60"));
            EXPECT_EQ(window.preview().previewedPath(), basket.at(0).tag);
            QFile::remove(basket.at(0).tag);
        }
    }
}

}  // namespace
