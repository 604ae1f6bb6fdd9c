// The acquire window's road to the Image Basket, with SANE's test backend as the scanner: every page
// of an acquisition is written to the program's temporary folder under its own name and handed over.

#include "acquire/frmTwain.h"
#include "core/ProgramFolder.h"
#include "support/FileBytes.h"
#include "support/Oracles.h"
#include "support/ScopedEnvironment.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumora;
using namespace lumora::test;

namespace {

TEST(ScanWindow, EachFeederPageBecomesANewFileInTheTemporaryFolder)
{
    QTemporaryDir home;
    QDir(home.path()).mkpath("sane");
    writeBytes(home.filePath("sane/dll.conf"), "test\n");
    writeBytes(home.filePath("sane/test.conf"), "number_of_devices 1\nbr_x 30.0\nbr_y 40.0\n");
    const ScopedEnvironment sane("SANE_CONFIG_DIR", home.filePath("sane").toUtf8());
    const ScopedEnvironment folder("LUMORA_HOME", home.path().toUtf8());

    SetupRecord::Twain twain;  // destination 0: the Image Basket
    QStringList handedOver;
    frmTwain window(twain, [&](const QString& path) { handedOver << path; });
    window.acquire({.device = "test:0", .source = ScanRequest::Source::Feeder, .resolution = 50, .maxPages = 3});
    ASSERT_TRUE(waitFor([&] { return !window.acquiring(); }));

    ASSERT_EQ(handedOver.size(), 3);
    const QString temp = QRegularExpression::escape(ProgramFolder::tempFolder());
    for (int n = 1; n <= 3; ++n) {
        const QString& path = handedOver.at(n - 1);
        const QRegularExpression named(QStringLiteral("^%1%2_\\d{1,4}\\.tif$").arg(temp).arg(n));
        EXPECT_TRUE(named.match(path).hasMatch()) << qPrintable(path);
        EXPECT_EQ(identify(path, "%m %wx%h"), "TIFF 59x78");
    }
    EXPECT_EQ(window.findChild<QLabel*>("lblSize")->text(), "59 X 78");
}

}  // namespace
