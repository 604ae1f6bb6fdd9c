#include "basket/BasketPanel.h"
#include "shell/LumoraStartup.h"
#include "shell/SingleInstance.h"
#include "shell/frmMain.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedDialogs.h"
#include "support/TestImages.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumora;

namespace {

// A second `lumora` started with photos or a folder (as a file manager starts it) while a window
// runs hands them to that window and ends without a window or a message of its own.
TEST(SingleInstanceHandOver, ASecondCopyHandsPhotosAndFoldersToTheRunningWindow)
{
    QTemporaryDir home;
    const test::ScopedEnvironment homeVariable("LUMORA_HOME", home.path().toUtf8());
    test::ScriptedDialogs dialogs;
    QDir(home.path()).mkpath("start");
    QDir(home.path()).mkpath("holiday");
    QDir(home.path()).mkpath("other");
    const QString photo = home.filePath("holiday/beach.png");
    test::writePng(test::gradientPicture(16, 12), photo);

    SingleInstance instance;
    auto window = Form_Load(instance, home.filePath("start"));
    ASSERT_TRUE(window);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_TRUE(test::waitFor([&] { return window->currentFolder() == home.filePath("start"); }));

    struct Case {
        QStringList arguments;
        QString folder;      // the folder the window shows afterwards
        int basketEntries;  // and the entries of its Image Basket
    };
    const QList<Case> cases{
        {{photo}, home.filePath("holiday"), 1},
        {{home.filePath("other")}, home.filePath("other"), 1},
    };
    for (const Case& c : cases) {
        QProcess second;
        second.setProgram(QStringLiteral(LUMORA_EXE));
        second.setArguments(c.arguments);
        second.start();
        ASSERT_TRUE(test::waitFor([&] { return second.state() == QProcess::NotRunning; }))
            << c.arguments.join(' ').toStdString();
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
        EXPECT_TRUE(test::waitFor([&] {
            return window->currentFolder() == c.folder && window->basketPanel().basket().size() == c.basketEntries;
        })) << window->currentFolder().toStdString();
    }
    EXPECT_EQ(window->basketPanel().basket().at(0).sourcePath, photo);
    EXPECT_TRUE(dialogs.messageTexts().isEmpty()) << dialogs.messageTexts().join('\n').toStdString();
}

}  // namespace
