#include "album/frmAlbum.h"

#include "album/AlbumGenerator.h"
#include "album/frmAlbumMetadataBasket.h"
#include "controls/NumericField.h"
#include "shell/FileDialogs.h"
#include "shell/MessageBoxes.h"
#include "tasks/ColorButton.h"
#include "tasks/SpinArrows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace lumora {
namespace {

// The five numeric boxes: what leaving them accepts, what an emptied box shows, and the range of
// the arrows beside them (one row per box; the arrows are the box's name plus "D").
struct NumericBox {
    const char* name;
    NumericFieldSpec spec;
    int arrowsMinimum;
    int arrowsMaximum;
};

const NumericBox NumericBoxes[] = {
    {"TableBorderSize", {QStringLiteral("8"), 0, 8}, 0, 8},
    {"TBorderSize", {QStringLiteral("8"), 0, 8}, 0, 8},
    {"TPicturesPerRow", {QStringLiteral("8"), 0, 8}, 2, 8},
    {"TThumbnailWidth", {QStringLiteral("80"), 30, 300}, 30, 300},
    {"TthumbnailHeight", {QStringLiteral("80"), 30, 300}, 30, 300},
};

constexpr int FontSizeCount = 5;
constexpr int DefaultFontSizeIndex = 2;

std::uint8_t flag(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

std::int16_t number16(int value)
{
    return static_cast<std::int16_t>(std::clamp<int>(value, INT16_MIN, INT16_MAX));
}

// The arrows beside a box within their own range, never writing back into the box: the box
// may accept more than the arrows reach (0 thumbnails per row puts them all in one row, while
// the arrows stop at 2).
void followBox(QAbstractSlider* arrows, int value)
{
    const QSignalBlocker quiet(arrows);
    arrows->setValue(value);
}

void showNumber(NumericField* box, QAbstractSlider* arrows, int value)
{
    box->setText(QString::number(value));
    followBox(arrows, value);
}

void checkOption(QButtonGroup* group, int index)
{
    QAbstractButton* button = group->button(index);
    if (!button)
        button = group->button(0);  // a value the window never stores: the first choice
    button->setChecked(true);
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

const QStringList frmAlbum::PageImageNames = {
    QStringLiteral("VIOLET_BG.GIF"), QStringLiteral("RED_BG.GIF"), QStringLiteral("GREEN_BG.GIF"),
    QStringLiteral("GREY_BG.GIF"), QStringLiteral("YELLOW_BG.GIF")};
const QStringList frmAlbum::CellImageNames = {
    QStringLiteral("BLUE_CELL.GIF"), QStringLiteral("RED_CELL.GIF"), QStringLiteral("GREEN_CELL.GIF"),
    QStringLiteral("BLACK_CELL.GIF"), QStringLiteral("ORANGE_CELL.GIF")};

frmAlbum::frmAlbum(SetupRecord::Album& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("frmAlbum"));
    setWindowTitle(QStringLiteral("Generate web album"));

    chkOpenWhenOver_ = new QCheckBox(QStringLiteral("View the web album when done"), this);
    chkOpenWhenOver_->setObjectName(QStringLiteral("chkOpenWhenOver"));
    auto* buttons = new QDialogButtonBox(this);
    cmdGenerate_ = buttons->addButton(QStringLiteral("Generate"), QDialogButtonBox::AcceptRole);
    cmdGenerate_->setObjectName(QStringLiteral("cmdGenerate"));
    cmdGenerate_->setDefault(true);
    cmdCancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdGenerate_, &QPushButton::clicked, this, &frmAlbum::cmdGenerate_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(buildProject());
    left->addWidget(buildThumbnails());
    left->addWidget(buildFont());
    left->addWidget(buildImage());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildPage());
    right->addWidget(buildContainer());
    right->addWidget(buildMetadata(), 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chkOpenWhenOver_);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(bottom);

    subSetup();
}

NumericField* frmAlbum::numericBox(const char* name, QWidget* parent)
{
    const auto* row = std::find_if(std::begin(NumericBoxes), std::end(NumericBoxes),
                                   [name](const NumericBox& box) { return qstrcmp(box.name, name) == 0; });
    auto* box = new NumericField(row->spec, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaximumWidth(56);
    box->setAlignment(Qt::AlignRight);
    auto* arrows = new SpinArrows(parent);
    arrows->setObjectName(QString::fromLatin1(name) + u'D');
    arrows->setRange(row->arrowsMinimum, row->arrowsMaximum);
    connect(arrows, &QAbstractSlider::valueChanged, box, [box](int value) { box->setText(QString::number(value)); });
    connect(box, &NumericField::valueCommitted, arrows, [arrows](int value) { followBox(arrows, value); });
    arrows_.insert(box, arrows);
    return box;
}

ColorButton* frmAlbum::colorButton(const char* name, QWidget* parent)
{
    auto* button = new ColorButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QButtonGroup* frmAlbum::optionGroup(const char* name, const QStringList& captions, QWidget* parent)
{
    auto* group = new QButtonGroup(parent);
    group->setObjectName(QString::fromLatin1(name));
    for (int index = 0; index < captions.size(); ++index) {
        auto* option = new QRadioButton(captions.at(index), parent);
        option->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(index));
        group->addButton(option, index);
    }
    return group;
}

// A row of the five background pictures; each choice shows a swatch of its picture.
QWidget* frmAlbum::imageChoices(const char* name, const QStringList& captions, const QStringList& pictures,
                                QButtonGroup*& group, QWidget* parent)
{
    auto* panel = new QWidget(parent);
    group = optionGroup(name, captions, panel);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    for (int index = 0; index < captions.size(); ++index) {
        QAbstractButton* option = group->button(index);
        const QString picture = pictures.at(index).toLower();
        option->setToolTip(picture);
        // The strip squeezed into a swatch shows its colours from top to bottom.
        const QImage strip(defaultAlbumArtFolder() + u'/' + picture);
        if (!strip.isNull())
            option->setIcon(QPixmap::fromImage(strip.scaled(option->iconSize(), Qt::IgnoreAspectRatio,
                                                            Qt::SmoothTransformation)));
        row->addWidget(option);
    }
    row->addStretch(1);
    return panel;
}

// Where the album is written and what it is called.
QWidget* frmAlbum::buildProject()
{
    auto* box = new QGroupBox(QStringLiteral("Project"), this);
    TAlbumTitle_ = new QLineEdit(box);
    TAlbumTitle_->setObjectName(QStringLiteral("TAlbumTitle"));
    txtFolder_ = new QLineEdit(box);
    txtFolder_->setObjectName(QStringLiteral("txtFolder"));
    cmdFolder_ = new QPushButton(QStringLiteral(" ..."), box);
    cmdFolder_->setObjectName(QStringLiteral("cmdFolder"));
    cmdFolder_->setFixedWidth(cmdFolder_->fontMetrics().horizontalAdvance(QStringLiteral(" ...")) + 20);
    connect(cmdFolder_, &QPushButton::clicked, this, &frmAlbum::cmdFolder_Click);

    auto* grid = new QGridLayout(box);
    grid->addWidget(caption(QStringLiteral("Project Title"), TAlbumTitle_, box), 0, 0);
    grid->addWidget(TAlbumTitle_, 0, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("Folder Path"), txtFolder_, box), 1, 0);
    grid->addWidget(txtFolder_, 1, 1);
    grid->addWidget(cmdFolder_, 1, 2);
    return box;
}

// The thumbnails of the index page and the border of every picture.
QWidget* frmAlbum::buildThumbnails()
{
    auto* box = new QGroupBox(QStringLiteral("Thumbnails"), this);
    TThumbnailWidth_ = numericBox("TThumbnailWidth", box);
    TthumbnailHeight_ = numericBox("TthumbnailHeight", box);
    chkResample_ = new QCheckBox(QStringLiteral("Resample"), box);
    chkResample_->setObjectName(QStringLiteral("chkResample"));
    TPicturesPerRow_ = numericBox("TPicturesPerRow", box);
    CShowFileName_ = new QCheckBox(QStringLiteral("Show File Name"), box);
    CShowFileName_->setObjectName(QStringLiteral("CShowFileName"));
    CShowImageResolution_ = new QCheckBox(QStringLiteral("Show Image Resolution"), box);
    CShowImageResolution_->setObjectName(QStringLiteral("CShowImageResolution"));

    auto* border = new QGroupBox(QStringLiteral("Border"), box);
    TBorderSize_ = numericBox("TBorderSize", border);
    BorderColor_ = colorButton("BorderColor", border);
    auto* borderRow = new QHBoxLayout(border);
    borderRow->addWidget(caption(QStringLiteral("Size"), TBorderSize_, border));
    borderRow->addWidget(TBorderSize_);
    borderRow->addWidget(arrows_.value(TBorderSize_));
    borderRow->addSpacing(12);
    borderRow->addWidget(caption(QStringLiteral("Border Color"), BorderColor_, border));
    borderRow->addWidget(BorderColor_);
    borderRow->addStretch(1);

    auto* grid = new QGridLayout(box);
    const auto addBox = [&](int row, int column, const QString& text, NumericField* field) {
        auto* pair = new QHBoxLayout;
        pair->setSpacing(1);
        pair->addWidget(field);
        pair->addWidget(arrows_.value(field));
        pair->addStretch(1);
        grid->addWidget(caption(text, field, box), row, column);
        grid->addLayout(pair, row, column + 1);
    };
    addBox(0, 0, QStringLiteral("Width"), TThumbnailWidth_);
    addBox(0, 2, QStringLiteral("Height"), TthumbnailHeight_);
    grid->addWidget(chkResample_, 1, 0, 1, 4);
    addBox(2, 0, QStringLiteral("Thumbnails Per Row:"), TPicturesPerRow_);
    grid->addWidget(CShowFileName_, 3, 0, 1, 2);
    grid->addWidget(CShowImageResolution_, 3, 2, 1, 2);
    grid->addWidget(border, 4, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return box;
}

// The background of every page: a gradient picture or a plain colour.
QWidget* frmAlbum::buildPage()
{
    auto* box = new QGroupBox(QStringLiteral("Page background"), this);
    optPageStyle_ = optionGroup("optPageStyle", {QStringLiteral("Gradient"), QStringLiteral("Plain color")}, box);
    pagePanels_ = new QStackedWidget(box);
    pagePanels_->addWidget(imageChoices("optPageImage",
                                        {QStringLiteral("Violet"), QStringLiteral("Red"), QStringLiteral("Green"),
                                         QStringLiteral("Grey"), QStringLiteral("Yellow")},
                                        PageImageNames, optPageImage_, pagePanels_));
    auto* colorPanel = new QWidget(pagePanels_);
    AlbumBackground_ = colorButton("AlbumBackground", colorPanel);
    auto* colorRow = new QHBoxLayout(colorPanel);
    colorRow->setContentsMargins(0, 0, 0, 0);
    colorRow->addWidget(caption(QStringLiteral("Color"), AlbumBackground_, colorPanel));
    colorRow->addWidget(AlbumBackground_);
    colorRow->addStretch(1);
    pagePanels_->addWidget(colorPanel);
    connect(optPageStyle_, &QButtonGroup::idClicked, this, &frmAlbum::showPageStyle);

    auto* grid = new QGridLayout(box);
    grid->addWidget(optPageStyle_->button(0), 0, 0);
    grid->addWidget(optPageStyle_->button(1), 0, 1);
    grid->addWidget(pagePanels_, 1, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    return box;
}

// The cells that hold the thumbnails on the index page, and the table around them.
QWidget* frmAlbum::buildContainer()
{
    auto* box = new QGroupBox(QStringLiteral("Container"), this);
    optContainerBackground_ = optionGroup(
        "optContainerBackground", {QStringLiteral("Gradient"), QStringLiteral("Transparent"), QStringLiteral("Color")},
        box);
    containerPanels_ = new QStackedWidget(box);
    containerPanels_->addWidget(imageChoices("optContainerImage",
                                             {QStringLiteral("Blue"), QStringLiteral("Red"), QStringLiteral("Green"),
                                              QStringLiteral("Black"), QStringLiteral("Orange")},
                                             CellImageNames, optContainerImage_, containerPanels_));
    containerPanels_->addWidget(new QWidget(containerPanels_));
    auto* colorPanel = new QWidget(containerPanels_);
    cmdContainerBackground_ = colorButton("cmdContainerBackground", colorPanel);
    auto* colorRow = new QHBoxLayout(colorPanel);
    colorRow->setContentsMargins(0, 0, 0, 0);
    colorRow->addWidget(caption(QStringLiteral("Color"), cmdContainerBackground_, colorPanel));
    colorRow->addWidget(cmdContainerBackground_);
    colorRow->addStretch(1);
    containerPanels_->addWidget(colorPanel);
    connect(optContainerBackground_, &QButtonGroup::idClicked, this, &frmAlbum::showContainerBackground);

    auto* border = new QGroupBox(QStringLiteral("Container Border"), box);
    TableBorderSize_ = numericBox("TableBorderSize", border);
    CellBorderColor_ = colorButton("CellBorderColor", border);
    auto* borderRow = new QHBoxLayout(border);
    borderRow->addWidget(caption(QStringLiteral("Size"), TableBorderSize_, border));
    borderRow->addWidget(TableBorderSize_);
    borderRow->addWidget(arrows_.value(TableBorderSize_));
    borderRow->addSpacing(12);
    borderRow->addWidget(caption(QStringLiteral("color"), CellBorderColor_, border));
    borderRow->addWidget(CellBorderColor_);
    borderRow->addStretch(1);

    auto* grid = new QGridLayout(box);
    for (int index = 0; index < 3; ++index)
        grid->addWidget(optContainerBackground_->button(index), 0, index);
    grid->addWidget(containerPanels_, 1, 0, 1, 4);
    grid->addWidget(border, 2, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    return box;
}

// The font of the headings, captions and descriptions.
QWidget* frmAlbum::buildFont()
{
    auto* box = new QGroupBox(QStringLiteral("Font"), this);
    cboFonts_ = new QComboBox(box);
    cboFonts_->setObjectName(QStringLiteral("cboFonts"));
    cboFonts_->addItems(QFontDatabase::families());
    cboFonts_->setMinimumContentsLength(12);
    cboFonts_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboFontSize_ = new QComboBox(box);
    cboFontSize_->setObjectName(QStringLiteral("cboFontSize"));
    for (int size = 1; size <= FontSizeCount; ++size)
        cboFontSize_->addItem(QString::number(size));
    cmdFontColor_ = colorButton("cmdFontColor", box);

    auto* grid = new QGridLayout(box);
    grid->addWidget(caption(QStringLiteral("Family"), cboFonts_, box), 0, 0);
    grid->addWidget(cboFonts_, 0, 1, 1, 3);
    grid->addWidget(caption(QStringLiteral("Size"), cboFontSize_, box), 1, 0);
    grid->addWidget(cboFontSize_, 1, 1);
    grid->addWidget(caption(QStringLiteral("Forecolor"), cmdFontColor_, box), 1, 2, Qt::AlignRight);
    grid->addWidget(cmdFontColor_, 1, 3);
    grid->setColumnStretch(1, 1);
    return box;
}

// How the pictures are written.
QWidget* frmAlbum::buildImage()
{
    auto* box = new QGroupBox(QStringLiteral("Image"), this);
    sldQuality_ = new QSlider(Qt::Horizontal, box);
    sldQuality_->setObjectName(QStringLiteral("sldQuality"));
    sldQuality_->setRange(1, 100);
    lblJPGQuality_ = new QLabel(box);
    lblJPGQuality_->setObjectName(QStringLiteral("lblJPGQuality"));
    lblJPGQuality_->setMinimumWidth(lblJPGQuality_->fontMetrics().horizontalAdvance(QStringLiteral("100")) + 4);
    connect(sldQuality_, &QSlider::valueChanged, lblJPGQuality_, qOverload<int>(&QLabel::setNum));
    chkJPGProgressive_ = new QCheckBox(QStringLiteral("Progressive"), box);
    chkJPGProgressive_->setObjectName(QStringLiteral("chkJPGProgressive"));
    chkProcessTaskBasket_ = new QCheckBox(QStringLiteral("Process task basket"), box);
    chkProcessTaskBasket_->setObjectName(QStringLiteral("chkProcessTaskBasket"));

    auto* grid = new QGridLayout(box);
    grid->addWidget(caption(QStringLiteral("Image Quality :"), sldQuality_, box), 0, 0);
    grid->addWidget(sldQuality_, 0, 1);
    grid->addWidget(lblJPGQuality_, 0, 2);
    grid->addWidget(chkJPGProgressive_, 1, 0, 1, 3);
    grid->addWidget(chkProcessTaskBasket_, 2, 0, 1, 3);
    return box;
}

QWidget* frmAlbum::buildMetadata()
{
    auto* box = new QGroupBox(QStringLiteral("Insert Metadata"), this);
    metadata_ = new frmAlbumMetadataBasket(box);
    cmdMetadataFontColor_ = colorButton("cmdMetadataFontColor", box);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(caption(QStringLiteral("Forecolor"), cmdMetadataFontColor_, box));
    colorRow->addWidget(cmdMetadataFontColor_);
    colorRow->addStretch(1);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(metadata_, 1);
    layout->addLayout(colorRow);
    return box;
}

void frmAlbum::subSetup()
{
    const SetupRecord::Album& s = settings_;
    TAlbumTitle_->setText(s.title);
    txtFolder_->setText(s.folder);

    showNumber(TThumbnailWidth_, arrows_.value(TThumbnailWidth_), s.thumbnailWidth);
    showNumber(TthumbnailHeight_, arrows_.value(TthumbnailHeight_), s.thumbnailHeight);
    showNumber(TPicturesPerRow_, arrows_.value(TPicturesPerRow_), s.picturesPerRow);
    showNumber(TBorderSize_, arrows_.value(TBorderSize_), s.borderSize);
    showNumber(TableBorderSize_, arrows_.value(TableBorderSize_), s.tableBorderSize);
    chkResample_->setChecked(s.resample != 0);
    CShowFileName_->setChecked(s.showFileName != 0);
    CShowImageResolution_->setChecked(s.showImageResolution != 0);

    checkOption(optPageStyle_, s.pageStyle == 0 ? 0 : 1);
    checkOption(optPageImage_, s.pageImage);
    checkOption(optContainerBackground_, s.containerBackgroundChoice);
    checkOption(optContainerImage_, s.containerImageChoice);
    showPageStyle();
    showContainerBackground();

    BorderColor_->setColor(static_cast<std::uint32_t>(s.borderColor));
    AlbumBackground_->setColor(static_cast<std::uint32_t>(s.albumBackground));
    cmdContainerBackground_->setColor(static_cast<std::uint32_t>(s.containerBackground));
    CellBorderColor_->setColor(static_cast<std::uint32_t>(s.cellBorderColor));
    cmdFontColor_->setColor(static_cast<std::uint32_t>(s.fontColor));
    cmdMetadataFontColor_->setColor(static_cast<std::uint32_t>(s.metadataFontColor));

    // A font that is not installed here stays the album's font: the browser that shows the
    // album may have it, and falls back when not.
    if (!s.fontName.isEmpty() && cboFonts_->findText(s.fontName) < 0)
        cboFonts_->insertItem(0, s.fontName);
    cboFonts_->setCurrentIndex(std::max(0, cboFonts_->findText(s.fontName)));
    cboFontSize_->setCurrentIndex(s.fontSize >= 0 && s.fontSize < FontSizeCount ? s.fontSize : DefaultFontSizeIndex);

    sldQuality_->setValue(s.jpegQuality);
    lblJPGQuality_->setNum(sldQuality_->value());
    chkJPGProgressive_->setChecked(s.progressive != 0);
    chkProcessTaskBasket_->setChecked(s.processTaskBasket != 0);
    chkOpenWhenOver_->setChecked(s.openWhenDone != 0);
}

void frmAlbum::showPageStyle() { pagePanels_->setCurrentIndex(std::max(0, optPageStyle_->checkedId())); }

void frmAlbum::showContainerBackground()
{
    containerPanels_->setCurrentIndex(std::max(0, optContainerBackground_->checkedId()));
}

void frmAlbum::cmdFolder_Click()
{
    const QString folder = ui::ChooseFolder(this, QStringLiteral("Folder of the web album"), txtFolder_->text());
    if (!folder.isEmpty())
        txtFolder_->setText(folder);
}

QStringList frmAlbum::metadataEntries() const { return metadata_->entries(); }

void frmAlbum::store()
{
    for (NumericField* box : {TThumbnailWidth_, TthumbnailHeight_, TPicturesPerRow_, TBorderSize_, TableBorderSize_})
        box->commit();

    SetupRecord::Album& s = settings_;
    s.thumbnailWidth = number16(TThumbnailWidth_->value());
    s.thumbnailHeight = number16(TthumbnailHeight_->value());
    s.resample = flag(chkResample_);
    s.borderSize = number16(TBorderSize_->value());
    s.borderColor = static_cast<std::int32_t>(BorderColor_->color());
    s.picturesPerRow = number16(TPicturesPerRow_->value());
    s.showFileName = flag(CShowFileName_);
    s.showImageResolution = flag(CShowImageResolution_);
    s.pageStyle = optPageStyle_->checkedId() == 0 ? 0 : 1;
    s.pageImage = number16(std::max(0, optPageImage_->checkedId()));
    s.albumBackground = static_cast<std::int32_t>(AlbumBackground_->color());
    s.containerBackgroundChoice = number16(std::max(0, optContainerBackground_->checkedId()));
    s.containerImageChoice = number16(std::max(0, optContainerImage_->checkedId()));
    s.containerBackground = static_cast<std::int32_t>(cmdContainerBackground_->color());
    s.tableBorderSize = number16(TableBorderSize_->value());
    s.cellBorderColor = static_cast<std::int32_t>(CellBorderColor_->color());
    s.fontName = cboFonts_->currentText();
    s.fontSize = number16(cboFontSize_->currentIndex());
    s.fontColor = static_cast<std::int32_t>(cmdFontColor_->color());
    s.title = TAlbumTitle_->text();
    s.folder = txtFolder_->text();
    s.jpegQuality = number16(sldQuality_->value());
    s.progressive = flag(chkJPGProgressive_);
    s.processTaskBasket = flag(chkProcessTaskBasket_);
    s.openWhenDone = flag(chkOpenWhenOver_);
    s.metadataFontColor = static_cast<std::int32_t>(cmdMetadataFontColor_->color());
}

void frmAlbum::cmdGenerate_Click()
{
    // Without a folder the pages would go to the file system's root.
    if (txtFolder_->text().trimmed().isEmpty()) {
        ui::ShowMessage(this, QStringLiteral("Please choose the folder the web album is written to."),
                        QMessageBox::Information);
        txtFolder_->setFocus();
        return;
    }
    store();
    accept();
}

}  // namespace lumora
