// The error report window: reports reaching it through the installed sink (also from worker
// threads), and what "&Send" and "&Cancel" leave behind.

#include "core/AppInfo.h"
#include "core/CurrentOperation.h"
#include "core/ErrorReporter.h"
#include "shell/frmErrorReport.h"
#include "support/FileBytes.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedDialogs.h"
#include "support/WaitFor.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace lumora;

namespace {

// What the window showed for one report: its five fields, and where and how it was shown.
struct SeenReport {
    QStringList fields;  // application, routine, line, trapping string, system error
    bool onGuiThread = false;
    bool nested = false;
    int result = -1;  // as the window was left
};

QStringList reportFiles(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

QString readUtf8(const QString& path) { return QString::fromUtf8(test::readBytes(path)); }

// A program folder of its own, the window's sink installed, and a show hook that records what
// the window showed and then lets `act` press its buttons. Everything goes back afterwards.
class frmErrorReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home_.isValid());
        previousSink_ = SetErrorSink(nullptr);
        installWindowErrorSink(&window_);
        previousHook_ = frmErrorReport::SetShowHook([this](frmErrorReport& dialog) {
            SeenReport seen;
            seen.nested = inHook_;
            inHook_ = true;
            for (const char* name : {"txtApplication", "txtRoutine", "txtLine", "txtTrappingString", "txtSystemError"}) {
                auto* field = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
                seen.fields << (field ? field->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name)));
            }
            seen.onGuiThread = QThread::currentThread() == qApp->thread();
            const size_t index = seen_.size();
            seen_.push_back(seen);
            if (act_)
                act_(dialog);
            seen_[index].result = dialog.result();
            inHook_ = false;
        });
    }

    void TearDown() override
    {
        frmErrorReport::SetShowHook(std::move(previousHook_));
        SetErrorSink(std::move(previousSink_));
        SetCurrentOperation(QString());
    }

    void waitForReports(size_t count)
    {
        test::waitFor([&] { return seen_.size() >= count; });
        ASSERT_EQ(seen_.size(), count);
    }

    static void press(frmErrorReport& dialog, const char* button) { dialog.findChild<QPushButton*>(button)->click(); }

    QString reportsFolder() const { return home_.path() + QStringLiteral("/reports"); }

    QTemporaryDir home_;
    test::ScopedEnvironment environment_{"LUMORA_HOME", home_.path().toUtf8()};
    test::ScriptedDialogs dialogs_;
    QWidget window_;
    ErrorSink previousSink_;
    frmErrorReport::ShowHook previousHook_;
    std::function<void(frmErrorReport&)> act_;
    std::vector<SeenReport> seen_;
    bool inHook_ = false;
};

TEST_F(frmErrorReportTest, ReportsFromWorkerThreadsAreShownOnTheGuiThreadOneAfterAnother)
{
    act_ = [](frmErrorReport& dialog) {
        // While one report is open, the others must wait rather than open on top of it.
        QCoreApplication::processEvents();
        press(dialog, "cmdCancel");
    };
    std::vector<std::thread> workers;
    for (int i = 0; i < 3; ++i) {
        workers.emplace_back([i] {
            SetCurrentOperation(QStringLiteral("Worker %1").arg(i));
            ReportError("Disk full", 61, i + 1, "fncSaveSinglePage");
        });
    }
    // The workers are not held up by the window: they finish before anything is shown.
    for (std::thread& worker : workers)
        worker.join();
    EXPECT_TRUE(seen_.empty());

    waitForReports(3);
    QStringList operations;
    for (const SeenReport& seen : seen_) {
        EXPECT_TRUE(seen.onGuiThread);
        EXPECT_FALSE(seen.nested);
        EXPECT_EQ(seen.fields.value(4), "61 - Disk full");
        EXPECT_EQ(seen.fields.value(3), QStringLiteral("Worker %1").arg(seen.fields.value(2).toInt() - 1));
        operations << seen.fields.value(3);
    }
    operations.sort();
    EXPECT_EQ(operations, (QStringList{"Worker 0", "Worker 1", "Worker 2"}));
}

