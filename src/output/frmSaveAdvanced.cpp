#include "output/frmSaveAdvanced.h"

#include "core/LumoraError.h"
#include "core/OleColor.h"
#include "core/ProgramFolder.h"
#include "core/WholeFileWrite.h"
#include "engine/ImageBox.h"
#include "shell/ColorDialogs.h"
#include "shell/EngineView.h"
#include "shell/FileDialogs.h"
#include "shell/MessageBoxes.h"
#include "work/LatestWorker.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace lumora {

namespace OFO = OutputFormatOptions;

namespace {

constexpr int TwipsPerPixel = 15;
const char* const StatusKeys[] = {"format", "resolution", "zoom", "size"};

// A group of exclusive options named after the group with their index.
QButtonGroup* optionGroup(QWidget* parent, QLayout* layout, const QString& name, const QStringList& captions)
{
    auto* group = new QButtonGroup(parent);
    group->setObjectName(name);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions.at(i), parent);
        option->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
        group->addButton(option, i);
        layout->addWidget(option);
    }
    return group;
}

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

frmSaveAdvanced::frmSaveAdvanced(SetupRecord::OutputFormat& settings, const Picture& original, QWidget* parent)
    : QDialog(parent), settings_(settings), original_(original), worker_(std::make_unique<LatestWorker>(this))
{
    setObjectName(QStringLiteral("frmSaveAdvanced"));
    setWindowTitle(QStringLiteral("Interactive save utility"));
    setSizeGripEnabled(true);

    // The format, its depth and its options along the top.
    auto* options = new QHBoxLayout;
    auto* formatColumn = new QGridLayout;
    cboFormat_ = named(new QComboBox(this), "cboFormat");
    for (const OFO::Format& f : OFO::formats())
        cboFormat_->addItem(QString::fromLatin1(f.caption));
    lblColorFormat_ = new QLabel(QStringLiteral("Color depth"), this);
    cboColorFormat_ = named(new QComboBox(this), "cboColorFormat");
    formatColumn->addWidget(new QLabel(QStringLiteral("Format"), this), 0, 0);
    formatColumn->addWidget(cboFormat_, 0, 1);
    formatColumn->addWidget(lblColorFormat_, 1, 0);
    formatColumn->addWidget(cboColorFormat_, 1, 1);
    options->addLayout(formatColumn);
    picFrameGIF_ = buildGifFrame();
    picFrameJPG_ = buildJpgFrame();
    picFramePNG_ = buildPngFrame();
    picFrameTiff_ = buildTiffFrame();
    for (QWidget* frame : {picFrameGIF_, picFrameJPG_, picFramePNG_, picFrameTiff_})
        options->addWidget(frame);
    options->addStretch();

    // The two pictures side by side.
    auto* views = new QHBoxLayout;
    ibOriginal_ = named(new EngineView(this), "ibOriginal");
    ibOptimized_ = named(new EngineView(this), "ibOptimized");
    for (EngineView* view : {ibOriginal_, ibOptimized_}) {
        view->installEventFilter(this);
        views->addWidget(view, 1);
    }
    // The same part of the picture on both sides.
    for (auto [from, to] : {std::pair{ibOriginal_, ibOptimized_}, {ibOptimized_, ibOriginal_}}) {
        connect(from->horizontalScrollBar(), &QScrollBar::valueChanged, to->horizontalScrollBar(), &QScrollBar::setValue);
        connect(from->verticalScrollBar(), &QScrollBar::valueChanged, to->verticalScrollBar(), &QScrollBar::setValue);
    }
    connect(ibOriginal_, &EngineView::viewChanged, this, &frmSaveAdvanced::updateZoomPanel);
    connect(ibOriginal_, &EngineView::colorPicked, this,
            [this](QPoint, std::uint32_t ole) { colorPicked(ole); });

    // The size and the commands along the bottom.
    auto* commands = new QHBoxLayout;
    lblSize_ = named(new QLabel(this), "lblSize");
    cmdZoom_ = named(new QToolButton(this), "cmdZoom");
    cmdZoom_->setText(QStringLiteral("Zoom"));
    cmdZoom_->setPopupMode(QToolButton::InstantPopup);
    mnuPreview_ = named(new QMenu(this), "mnuPreview");
    auto* modes = new QActionGroup(this);
    const QString modeCaptions[] = {QStringLiteral("Best Fit"), QStringLiteral("Actual Size")};
    for (int i = 0; i < 2; ++i) {
        QAction* mode = mnuPreview_->addAction(modeCaptions[i]);
        mode->setObjectName(QStringLiteral("mnuPreview_%1").arg(i));
        mode->setCheckable(true);
        modes->addAction(mode);
        connect(mode, &QAction::triggered, this, [this, i] { choosePreviewMode(i); });
    }
    cmdZoom_->setMenu(mnuPreview_);
    cmdSave_ = named(new QPushButton(QStringLiteral("Save Optimized"), this), "cmdSave");
    cmdCancel_ = named(new QPushButton(QStringLiteral("Exit"), this), "cmdCancel");
    connect(cmdSave_, &QPushButton::clicked, this, &frmSaveAdvanced::cmdSave_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmSaveAdvanced::cmdCancel_Click);
    commands->addWidget(lblSize_);
    commands->addStretch();
    commands->addWidget(cmdZoom_);
    commands->addWidget(cmdSave_);
    commands->addWidget(cmdCancel_);

    statusBar_ = named(new QStatusBar(this), "sbStatus");
    statusBar_->setSizeGripEnabled(false);
    for (const char* key : StatusKeys) {
        auto* panel = named(new QLabel(this), key);
        statusBar_->addWidget(panel, QLatin1String(key) == u"size" ? 1 : 0);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addLayout(views, 1);
    layout->addLayout(commands);
    layout->addWidget(statusBar_);

    // Opening: the size, the stored choices, both pictures, the preview mode, then the format.
    resize(std::max(400, int(settings_.dialogWidth / TwipsPerPixel)),
           std::max(300, int(settings_.dialogHeight / TwipsPerPixel)));
    filling_ = true;
    cboFormat_->setCurrentIndex(OFO::storedFormat(settings_));
    const OFO::Choice stored = OFO::storedChoice(settings_, OFO::storedFormat(settings_));
    cboTIFFCompression_->setCurrentIndex(stored.tiffCompression);
    optGIFCompression_->button(stored.gifLzw ? 1 : 0)->setChecked(true);
    chkGIFTransparent_->setChecked(settings_.gifTransparent != 0);
    chkPNGTransparent_->setChecked(settings_.pngTransparent != 0);
    gifColor_ = std::uint32_t(settings_.gifTransparentColor);
    pngColor_ = std::uint32_t(settings_.pngTransparentColor);
    showColor(cmdGIFTransparentColor_, gifColor_);
    showColor(cmdPNGtransprentColor_, pngColor_);
    sldJPGQuality_->setValue(stored.jpegQuality);
    optJPGEncoding_->button(stored.progressive ? 1 : 0)->setChecked(true);
    filling_ = false;
    ibOriginal_->showPicture(original_);
    setPanel(QStringLiteral("resolution"), QStringLiteral("%1 x %2").arg(original_.width()).arg(original_.height()));
    choosePreviewMode(settings_.previewMode == 1 ? 1 : 0);
    connect(cboFormat_, &QComboBox::currentIndexChanged, this, &frmSaveAdvanced::cboFormat_Click);
    connect(cboColorFormat_, &QComboBox::currentIndexChanged, this, &frmSaveAdvanced::cboColorFormat_Click);
    cboFormat_Click();
}

frmSaveAdvanced::~frmSaveAdvanced() = default;

QWidget* frmSaveAdvanced::buildGifFrame()
{
    auto* frame = named(new QGroupBox(QStringLiteral("GIF"), this), "picFrameGIF");
    auto* layout = new QVBoxLayout(frame);
    auto* compression = new QHBoxLayout;
    compression->addWidget(new QLabel(QStringLiteral("Compression"), frame));
    optGIFCompression_ = optionGroup(frame, compression, QStringLiteral("optGIFCompression"),
                                     {QStringLiteral("None"), QStringLiteral("LZW")});
    layout->addLayout(compression);
    auto* transparency = new QHBoxLayout;
    chkGIFTransparent_ = named(new QCheckBox(QStringLiteral("Transparent"), frame), "chkGIFTransparent");
    cmdGIFTransparentColor_ = named(new QPushButton(frame), "cmdGIFTransparentColor");
    chkGIFPickColor_ = named(new QCheckBox(QStringLiteral("Pick from image"), frame), "chkGIFPickColor");
    transparency->addWidget(chkGIFTransparent_);
    transparency->addWidget(cmdGIFTransparentColor_);
    transparency->addWidget(chkGIFPickColor_);
    layout->addLayout(transparency);
    connect(optGIFCompression_, &QButtonGroup::idClicked, this, &frmSaveAdvanced::refreshOptimized);
    connect(chkGIFTransparent_, &QCheckBox::toggled, this, &frmSaveAdvanced::refreshOptimized);
    connect(cmdGIFTransparentColor_, &QPushButton::clicked, this, [this] { chooseTransparentColor(true); });
    connect(chkGIFPickColor_, &QCheckBox::toggled, this, &frmSaveAdvanced::updatePickTool);
    return frame;
}

QWidget* frmSaveAdvanced::buildJpgFrame()
{
    auto* frame = named(new QGroupBox(QStringLiteral("JPG"), this), "picFrameJPG");
    auto* layout = new QGridLayout(frame);
    sldJPGQuality_ = named(new QSlider(Qt::Horizontal, frame), "sldJPGQuality");
    sldJPGQuality_->setRange(1, 100);
    txtJPGQuality_ = named(new QSpinBox(frame), "txtJPGQuality");
    txtJPGQuality_->setRange(1, 100);
    txtJPGQualityD_ = named(new QLabel(QStringLiteral("Quality (1 - 100)"), frame), "txtJPGQualityD");
    layout->addWidget(txtJPGQualityD_, 0, 0);
    layout->addWidget(sldJPGQuality_, 0, 1);
    layout->addWidget(txtJPGQuality_, 0, 2);
    auto* encoding = new QHBoxLayout;
    encoding->addWidget(new QLabel(QStringLiteral("Encoding"), frame));
    optJPGEncoding_ = optionGroup(frame, encoding, QStringLiteral("optJPGEncoding"),
                                  {QStringLiteral("Standard"), QStringLiteral("Progressive")});
    layout->addLayout(encoding, 1, 0, 1, 3);
    // The slider and the number follow each other; either change refreshes once.
    connect(sldJPGQuality_, &QSlider::valueChanged, txtJPGQuality_, &QSpinBox::setValue);
    connect(txtJPGQuality_, &QSpinBox::valueChanged, sldJPGQuality_, &QSlider::setValue);
    connect(sldJPGQuality_, &QSlider::valueChanged, this, &frmSaveAdvanced::refreshOptimized);
    connect(optJPGEncoding_, &QButtonGroup::idClicked, this, &frmSaveAdvanced::refreshOptimized);
    return frame;
}

QWidget* frmSaveAdvanced::buildPngFrame()
{
    auto* frame = named(new QGroupBox(QStringLiteral("PNG"), this), "picFramePNG");
    auto* layout = new QHBoxLayout(frame);
    chkPNGTransparent_ = named(new QCheckBox(QStringLiteral("Transparent"), frame), "chkPNGTransparent");
    cmdPNGtransprentColor_ = named(new QPushButton(frame), "cmdPNGtransprentColor");
    chkPNGpickColor_ = named(new QCheckBox(QStringLiteral("Pick from image"), frame), "chkPNGpickColor");
    layout->addWidget(chkPNGTransparent_);
    layout->addWidget(cmdPNGtransprentColor_);
    layout->addWidget(chkPNGpickColor_);
    connect(chkPNGTransparent_, &QCheckBox::toggled, this, &frmSaveAdvanced::refreshOptimized);
    connect(cmdPNGtransprentColor_, &QPushButton::clicked, this, [this] { chooseTransparentColor(false); });
    connect(chkPNGpickColor_, &QCheckBox::toggled, this, &frmSaveAdvanced::updatePickTool);
    return frame;
}

QWidget* frmSaveAdvanced::buildTiffFrame()
{
    auto* frame = named(new QGroupBox(QStringLiteral("TIF"), this), "picFrameTiff");
    auto* layout = new QHBoxLayout(frame);
    cboTIFFCompression_ = named(new QComboBox(frame), "cboTIFFCompression");
    cboTIFFCompression_->addItems({QStringLiteral("None"), QStringLiteral("Packbits"), QStringLiteral("CCITT Group 4 Fax")});
    layout->addWidget(new QLabel(QStringLiteral("Compression"), frame));
    layout->addWidget(cboTIFFCompression_);
    connect(cboTIFFCompression_, &QComboBox::currentIndexChanged, this, &frmSaveAdvanced::refreshOptimized);
    return frame;
}

OFO::Choice frmSaveAdvanced::currentChoice() const
{
    OFO::Choice choice;
    choice.format = cboFormat_->currentIndex();
    choice.depthPosition = std::max(0, cboColorFormat_->currentIndex());
    choice.jpegQuality = sldJPGQuality_->value();
    choice.progressive = optJPGEncoding_->checkedId() == 1;
    choice.gifLzw = optGIFCompression_->checkedId() == 1;
    const bool gif = OFO::format(choice.format).extras == OFO::Extras::Gif;
    choice.transparent = (gif ? chkGIFTransparent_ : chkPNGTransparent_)->isChecked();
    choice.transparentColor = gif ? gifColor_ : pngColor_;
    choice.tiffCompression = cboTIFFCompression_->currentIndex();
    return choice;
}

QString frmSaveAdvanced::statusText(const QString& panel) const
{
    const auto* label = statusBar_->findChild<QLabel*>(panel);
    return label ? label->text() : QString();
}

void frmSaveAdvanced::setPanel(const QString& key, const QString& text)
{
    if (auto* label = statusBar_->findChild<QLabel*>(key))
        label->setText(text);
}

void frmSaveAdvanced::cboFormat_Click()
{
    const OFO::Format& f = OFO::format(cboFormat_->currentIndex());
    picFrameGIF_->setVisible(f.extras == OFO::Extras::Gif);
    picFrameJPG_->setVisible(f.extras == OFO::Extras::Jpg);
    picFramePNG_->setVisible(f.extras == OFO::Extras::Png);
    picFrameTiff_->setVisible(f.extras == OFO::Extras::Tiff);
    filling_ = true;
    cboColorFormat_->clear();
    cboColorFormat_->addItems(OFO::depthNames(f));
    cboColorFormat_->setCurrentIndex(OFO::storedDepthPosition(settings_, f));
    filling_ = false;
    const bool choice = !f.depthCodes.empty();
    cboColorFormat_->setVisible(choice);
    lblColorFormat_->setVisible(choice);
    setPanel(QStringLiteral("format"), QString::fromLatin1(f.caption));
    updatePickTool();
    refreshOptimized();
}

void frmSaveAdvanced::cboColorFormat_Click()
{
    if (filling_ || cboColorFormat_->currentIndex() < 0)
        return;
    OFO::storeDepthPosition(settings_, OFO::format(cboFormat_->currentIndex()), cboColorFormat_->currentIndex());
    refreshOptimized();
}

void frmSaveAdvanced::refreshOptimized()
{
    if (filling_)
        return;
    refreshing_ = true;
    ibOptimized_->setCursor(Qt::BusyCursor);
    worker_->post([this, original = original_, choice = currentChoice(),
                   folder = ProgramFolder::tempFolder()](const std::stop_token& stop) -> LatestWorker::Completion {
        OptimizedResult result = makeOptimized(original, choice, folder, stop);
        if (stop.stop_requested())
            return {};
        return [this, result = std::move(result)]() mutable { showOptimized(std::move(result)); };
    });
}

void frmSaveAdvanced::showOptimized(OptimizedResult result)
{
    refreshing_ = false;
    ibOptimized_->unsetCursor();
    if (!result.failure.isEmpty()) {
        lblSize_->setText(QString());
        setPanel(QStringLiteral("size"), result.failure);
    } else {
        ibOptimized_->showPicture(result.picture);
        lblSize_->setText(result.sizeText);
        setPanel(QStringLiteral("size"), QStringLiteral("Optimized size - ") + result.sizeText);
    }
    shown_ = std::move(result);
    Q_EMIT optimizedShown();
}

void frmSaveAdvanced::choosePreviewMode(int mode)
{
    previewMode_ = mode;
    mnuPreview_->actions().at(mode)->setChecked(true);
    for (EngineView* view : {ibOriginal_, ibOptimized_})
        view->setFit(mode == 0, 100);
    updateZoomPanel();
}

void frmSaveAdvanced::updateZoomPanel()
{
    if (original_.isNull())
        return;
    const double percent = 100.0 * ibOriginal_->viewSize().width() / original_.width();
    setPanel(QStringLiteral("zoom"), QStringLiteral("%1%").arg(std::lround(percent)));
}

void frmSaveAdvanced::showColor(QPushButton* button, std::uint32_t ole)
{
    const Rgb c = OleColor::toRgb(ole);
    button->setStyleSheet(QStringLiteral("background-color: rgb(%1, %2, %3);").arg(c.r).arg(c.g).arg(c.b));
}

void frmSaveAdvanced::chooseTransparentColor(bool gif)
{
    const std::optional<std::uint32_t> chosen = ui::ChooseColor(this, gif ? gifColor_ : pngColor_);
    if (chosen)
        colorPicked(*chosen);
}

void frmSaveAdvanced::updatePickTool()
{
    const OFO::Extras extras = OFO::format(cboFormat_->currentIndex()).extras;
    const bool pick = (extras == OFO::Extras::Gif && chkGIFPickColor_->isChecked()) ||
                      (extras == OFO::Extras::Png && chkPNGpickColor_->isChecked());
    ibOriginal_->setMouseTool(pick ? EngineView::MouseTool::PickColor : EngineView::MouseTool::None);
}

void frmSaveAdvanced::colorPicked(std::uint32_t ole)
{
    if (OFO::format(cboFormat_->currentIndex()).extras == OFO::Extras::Gif) {
        gifColor_ = ole;
        showColor(cmdGIFTransparentColor_, ole);
    } else {
        pngColor_ = ole;
        showColor(cmdPNGtransprentColor_, ole);
    }
    refreshOptimized();
}

void frmSaveAdvanced::cmdSave_Click()
{
    const OFO::Format& f = OFO::format(cboFormat_->currentIndex());
    const ui::FileChoice choice =
        ui::ChooseSaveFile(this, QStringLiteral("Save Optimized image"), QString::fromLatin1(f.filter));
    if (choice.path.isEmpty())
        return;
    const QString target = OFO::savedFileName(choice.path, f);
    // The file on show is the one saved; a choice still being encoded is encoded here, straight
    // into the target (the engine writes it whole or not at all).
    std::optional<QString> why;
    if (!refreshing_ && !shown_.file.isEmpty()) {
        why = writeWholeFile(target, shown_.file);
    } else {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            ImageBox engine(ImageBox::Mode::Batch);
            engine.SetBitmapHandle(original_);
            OFO::apply(currentChoice(), engine);
            engine.SaveToFile(target);
        } catch (const LumoraError& e) {
            why = e.description();
        }
        QApplication::restoreOverrideCursor();
    }
    if (why)
        ui::ShowMessage(this, QStringLiteral("The image could not be saved to \"%1\": %2").arg(target, *why),
                        QMessageBox::Warning);
}

