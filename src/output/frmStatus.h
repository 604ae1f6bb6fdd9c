#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace lumora {

// The small window shown, modeless, over the main window while a long run works: a label, a
// progress bar and Cancel. Cancel only asks: the label says so and cancelRequested() goes to
// the run, which lets the photos in progress finish; the owner closes the window with
// closeWhenDone() once the run has ended. Closing the window by hand (or Esc) is a Cancel.
class frmStatus : public QDialog {
    Q_OBJECT

public:
    explicit frmStatus(QWidget* parent = nullptr);

    QString labelText() const;
    bool cancelled() const { return cancelled_; }

public Q_SLOTS:
    // The progress bar's maximum and value.
    void setProgress(int done, int count);
    void setLabelText(const QString& text);
    void cmdCancel_Click();
    // Closes the window for good (the run is over).
    void closeWhenDone();

Q_SIGNALS:
    void cancelRequested();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* lblStatus_ = nullptr;
    QProgressBar* pbStatus_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    bool cancelled_ = false;
    bool done_ = false;
};

}  // namespace lumora
