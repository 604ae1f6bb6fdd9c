#include "shell/frmErrorReport.h"

#include "core/ErrorReporter.h"
#include "core/ProgramFolder.h"
#include "core/WholeFileWrite.h"
#include "shell/MessageBoxes.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>
#include <deque>

namespace lumora {
namespace {

frmErrorReport::ShowHook& showHook()
{
    static frmErrorReport::ShowHook hook;
    return hook;
}

QString heading()
{
    return QString::fromLatin1(ProgramFolder::ExecutableName) + QStringLiteral(" has encountered a problem");
}

QLineEdit* readOnlyField(const char* name, const QString& text)
{
    auto* field = new QLineEdit(text);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setCursorPosition(0);  // long texts show their beginning
    return field;
}

// A name for a new report that no file in the folder has yet: the date and time, and a counter
// when several reports come within one second.
QString newReportPath(const QDir& folder)
{
    const QString stem = QStringLiteral("report-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = folder.filePath(stem + QStringLiteral(".txt"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(stem + u'-' + QString::number(n) + QStringLiteral(".txt"));
    return path;
}

void printOneLine(const ErrorReport& report)
{
    const QByteArray line = (report.application + QStringLiteral(": ") + report.oneLine() + u'\n').toUtf8();
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
}

// Reports waiting on the GUI thread for the window, and whether one is showing. Touched only on
// the GUI thread.
std::deque<ErrorReport>& pendingReports()
{
    static std::deque<ErrorReport> pending;
    return pending;
}
bool showingReports = false;

void showPendingReports(QWidget* parent)
{
    // A report queued while one is open waits for the loop below rather than stacking another
    // modal window on top of it.
    if (showingReports)
        return;
    showingReports = true;
    while (!pendingReports().empty()) {
        const ErrorReport report = pendingReports().front();
        pendingReports().pop_front();
        frmErrorReport::Show(report, parent);
    }
    showingReports = false;
}

}  // namespace

frmErrorReport::frmErrorReport(const ErrorReport& report, QWidget* parent) : QDialog(parent), report_(report)
{
    setObjectName(QStringLiteral("frmErrorReport"));
    setWindowTitle(ui::ApplicationName());

    auto* lblHeading = new QLabel(heading());
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    QFont bold = lblHeading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    lblHeading->setFont(bold);

    auto* lblApology = new QLabel(QStringLiteral(
        "We are sorry for the incovenience. We have created an error report that you can send to us. "
        "Please describe below what you were doing when the problem occurred; it helps us find the cause."));
    lblApology->setObjectName(QStringLiteral("lblApology"));
    lblApology->setWordWrap(true);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Application:"), readOnlyField("txtApplication", report.application));
    fields->addRow(QStringLiteral("Routine:"), readOnlyField("txtRoutine", report.routine));
    fields->addRow(QStringLiteral("Line:"), readOnlyField("txtLine", QString::number(report.line)));
    fields->addRow(QStringLiteral("Trapping String:"), readOnlyField("txtTrappingString", report.trappingString));
    fields->addRow(QStringLiteral("System error:"), readOnlyField("txtSystemError", report.systemError()));

    txtEmail_ = new QLineEdit;
    txtEmail_->setObjectName(QStringLiteral("txtEmail"));
    fields->addRow(QStringLiteral("E-mail:"), txtEmail_);

    txtDescription_ = new QPlainTextEdit;
    txtDescription_->setObjectName(QStringLiteral("txtDescription"));
    txtDescription_->setTabChangesFocus(true);
    auto* lblDescription = new QLabel(QStringLiteral("Description:"));
    lblDescription->setBuddy(txtDescription_);

    cmdSend_ = new QPushButton(QStringLiteral("&Send"));
    cmdSend_->setObjectName(QStringLiteral("cmdSend"));
    cmdCancel_ = new QPushButton(QStringLiteral("&Cancel"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cmdSend_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel_, QDialogButtonBox::RejectRole);
    connect(cmdSend_, &QPushButton::clicked, this, &frmErrorReport::cmdSend_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHeading);
    layout->addWidget(lblApology);
    layout->addLayout(fields);
    layout->addWidget(lblDescription);
    layout->addWidget(txtDescription_, 1);
    layout->addWidget(buttons);
    resize(520, 480);
    txtDescription_->setFocus();
}

QString frmErrorReport::reportText() const
{
    QString text;
    text += heading() + QStringLiteral("\n\n");
    text += QStringLiteral("Application: ") + report_.application + u'\n';
    text += QStringLiteral("Routine: ") + report_.routine + u'\n';
    text += QStringLiteral("Line: ") + QString::number(report_.line) + u'\n';
    text += QStringLiteral("Trapping String: ") + report_.trappingString + u'\n';
    text += QStringLiteral("System error: ") + report_.systemError() + u'\n';
    text += QStringLiteral("E-mail: ") + txtEmail_->text() + u'\n';
    text += QStringLiteral("Description:\n") + txtDescription_->toPlainText() + u'\n';
    return text;
}

QString frmErrorReport::reportsFolder() { return ProgramFolder::path() + QStringLiteral("/reports"); }

void frmErrorReport::cmdSend_Click()
{
    const QString text = reportText();
    // On the clipboard first: whatever happens to the file, the report can still be passed on.
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);

    savedPath_.clear();
    QString failure;
    const QDir folder(reportsFolder());
    if (!folder.mkpath(QStringLiteral("."))) {
        failure = QStringLiteral("The folder %1 could not be created.").arg(QDir::toNativeSeparators(folder.path()));
    } else {
        const QString path = newReportPath(folder);
        if (const std::optional<QString> why = writeWholeFile(path, text.toUtf8()))
            failure = *why;
        else
            savedPath_ = path;
    }

    if (!failure.isEmpty()) {
        // The window stays open so that the description typed is not lost.
        ui::ShowMessage(this,
                        QStringLiteral("The error report could not be saved: ") + failure +
                            QStringLiteral("\nIt has been copied to the clipboard."),
                        QMessageBox::Critical);
        return;
    }
    ui::ShowMessage(this,
                    QStringLiteral("The error report was saved as\n") + QDir::toNativeSeparators(savedPath_) +
                        QStringLiteral("\nand copied to the clipboard. Thank you for your time."),
                    QMessageBox::Information);
    accept();
}

void frmErrorReport::Show(const ErrorReport& report, QWidget* parent)
{
    // Held by a guard rather than on the stack: the main window may be torn down while the modal
    // loop runs, taking its children along.
    QPointer<frmErrorReport> dialog = new frmErrorReport(report, parent);
    if (const ShowHook hook = showHook())
        hook(*dialog);
    else
        dialog->exec();
    delete dialog.data();
}

frmErrorReport::ShowHook frmErrorReport::SetShowHook(ShowHook hook)
{
    ShowHook previous = std::move(showHook());
    showHook() = std::move(hook);
    return previous;
}

void installWindowErrorSink(QWidget* parent)
{
    const QPointer<QWidget> owner(parent);
    SetErrorSink([owner](const ErrorReport& report) {
        printOneLine(report);
        QCoreApplication* application = QCoreApplication::instance();
        if (!application)
            return;
        // Queued even on the GUI thread: see the header for why the window never opens here.
        QMetaObject::invokeMethod(
            application,
            [owner, report] {
                pendingReports().push_back(report);
                showPendingReports(owner.data());
            },
            Qt::QueuedConnection);
    });
}

}  // namespace lumora
