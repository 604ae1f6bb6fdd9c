#include "acquire/frmCapture.h"

#include "acquire/AcquiredPhoto.h"
#include "acquire/fCaptureRectangle.h"
#include "acquire/modCapture.h"
#include "core/CurrentOperation.h"
#include "core/ErrorReporter.h"
#include "engine/ImageBox.h"
#include "shell/frmMain.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace lumora {

namespace {
const QString SaveRoutine = QStringLiteral("frmCapture.subAddItemToBasket");
const QString CaptureRoutine = QStringLiteral("frmCapture.subCapture");
// Time for the windows to minimise or hide before the grab.
constexpr int ClearingDelayMs = 500;
// "Foreground" grabs the screen as it is, once the capture window has left it: on X11 the windows
// below it must first be told and paint again.
constexpr int LeavingDelayMs = 100;
}  // namespace

frmCapture::frmCapture(frmMain& window, const SetupRecord::Capture& settings)
    : QDialog(&window), window_(window), settings_(settings)
{
    setWindowTitle(tr("Capture"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Choose a screen to capture"), this));
    auto* choices = new QGroupBox(this);
    auto* choiceLayout = new QVBoxLayout(choices);
    auto* group = new QButtonGroup(this);
    const QString captions[] = {tr("Desktop"), tr("Foreground"), tr("Background")};
    for (int i = 0; i < 3; ++i) {
        options_[i] = new QRadioButton(captions[i], choices);
        group->addButton(options_[i], i);
        choiceLayout->addWidget(options_[i]);
    }
    options_[std::clamp<int>(settings_.mode, 0, 2)]->setChecked(true);
    layout->addWidget(choices);

    auto* buttons = new QHBoxLayout;
    auto* whole = new QPushButton(tr("Whole Screen"), this);
    auto* region = new QPushButton(tr("Select Region"), this);
    auto* exit = new QPushButton(tr("Exit"), this);
    whole->setDefault(true);
    for (QPushButton* button : {whole, region, exit})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(whole, &QPushButton::clicked, this, [this] { subCapture(selectedMode()); });
    connect(region, &QPushButton::clicked, this, [this] { selectRegion(selectedMode()); });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

int frmCapture::selectedMode() const
{
    for (int i = 0; i < 3; ++i) {
        if (options_[i]->isChecked())
            return i;
    }
    return 0;
}

bool frmCapture::clearScreen(int mode)
{
    hide();
    if (mode == 1)
        return false;
    desktopShown_ = mode == 0 && modCapture::ShowDesktop(true);
    if (desktopShown_)
        return true;
    // No window manager to show the desktop, or "Background": Lumora's own windows go.
    window_.hide();
    window_.showMinimized();
    return true;
}

Picture frmCapture::grab()
{
    SetCurrentOperation(QStringLiteral("Capturing the screen"));
    try {
        return modCapture::CaptureScreen();
    } catch (const std::exception& error) {
        ReportError(QString::fromUtf8(error.what()), 0, 0, CaptureRoutine);
    }
    return {};
}

void frmCapture::subCapture(int mode)
{
    const auto takeScreen = [this] {
        const Picture picture = grab();
        if (desktopShown_)
            modCapture::ShowDesktop(false);
        if (picture.isNull())
            window_.showMaximized();
        else
            takeOver(window_, picture, settings_);
        finish();
    };
    QTimer::singleShot(clearScreen(mode) ? ClearingDelayMs : LeavingDelayMs, this, takeScreen);
}

void frmCapture::selectRegion(int mode)
{
    const auto showRegion = [this] {
        const Picture picture = grab();
        if (desktopShown_)
            modCapture::ShowDesktop(false);
        if (picture.isNull()) {
            window_.showMaximized();
        } else {
            auto* region = new fCaptureRectangle(window_, settings_);
            region->ShowPicture(picture);
        }
        finish();
    };
    QTimer::singleShot(clearScreen(mode) ? ClearingDelayMs : LeavingDelayMs, this, showRegion);
}

void frmCapture::finish()
{
    hide();
    deleteLater();
}

bool frmCapture::takeOver(frmMain& window, const Picture& picture, const SetupRecord::Capture& settings)
{
    SetCurrentOperation(QStringLiteral("Adding the captured picture to the basket"));
    const QString path = modCapture::NewCapturedFileName(settings.folder, settings.genericName);
    bool taken = false;
    try {
        ImageBox engine;
        engine.SetBitmapHandle(picture);
        engine.SaveToFile(path);
        taken = AcquiredPhoto(window).take(path, SaveRoutine);
    } catch (const std::exception& error) {
        ReportError(QString::fromUtf8(error.what()), 0, 0, SaveRoutine);
    }
    window.showMaximized();
    return taken;
}

}  // namespace lumora
