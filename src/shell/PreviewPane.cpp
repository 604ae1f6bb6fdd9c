#include "shell/PreviewPane.h"

#include "core/CurrentOperation.h"
#include "core/ReportFailures.h"
#include "edit/EditSession.h"
#include "engine/ImageBox.h"
#include "metadata/MetadataList.h"
#include "metadata/MetadataReading.h"
#include "metadata/MetadataTables.h"
#include "output/frmSaveAdvanced.h"
#include "shell/EngineView.h"
#include "shell/FileDialogs.h"
#include "shell/GlobalSetup.h"
#include "shell/PaneCaption.h"
#include "tasks/TaskIconPainting.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace lumora {

namespace {

const QString UnknownResolution = QStringLiteral("0 X 0 X 0");

// What "Save Preview As" > "Image document" offers: every format the engine writes, by extension.
struct SaveFormat {
    const char* description;
    const char* patterns;
    const char* extension;
};
constexpr SaveFormat SaveFormats[] = {
    {"JPEG Image", "*.jpg;*.jpeg;*.jpe", "jpg"},  {"PNG Image", "*.png", "png"},
    {"TIFF Image", "*.tif;*.tiff", "tif"},        {"Windows Bitmap", "*.bmp", "bmp"},
    {"GIF Image", "*.gif", "gif"},                {"PCX Image", "*.pcx", "pcx"},
    {"Photoshop Image", "*.psd", "psd"},          {"Wireless Bitmap", "*.wbmp", "wbmp"},
    {"PDF Document", "*.pdf", "pdf"},
};

QString SaveFilter()
{
    QString filter;
    for (const SaveFormat& f : SaveFormats)
        filter += QLatin1String(f.description) + u'|' + QLatin1String(f.patterns) + u'|';
    return filter;
}

bool WritableExtension(const QString& extension)
{
    for (const SaveFormat& f : SaveFormats) {
        const QStringList patterns = QString::fromLatin1(f.patterns).split(u';');
        if (patterns.contains(QStringLiteral("*.") + extension))
            return true;
    }
    return false;
}

// The desktop's printer icon, or one of Lumora's own on the task icons' grid.
QIcon printerIcon()
{
    if (QIcon::hasThemeIcon(QStringLiteral("document-print")))
        return QIcon::fromTheme(QStringLiteral("document-print"));
    using namespace iconpaint;
    return iconOf([](QPainter& p) {
        p.setPen(pen(Ink, 1.5));
        p.setBrush(Paper);
        p.drawRect(QRectF(7, 3, 10, 6));  // the sheet going in
        p.setBrush(Shadow);
        p.drawRoundedRect(QRectF(3, 9, 18, 8), 1.5, 1.5);  // the body
        p.setBrush(Paper);
        p.drawRect(QRectF(7, 14, 10, 7));  // the printed sheet
        p.setPen(pen(Highlight, 1.5));
        p.drawLine(QPointF(9.5, 17.5), QPointF(14.5, 17.5));
    });
}

}  // namespace