void frmSaveAdvanced::storeSettings()
{
    settings_.lastFormat = std::int16_t(cboFormat_->currentIndex());
    settings_.tiffCompression = std::int16_t(cboTIFFCompression_->currentIndex());
    settings_.gifTransparent = chkGIFTransparent_->isChecked() ? 1 : 0;
    settings_.gifTransparentColor = std::int32_t(gifColor_);
    settings_.pngTransparent = chkPNGTransparent_->isChecked() ? 1 : 0;
    settings_.pngTransparentColor = std::int32_t(pngColor_);
    settings_.gifCompression = std::uint8_t(optGIFCompression_->checkedId() == 1 ? 1 : 0);
    settings_.jpegQuality = std::int16_t(sldJPGQuality_->value());
    settings_.jpgEncoding = std::uint8_t(optJPGEncoding_->checkedId() == 1 ? 1 : 0);
    settings_.previewMode = std::uint8_t(previewMode_);
    settings_.dialogWidth = width() * TwipsPerPixel;
    settings_.dialogHeight = height() * TwipsPerPixel;
}

void frmSaveAdvanced::cmdCancel_Click() { reject(); }

void frmSaveAdvanced::reject()
{
    // Leaving by the window's close box or Esc keeps the choices as Exit does.
    storeSettings();
    worker_->forget();
    QDialog::reject();
}

bool frmSaveAdvanced::eventFilter(QObject* watched, QEvent* event)
{
    auto* view = qobject_cast<EngineView*>(watched);
    if (!view || view->mouseTool() != EngineView::MouseTool::None)
        return QDialog::eventFilter(watched, event);
    // Dragging either picture scrolls both; the scroll bars keep the two views together.
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton)
            break;
        dragging_ = true;
        dragFrom_ = mouse->position().toPoint();
        view->setCursor(Qt::ClosedHandCursor);
        return true;
    case QEvent::MouseMove:
        if (!dragging_)
            break;
        for (auto [bar, delta] : {std::pair{view->horizontalScrollBar(), dragFrom_.x() - mouse->position().toPoint().x()},
                                  {view->verticalScrollBar(), dragFrom_.y() - mouse->position().toPoint().y()}}) {
            const int value = bar->value() + delta;
            if (bar->isVisible() && bar->isEnabled() && value >= bar->minimum() && value <= bar->maximum())
                bar->setValue(value);
        }
        dragFrom_ = mouse->position().toPoint();
        return true;
    case QEvent::MouseButtonRelease:
        if (!dragging_)
            break;
        dragging_ = false;
        view->unsetCursor();
        return true;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lumora