TEST_F(frmErrorReportTest, AReportShowsItsFieldsCancelWritesNothingAndSendSavesEachInAFileOfItsOwn)
{
    // The first report is cancelled, the two after it are sent within the same second.
    QString firstText;
    act_ = [&](frmErrorReport& dialog) {
        if (seen_.size() == 1) {
            press(dialog, "cmdCancel");
            return;
        }
        dialog.findChild<QLineEdit*>("txtEmail")->setText("user@example.org");
        dialog.findChild<QPlainTextEdit*>("txtDescription")
            ->setPlainText("I was adding photos to the basket.\nThen it failed — über.");
        press(dialog, "cmdSend");
        if (firstText.isEmpty())
            firstText = readUtf8(dialog.savedPath());
    };
    SetCurrentOperation("Reading EXIF information from the selected file!");
    ReportError("Type mismatch", 13, 40, "modMetadata.ReadFileEXIFInfo");
    waitForReports(1);
    EXPECT_EQ(seen_[0].fields, (QStringList{"Lumora " + QString::fromLatin1(app::Version), "modMetadata.ReadFileEXIFInfo", "40",
                                            "Reading EXIF information from the selected file!", "13 - Type mismatch"}));
    EXPECT_TRUE(seen_[0].onGuiThread);
    EXPECT_EQ(seen_[0].result, QDialog::Rejected);
    EXPECT_TRUE(reportFiles(reportsFolder()).isEmpty());
    EXPECT_TRUE(dialogs_.messages().isEmpty());

    SetCurrentOperation("Adding selected files to basket!");
    ReportError("Path not found", 76, 12, "FrmMain.subAddToBasket");
    waitForReports(2);
    EXPECT_EQ(seen_[1].result, QDialog::Accepted);
    QStringList files = reportFiles(reportsFolder());
    ASSERT_EQ(files.size(), 1);
    const QString path = reportsFolder() + u'/' + files[0];
    const QString text = readUtf8(path);
    EXPECT_EQ(text, firstText);
    for (const QString& expected :
         {"Application: Lumora " + QString::fromLatin1(app::Version), QString("Routine: FrmMain.subAddToBasket"),
          QString("Line: 12"), QString("Trapping String: Adding selected files to basket!"),
          QString("System error: 76 - Path not found"), QString("user@example.org"),
          QString("I was adding photos to the basket.\nThen it failed — über.")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
    // The user is told where it went.
    ASSERT_EQ(dialogs_.messages().size(), 1);
    EXPECT_EQ(dialogs_.messages()[0].icon, QMessageBox::Information);
    EXPECT_TRUE(dialogs_.messages()[0].text.contains(QDir::toNativeSeparators(path)));

    ReportError("Path not found", 76, 13, "FrmMain.subAddToBasket");
    waitForReports(3);
    files = reportFiles(reportsFolder());
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(readUtf8(path), text);
    const QString second = readUtf8(reportsFolder() + u'/' + files[files[0] == QFileInfo(path).fileName() ? 1 : 0]);
    EXPECT_TRUE(second.contains("Line: 13"));
}

TEST_F(frmErrorReportTest, SendThatCannotSaveSaysSoAndKeepsTheWindowOpen)
{
    // A file where the reports folder should be.
    test::writeBytes(reportsFolder(), "");

    act_ = [](frmErrorReport& dialog) {
        dialog.findChild<QPlainTextEdit*>("txtDescription")->setPlainText("typed");
        press(dialog, "cmdSend");
        EXPECT_TRUE(dialog.savedPath().isEmpty());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);  // not closed by Send
        EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("typed"));
    };
    ReportError("Overflow", 6, 2, "subLoadSetup");
    waitForReports(1);

    ASSERT_EQ(dialogs_.messages().size(), 1);
    EXPECT_EQ(dialogs_.messages()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(QFileInfo(reportsFolder()).isFile());
}

}  // namespace