PreviewPane::PreviewPane(EditSession& session, MetadataList& exifList, MetadataList& iptcList, QWidget* parent)
    : QWidget(parent), session_(session), exif_(exifList), iptc_(iptcList)
{
    caption_ = makePaneCaption(QStringLiteral("Preview"), QStringLiteral("lblPreview"), this);

    auto makeButton = [this](const QString& name, const QString& text) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setText(text);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        return button;
    };
    cmdPreviewType_ = makeButton(QStringLiteral("cmdPreviewType"), QString());
    cmdPreviewView_ = makeButton(QStringLiteral("cmdPreviewView"), QString());
    cmdPreviewPrevious_ = makeButton(QStringLiteral("cmdPreviewPrevious"), QStringLiteral("Previous file"));
    cmdPreviewNext_ = makeButton(QStringLiteral("cmdPreviewNext"), QStringLiteral("Next image"));
    connect(cmdPreviewPrevious_, &QToolButton::clicked, this, &PreviewPane::previousRequested);
    connect(cmdPreviewNext_, &QToolButton::clicked, this, &PreviewPane::nextRequested);

    container_ = new QWidget(this);
    container_->setObjectName(QStringLiteral("PicViewImage"));
    view_ = new EngineView(container_);
    auto* inner = new QVBoxLayout(container_);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(view_);

    buildMenus();

    auto* bar = toolBar_ = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(caption_);
    bar->addStretch(1);
    bar->addWidget(cmdPreviewType_);
    bar->addWidget(cmdPreviewView_);
    bar->addWidget(cmdPreviewPrevious_);
    bar->addWidget(cmdPreviewNext_);
    // "Print image" as an icon of its own: a caption would widen the pane's least width.
    auto* printButton = new QToolButton(this);
    printButton->setObjectName(QStringLiteral("cmdPreviewPrintButton"));
    printButton->setDefaultAction(printAction_);
    printButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    printButton->setAutoRaise(true);
    bar->addWidget(printButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(container_, 1);

    connect(&session_, &EditSession::pictureChanged, this, [this] { view_->showPicture(session_.picture()); });
    connect(&session_, &EditSession::opened, this, &PreviewPane::photoOpened);
    connect(&session_, &EditSession::stateChanged, this, [this] {
        // A busy pointer over the photo while it is being read or rendered; an armed mouse tool
        // keeps its own.
        if (session_.isBusy())
            container_->setCursor(Qt::BusyCursor);
        else
            container_->unsetCursor();
    });
    connect(view_, &EngineView::viewChanged, this, [this] { session_.setView(view_->viewSettings()); });
    session_.setView(view_->viewSettings());

    setPreviewMode(BestFit, Optimized);
}

PreviewPane::~PreviewPane() = default;

void PreviewPane::addCommand(QAction* command, QAction* menuItem)
{
    auto* button = new QToolButton(this);
    button->setDefaultAction(command);
    button->setObjectName(command->objectName());
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    // After the caption and the stretch, before the preview's own commands.
    toolBar_->insertWidget(2, button);
    if (menuItem) {
        QAction* first = mnuPreview_->actions().value(0);
        mnuPreview_->insertAction(first, menuItem);
        mnuPreview_->insertSeparator(first);
    }
}

