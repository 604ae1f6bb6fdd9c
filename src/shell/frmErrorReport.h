#pragma once

#include "core/ErrorReport.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lumora {

// The error report window: what went wrong, where, and during which operation, with room for
// the user's e-mail address and a description of what they were doing. Lumora has no network
// channel for reports, so "&Send" keeps the report as a text file under the program folder's
// "reports" folder and copies it to the clipboard, for the user to pass on; "&Cancel" drops it.
class frmErrorReport : public QDialog {
    Q_OBJECT

public:
    explicit frmErrorReport(const ErrorReport& report, QWidget* parent = nullptr);

    const ErrorReport& report() const { return report_; }

    // The report as "&Send" saves it: the five fields, the e-mail address and the description.
    QString reportText() const;
    // Where the last "&Send" saved the report; empty before that or when saving failed.
    QString savedPath() const { return savedPath_; }

    // <program folder>/reports, where sent reports are kept.
    static QString reportsFolder();

    // Shows a report modally (or hands it to the hook, below) and returns when it is closed.
    static void Show(const ErrorReport& report, QWidget* parent);

    // With a hook installed, Show() hands the ready dialog to the hook instead of running it, so
    // widget tests can read and press it without a modal loop. Returns the hook it replaces.
    using ShowHook = std::function<void(frmErrorReport&)>;
    static ShowHook SetShowHook(ShowHook hook);

public Q_SLOTS:
    void cmdSend_Click();

private:
    ErrorReport report_;
    QString savedPath_;

    QLineEdit* txtEmail_ = nullptr;
    QPlainTextEdit* txtDescription_ = nullptr;
    QPushButton* cmdSend_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

// Makes every error report open the report window over parent (may be null), and also print
// its one-line form to standard error.
//
// The window never opens inside the reporter's call: ReportError holds its lock while the sink
// runs, so a modal loop there would keep the lock through every event it handles, and a report
// raised in that loop on the GUI thread would wait for itself. A worker thread waiting for the
// GUI thread could likewise meet the GUI thread waiting for the lock. So the sink queues the
// report to the GUI thread and returns; queued reports are shown one after another, each when
// the one before it is closed.
void installWindowErrorSink(QWidget* parent);

}  // namespace lumora