void PreviewPane::buildMenus()
{
    // A menu of two exclusive choices; choosing item i calls choose(i).
    auto choiceMenu = [this](const QString& name, const QString (&items)[2], QActionGroup*& group, void (PreviewPane::*choose)(int)) {
        auto* menu = new QMenu(this);
        menu->setObjectName(name);
        group = new QActionGroup(this);
        for (int i = 0; i < 2; ++i) {
            QAction* item = menu->addAction(items[i]);
            item->setCheckable(true);
            group->addAction(item);
            connect(item, &QAction::triggered, this, [this, choose, i] { (this->*choose)(i); });
        }
        return menu;
    };
    const QString types[] = {QStringLiteral("Original"), QStringLiteral("Optimized")};
    mnuPreviewType_ = choiceMenu(QStringLiteral("mnuPreviewType"), types, typeGroup_, &PreviewPane::chooseType);
    const QString fits[] = {QStringLiteral("Best Fit"), QStringLiteral("Actual Size")};
    mnuPreviewFit_ = choiceMenu(QStringLiteral("mnuPreviewFit"), fits, fitGroup_, &PreviewPane::chooseFit);

    cmdPreviewType_->setMenu(mnuPreviewType_);
    cmdPreviewType_->setPopupMode(QToolButton::InstantPopup);
    cmdPreviewView_->setMenu(mnuPreviewFit_);
    cmdPreviewView_->setPopupMode(QToolButton::InstantPopup);

    mnuPreview_ = new QMenu(this);
    mnuPreview_->setObjectName(QStringLiteral("mnuPreview"));
    QAction* previous = mnuPreview_->addAction(QStringLiteral("Previous file"));
    previous->setObjectName(QStringLiteral("mnuPreviewPrevious"));
    connect(previous, &QAction::triggered, this, &PreviewPane::previousRequested);
    QAction* next = mnuPreview_->addAction(QStringLiteral("Next image"));
    next->setObjectName(QStringLiteral("mnuPreviewNext"));
    connect(next, &QAction::triggered, this, &PreviewPane::nextRequested);
    QAction* print = printAction_ = mnuPreview_->addAction(printerIcon(), QStringLiteral("Print image"));
    print->setObjectName(QStringLiteral("cmdPreviewPrint"));
    print->setToolTip(QStringLiteral("Print image"));
    connect(print, &QAction::triggered, this, &PreviewPane::printRequested);
    mnuPreview_->addSeparator();
    mnuSavePreviewAs_ = mnuPreview_->addMenu(QStringLiteral("Save Preview As"));
    mnuSavePreviewAs_->setObjectName(QStringLiteral("mnuSavePreviewAs"));
    QAction* document = mnuSavePreviewAs_->addAction(QStringLiteral("Image document"));
    document->setObjectName(QStringLiteral("mnuSaveImageDocument"));
    connect(document, &QAction::triggered, this, &PreviewPane::savePreviewAsDocument);
    QAction* interactive = mnuSavePreviewAs_->addAction(QStringLiteral("Interactive save utility"));
    interactive->setObjectName(QStringLiteral("mnuSaveInteractive"));
    connect(interactive, &QAction::triggered, this, &PreviewPane::savePreviewInteractively);
    // The shows are packaged by the main window, which holds the baskets and the settings.
    QAction* greeting = mnuSavePreviewAs_->addAction(QStringLiteral("Greeting image"));
    greeting->setObjectName(QStringLiteral("mnuSaveGreeting"));
    connect(greeting, &QAction::triggered, this, [this] {
        if (session_.shown())
            Q_EMIT greetingRequested();
    });
    QAction* screensaver = mnuSavePreviewAs_->addAction(QStringLiteral("Single image screensaver"));
    screensaver->setObjectName(QStringLiteral("mnuSaveScreensaver"));
    connect(screensaver, &QAction::triggered, this, [this] {
        if (session_.shown())
            Q_EMIT singleScreensaverRequested();
    });
}

void PreviewPane::setLastRowProvider(std::function<int()> provider) { lastRowProvider_ = std::move(provider); }

int PreviewPane::lastRow() const
{
    if (type_ != Optimized)
        return EditSession::NoTasks;
    return lastRowProvider_ ? lastRowProvider_() : EditSession::AllTasks;
}

void PreviewPane::updateCaptions()
{
    // The padding leaves room for the buttons' pictures.
    typeGroup_->actions().at(type_)->setChecked(true);
    fitGroup_->actions().at(fit_)->setChecked(true);
    cmdPreviewType_->setText(QStringLiteral("    ") + typeGroup_->actions().at(type_)->text());
    cmdPreviewView_->setText(QStringLiteral("  ") + fitGroup_->actions().at(fit_)->text());
}

void PreviewPane::setPreviewMode(int fit, int type)
{
    const int oldType = type_;
    fit_ = fit == ActualSize ? ActualSize : BestFit;
    type_ = type == Original ? Original : Optimized;
    updateCaptions();
    subFixedSizeTiff();
    if (type_ != oldType)
        reapplyTasks();
}

void PreviewPane::chooseFit(int fit)
{
    fit_ = fit == ActualSize ? ActualSize : BestFit;
    updateCaptions();
    subFixedSizeTiff();
    Q_EMIT statusText(QStringLiteral("status"), QString::number(view_->viewSettings().zoom) + u'%');
}

void PreviewPane::chooseType(int type)
{
    type_ = type == Original ? Original : Optimized;
    updateCaptions();
    reapplyTasks();
}

void PreviewPane::subFixedSizeTiff()
{
    SetCurrentOperation(QStringLiteral("Resizing Image according to preview setting"));
    view_->setFit(fit_ == BestFit, 100);
}

void PreviewPane::reapplyTasks() { session_.runBasket(lastRow()); }

bool PreviewPane::isLoading() const { return session_.state() == EditSession::State::Loading; }

QString PreviewPane::previewedPath() const { return session_.path(); }

void PreviewPane::clearMetadata()
{
    exif_.clear();
    iptc_.clear();
}

void PreviewPane::clearPreview()
{
    session_.clear();
    clearMetadata();
}

bool PreviewPane::showSelectedFile(const QString& path, int pages, const QString& resolutionText)
{
    // The path counts as previewed from the request on, so selecting it again while it is being
    // read starts no second read.
    if (!session_.open(path, lastRow()))
        return false;
    requestedPages_ = pages;
    requestedResolution_ = resolutionText;
    return true;
}

void PreviewPane::photoOpened(const QString& path, bool ok)
{
    clearMetadata();
    if (ok) {
        Q_EMIT statusText(QStringLiteral("filename"), QFileInfo(path).fileName());
        QString resolution = requestedResolution_;
        if (resolution.isEmpty() || resolution == UnknownResolution) {
            const QSize size = session_.loadedSize();
            resolution =
                QStringLiteral("%1 X %2 X %3").arg(size.width()).arg(size.height()).arg(session_.loadedDepth());
            Q_EMIT resolutionKnown(path, resolution);
        }
        const int pageCount = requestedPages_ < 0 ? session_.pageCount() : requestedPages_;
        Q_EMIT statusText(QStringLiteral("pages"), QString::number(pageCount) + QStringLiteral(" page(s)"));
        Q_EMIT statusText(QStringLiteral("resolution"), QStringLiteral("     ") + resolution);
    }
    readMetadata(path);
    Q_EMIT previewShown(path, ok);
}

void PreviewPane::readMetadata(const QString& path)
{
    const ImageBox* photo = session_.shown();
    if (!photo) {
        Q_EMIT statusText(QStringLiteral("metadata"), QStringLiteral("No metadata"));
        return;
    }
    if (modMetadata::ShowsExif(path))
        modMetadata::ReadFileEXIFInfo(*photo, exif_, path);
    if (modMetadata::ShowsIptc(path))
        modMetadata::ReadFileIPTCInfo(*photo, iptc_, path);

    // The IPTC list always has its rows once read; whether the file carries IPTC is the engine's.
    const bool exif = !exif_.isEmpty();
    const bool iptc = modMetadata::ShowsIptc(path) && photo->HasIptc();
    QString text = QStringLiteral("No metadata");
    if (exif || iptc) {
        text = QStringLiteral("Metadata - ");
        if (exif)
            text += QStringLiteral("EXIF");
        if (iptc)
            text += QStringLiteral(" IPTC");
    }
    Q_EMIT statusText(QStringLiteral("metadata"), text);
}

void PreviewPane::savePreviewAsDocument()
{
    if (!session_.shown())
        return;
    const ui::FileChoice choice = ui::ChooseSaveFile(this, QStringLiteral("Save Preview As"), SaveFilter());
    if (choice.path.isEmpty())
        return;

    QString target = choice.path;
    if (!WritableExtension(modMetadata::LowerExtension(target))) {
        const int index = std::clamp(choice.filterIndex, 0, int(std::size(SaveFormats)) - 1);
        target += u'.' + QLatin1String(SaveFormats[index].extension);
    }
    int line = 0;
    reportFailures(QStringLiteral("FrmMain.subSavePreview"), line, [&] {
        line = 1;
        SetCurrentOperation(QStringLiteral("Saving the preview as an image document"));
        session_.saveShownTo(target);
    });
}

void PreviewPane::savePreviewInteractively()
{
    if (!session_.shown() || session_.picture().isNull())
        return;
    frmSaveAdvanced dialog(outputFormat_ ? *outputFormat_ : globalSetup().outputFormat, session_.picture(), this);
    dialog.exec();
}

void PreviewPane::contextMenuEvent(QContextMenuEvent* event)
{
    if (!container_->geometry().contains(event->pos())) {
        QWidget::contextMenuEvent(event);
        return;
    }
    mnuSavePreviewAs_->menuAction()->setEnabled(session_.shown() != nullptr);
    mnuPreview_->popup(event->globalPos());
    event->accept();
}

}  // namespace lumora
