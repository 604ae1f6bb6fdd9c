#include "output/frmSaveSinglePage.h"

#include "controls/NumericField.h"
#include "controls/TypingFilter.h"
#include "output/BatchConversion.h"
#include "output/NamingTokens.h"
#include "shell/FileDialogs.h"
#include "shell/MessageBoxes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace lumora {
namespace {

const QString Starting1 = QStringLiteral("[Starting 1]");
const QString Starting1001 = QStringLiteral("[Starting 1001]");
constexpr int CounterLower = 1;
constexpr int CounterUpper = 30000;

QString withTrailingSlash(const QString& folder)
{
    if (folder.trimmed().isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

bool isNumeric(const QString& text)
{
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

QComboBox* editableCombo(const QString& name, const QStringList& items, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    return combo;
}

QRadioButton* option(QButtonGroup* group, int index, const QString& caption, QWidget* parent)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(group->objectName() + u'_' + QString::number(index));
    group->addButton(button, index);
    return button;
}

QPushButton* browseButton(const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setObjectName(name);
    button->setFixedWidth(32);
    return button;
}

}  // namespace

frmSaveSinglePage::frmSaveSinglePage(SetupRecord::Naming& settings, QWidget* parent)
    : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("frmSaveSinglePage"));
    setWindowTitle(QStringLiteral("Batch conversion"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFileName());
    layout->addWidget(buildDestination());
    layout->addWidget(buildMetadata());
    auto* saving = new QHBoxLayout;
    saving->addWidget(buildFormat());
    saving->addWidget(buildJpeg(), 1);
    layout->addLayout(saving);

    cmdStarConversion_ = new QPushButton(QStringLiteral("Save"), this);
    cmdStarConversion_->setObjectName(QStringLiteral("cmdStarConversion"));
    cmdStarConversion_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdStarConversion_);
    buttons->addWidget(cmdCancel_);
    layout->addLayout(buttons);

    connect(cmdStarConversion_, &QPushButton::clicked, this, &frmSaveSinglePage::cmdStarConversion_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmSaveSinglePage::cmdCancel_Click);

    subSetup();
}

QWidget* frmSaveSinglePage::buildFileName()
{
    auto* box = new QGroupBox(QStringLiteral("File name"), this);
    OptName_ = new QButtonGroup(box);
    OptName_->setObjectName(QStringLiteral("OptName"));
    auto* original = option(OptName_, 0, QStringLiteral("Retain the original filename (extension will differ)"), box);
    auto* hybrid = option(OptName_, 1, QStringLiteral("Hybrid"), box);
    auto* generic = option(OptName_, 2, QStringLiteral("Generic "), box);

    cboRenamePrefix_ = editableCombo(QStringLiteral("cboRenamePrefix"), namingTokens(), box);
    cboSeparator1_ = editableCombo(QStringLiteral("cboSeparator1"), namingSeparators(), box);
    cboSeparator2_ = editableCombo(QStringLiteral("cboSeparator2"), namingSeparators(), box);
    cboRenameSuffix_ = editableCombo(QStringLiteral("cboRenameSuffix"), namingTokens(), box);
    txtRenameGeneric_ = new QLineEdit(box);
    txtRenameGeneric_->setObjectName(QStringLiteral("txtRenameGeneric"));
    cboRenameGeneric_ = editableCombo(QStringLiteral("cboRenameGeneric"), {Starting1, Starting1001}, box);

    for (QComboBox* combo : {cboRenamePrefix_, cboSeparator1_, cboSeparator2_, cboRenameSuffix_})
        new TypingFilter(combo->lineEdit(), &lumora::isRefusedNameCharacter);
    new TypingFilter(txtRenameGeneric_, &lumora::isRefusedNameCharacter);
    // The counter takes digits only; its list items are set by choosing them, not typed.
    new TypingFilter(cboRenameGeneric_->lineEdit(), [](QChar c) { return c < u'0' || c > u'9'; });
    cboRenameGeneric_->installEventFilter(this);
    cboRenameGeneric_->lineEdit()->installEventFilter(this);

    auto* grid = new QGridLayout(box);
    grid->addWidget(original, 0, 0, 1, 4);
    grid->addWidget(hybrid, 1, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Prefix"), box), 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("Separator"), box), 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Separator"), box), 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Suffix"), box), 2, 3);
    grid->addWidget(cboRenamePrefix_, 3, 0);
    grid->addWidget(cboSeparator1_, 3, 1);
    grid->addWidget(cboSeparator2_, 3, 2);
    grid->addWidget(cboRenameSuffix_, 3, 3);
    grid->addWidget(generic, 4, 0, 1, 4);
    grid->addWidget(txtRenameGeneric_, 5, 0, 1, 2);
    grid->addWidget(cboRenameGeneric_, 5, 2, 1, 2);

    connect(OptName_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            updateNameControls();
    });
    return box;
}

QWidget* frmSaveSinglePage::buildDestination()
{
    auto* box = new QGroupBox(QStringLiteral("Destination"), this);
    optDestinationFolder_ = new QButtonGroup(box);
    optDestinationFolder_->setObjectName(QStringLiteral("optDestinationFolder"));
    auto* source = option(optDestinationFolder_, 0, QStringLiteral("Place the output files to the source folder"), box);
    auto* folder = option(optDestinationFolder_, 1, QStringLiteral("Place the output files to the following folder"), box);
    txtDestinationFolder_ = new QLineEdit(box);
    txtDestinationFolder_->setObjectName(QStringLiteral("txtDestinationFolder"));
    cmdBrowseFolder_ = browseButton(QStringLiteral("cmdBrowseFolder"), box);
    chkOverwrite_ = new QCheckBox(QStringLiteral("Overwrite existing files"), box);
    chkOverwrite_->setObjectName(QStringLiteral("chkOverwrite"));
    chkProcessEditingList_ = new QCheckBox(QStringLiteral("Process task basket"), box);
    chkProcessEditingList_->setObjectName(QStringLiteral("chkProcessEditingList"));

    auto* grid = new QGridLayout(box);
    grid->addWidget(source, 0, 0, 1, 2);
    grid->addWidget(folder, 1, 0, 1, 2);
    grid->addWidget(txtDestinationFolder_, 2, 0);
    grid->addWidget(cmdBrowseFolder_, 2, 1);
    grid->addWidget(chkOverwrite_, 3, 0, 1, 2);
    grid->addWidget(chkProcessEditingList_, 4, 0, 1, 2);

    connect(optDestinationFolder_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            updateDestinationControls();
    });
    connect(cmdBrowseFolder_, &QPushButton::clicked, this, &frmSaveSinglePage::cmdBrowseFolder_Click);
    return box;
}

QWidget* frmSaveSinglePage::buildMetadata()
{
    auto* box = new QGroupBox(QStringLiteral("File info"), this);
    chkImportEXIF_ = new QCheckBox(QStringLiteral("Import a .XIFF (EXIF file info)"), box);
    chkImportEXIF_->setObjectName(QStringLiteral("chkImportEXIF"));
    txtImportEXIF_ = new QLineEdit(box);
    txtImportEXIF_->setObjectName(QStringLiteral("txtImportEXIF"));
    cmdImportEXIF_ = browseButton(QStringLiteral("cmdImportEXIF"), box);
    chkImportIPTC_ = new QCheckBox(QStringLiteral("Import a .FFO (IPTC file info)"), box);
    chkImportIPTC_->setObjectName(QStringLiteral("chkImportIPTC"));
    txtImportIPTC_ = new QLineEdit(box);
    txtImportIPTC_->setObjectName(QStringLiteral("txtImportIPTC"));
    cmdImportIPTC_ = browseButton(QStringLiteral("cmdImportIPTC"), box);

    auto* grid = new QGridLayout(box);
    grid->addWidget(chkImportEXIF_, 0, 0, 1, 2);
    grid->addWidget(txtImportEXIF_, 1, 0);
    grid->addWidget(cmdImportEXIF_, 1, 1);
    grid->addWidget(chkImportIPTC_, 2, 0, 1, 2);
    grid->addWidget(txtImportIPTC_, 3, 0);
    grid->addWidget(cmdImportIPTC_, 3, 1);

    connect(chkImportEXIF_, &QCheckBox::toggled, this, &frmSaveSinglePage::updateImportControls);
    connect(chkImportIPTC_, &QCheckBox::toggled, this, &frmSaveSinglePage::updateImportControls);
    connect(cmdImportEXIF_, &QPushButton::clicked, this, &frmSaveSinglePage::cmdImportEXIF_Click);
    connect(cmdImportIPTC_, &QPushButton::clicked, this, &frmSaveSinglePage::cmdImportIPTC_Click);
    return box;
}

QWidget* frmSaveSinglePage::buildJpeg()
{
    auto* box = new QGroupBox(QStringLiteral("JPEG"), this);
    jpegBox_ = box;
    sldJPGQuality_ = new QSlider(Qt::Horizontal, box);
    sldJPGQuality_->setObjectName(QStringLiteral("sldJPGQuality"));
    sldJPGQuality_->setRange(1, 100);
    tJPGQuality_ = new NumericField(NumericFieldSpec{QStringLiteral("80"), 1, 100}, box);
    tJPGQuality_->setObjectName(QStringLiteral("tJPGQuality"));
    tJPGQuality_->setMaximumWidth(48);
    tJPGQuality_->setCompanion(sldJPGQuality_);
    // The spinner: a short vertical scroll bar whose up arrow raises the value.
    tJPGQualityD_ = new QScrollBar(Qt::Vertical, box);
    tJPGQualityD_->setObjectName(QStringLiteral("tJPGQualityD"));
    tJPGQualityD_->setRange(1, 100);
    tJPGQualityD_->setInvertedAppearance(true);
    // A scroll bar's upper arrow steps down; a spinner's steps up. The position may be changed
    // while an action is under way, before it becomes the value.
    connect(tJPGQualityD_, &QAbstractSlider::actionTriggered, this, [bar = tJPGQualityD_](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            bar->setSliderPosition(bar->value() - bar->singleStep());
            break;
        case QAbstractSlider::SliderSingleStepSub:
            bar->setSliderPosition(bar->value() + bar->singleStep());
            break;
        default:
            break;
        }
    });
    tJPGQualityD_->setFixedHeight(tJPGQuality_->sizeHint().height());
    // The slider is the field's companion; the spinner follows the slider both ways.
    connect(sldJPGQuality_, &QSlider::valueChanged, tJPGQualityD_, &QScrollBar::setValue);
    connect(tJPGQualityD_, &QScrollBar::valueChanged, sldJPGQuality_, &QSlider::setValue);

    chkJPGProgressive_ = new QCheckBox(QStringLiteral("Progressive"), box);
    chkJPGProgressive_->setObjectName(QStringLiteral("chkJPGProgressive"));
    optJPEGDepth_ = new QButtonGroup(box);
    optJPEGDepth_->setObjectName(QStringLiteral("optJPEGDepth"));
    auto* trueColor = option(optJPEGDepth_, 0, QStringLiteral("24 bit True Color"), box);
    auto* gray = option(optJPEGDepth_, 1, QStringLiteral("8 bit Grayscale"), box);

    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Quality"), box), 0, 0);
    grid->addWidget(sldJPGQuality_, 0, 1);
    grid->addWidget(tJPGQuality_, 0, 2);
    grid->addWidget(tJPGQualityD_, 0, 3);
    grid->addWidget(chkJPGProgressive_, 1, 0, 1, 4);
    grid->addWidget(trueColor, 2, 0, 1, 2);
    grid->addWidget(gray, 2, 2, 1, 2);
    return box;
}

QWidget* frmSaveSinglePage::buildFormat()
{
    auto* box = new QGroupBox(QStringLiteral("Format"), this);
    cboOutputFormat_ = new QComboBox(box);
    cboOutputFormat_->setObjectName(QStringLiteral("cboOutputFormat"));
    const QStringList names{QStringLiteral("JPEG (.jpg)"), QStringLiteral("WebP (.webp)"),
                            QStringLiteral("AVIF (.avif)"), QStringLiteral("PNG (.png)"), QStringLiteral("TIFF (.tif)")};
    const QStringList& formats = BatchConversion::outputFormats();
    for (qsizetype i = 0; i < formats.size(); ++i)
        cboOutputFormat_->addItem(names.value(i, formats.at(i)), formats.at(i));
    tOutputQuality_ = new NumericField(NumericFieldSpec{QStringLiteral("80"), 1, 100}, box);
    tOutputQuality_->setObjectName(QStringLiteral("tOutputQuality"));
    tOutputQuality_->setMaximumWidth(48);

    auto* grid = new QGridLayout(box);
    grid->addWidget(cboOutputFormat_, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("WebP/AVIF quality"), box), 1, 0);
    grid->addWidget(tOutputQuality_, 1, 1);
    grid->setRowStretch(2, 1);

    connect(cboOutputFormat_, &QComboBox::currentIndexChanged, this, &frmSaveSinglePage::updateFormatControls);
    return box;
}

void frmSaveSinglePage::setOutputFormat(const QString& extension, int quality)
{
    cboOutputFormat_->setCurrentIndex(std::max(0, cboOutputFormat_->findData(extension)));
    tOutputQuality_->setText(QString::number(std::clamp(quality, 1, 100)));
    updateFormatControls();
}

QString frmSaveSinglePage::outputFormat() const { return cboOutputFormat_->currentData().toString(); }

int frmSaveSinglePage::outputQuality() const { return std::clamp(tOutputQuality_->value(), 1, 100); }

// The JPEG options count for JPEG only, the quality beside the format for WebP and AVIF.
void frmSaveSinglePage::updateFormatControls()
{
    const QString format = outputFormat();
    jpegBox_->setEnabled(format == BatchConversion::outputFormats().front());
    tOutputQuality_->setEnabled(format == u"webp" || format == u"avif");
}

void frmSaveSinglePage::subSetup()
{
    const int mode = settings_.nameMode >= 0 && settings_.nameMode <= 2 ? settings_.nameMode : 0;
    OptName_->button(mode)->setChecked(true);
    cboRenamePrefix_->setCurrentText(settings_.prefix);
    cboSeparator1_->setCurrentText(settings_.separator1);
    cboSeparator2_->setCurrentText(settings_.separator2);
    cboRenameSuffix_->setCurrentText(settings_.suffix);
    txtRenameGeneric_->setText(settings_.genericName);
    cboRenameGeneric_->setCurrentText(settings_.counterStart);

    optDestinationFolder_->button(settings_.destinationChoice == 1 ? 1 : 0)->setChecked(true);
    txtDestinationFolder_->setText(settings_.destinationFolder);
    chkOverwrite_->setChecked(settings_.overwrite != 0);
    chkProcessEditingList_->setChecked(settings_.processTaskBasket != 0);

    chkImportEXIF_->setChecked(settings_.importExif != 0);
    txtImportEXIF_->setText(settings_.exifFile);
    chkImportIPTC_->setChecked(settings_.importIptc != 0);
    txtImportIPTC_->setText(settings_.iptcFile);

    const int quality = std::clamp<int>(settings_.jpegQuality, 1, 100);
    sldJPGQuality_->setValue(quality);
    tJPGQuality_->setText(QString::number(quality));
    chkJPGProgressive_->setChecked(settings_.progressive != 0);
    optJPEGDepth_->button(settings_.jpegDepth == 1 ? 1 : 0)->setChecked(true);

    updateNameControls();
    updateDestinationControls();
    updateImportControls();
    setOutputFormat(BatchConversion::outputFormats().front(), 80);
}

int frmSaveSinglePage::nameMode() const { return std::max(0, OptName_->checkedId()); }

int frmSaveSinglePage::destinationChoice() const { return optDestinationFolder_->checkedId() == 1 ? 1 : 0; }

// Only the boxes that the chosen naming option reads can be edited: the tokens and separators
// for a hybrid name, the generic name and counter for a generic one, none for the original
// name. The others keep their text, so switching back finds them as they were.
void frmSaveSinglePage::updateNameControls()
{
    const int mode = nameMode();
    for (QWidget* w : std::initializer_list<QWidget*>{cboRenamePrefix_, cboSeparator1_, cboSeparator2_, cboRenameSuffix_})
        w->setEnabled(mode == 1);
    txtRenameGeneric_->setEnabled(mode == 2);
    cboRenameGeneric_->setEnabled(mode == 2);
}

void frmSaveSinglePage::updateDestinationControls()
{
    const bool folder = destinationChoice() == 1;
    txtDestinationFolder_->setEnabled(folder);
    cmdBrowseFolder_->setEnabled(folder);
}

void frmSaveSinglePage::updateImportControls()
{
    txtImportEXIF_->setVisible(chkImportEXIF_->isChecked());
    cmdImportEXIF_->setVisible(chkImportEXIF_->isChecked());
    txtImportIPTC_->setVisible(chkImportIPTC_->isChecked());
    cmdImportIPTC_->setVisible(chkImportIPTC_->isChecked());
}

void frmSaveSinglePage::cmdBrowseFolder_Click()
{
    const QString folder = ui::ChooseFolder(this, QStringLiteral("Select the destination folder"), txtDestinationFolder_->text());
    if (!folder.isEmpty())
        txtDestinationFolder_->setText(folder);
}

void frmSaveSinglePage::cmdImportEXIF_Click()
{
    const ui::FileChoice choice =
        ui::ChooseOpenFile(this, QStringLiteral("Open EXIF .xiff file"), QStringLiteral("EXIF file (*.xiff)|*.xiff"));
    if (!choice.path.isEmpty())
        txtImportEXIF_->setText(choice.path);
}

void frmSaveSinglePage::cmdImportIPTC_Click()
{
    const ui::FileChoice choice =
        ui::ChooseOpenFile(this, QStringLiteral("Open IPTC .ffo file"), QStringLiteral("IPTC file (*.ffo)|*.ffo"));
    if (!choice.path.isEmpty())
        txtImportIPTC_->setText(choice.path);
}

bool frmSaveSinglePage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && (watched == cboRenameGeneric_ || watched == cboRenameGeneric_->lineEdit()))
        limitCounter();
    return QDialog::eventFilter(watched, event);
}

// A typed start number is held to 1..30000 on leaving the box, the upper limit tested first;
// a number too long for the field counts with its true value. Anything else (a list item, an
// empty box) is left for Save to judge: emptying the box does not bring a default back, so
// that Save can say the count is missing.
void frmSaveSinglePage::limitCounter()
{
    const QString text = cboRenameGeneric_->currentText();
    if (text.isEmpty() || !std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return;
    qsizetype start = 0;
    while (start < text.size() - 1 && text.at(start) == u'0')
        ++start;
    const QStringView digits = QStringView(text).mid(start);
    const int value = digits.size() > 9 ? CounterUpper + 1 : digits.toInt();
    if (value > CounterUpper)
        cboRenameGeneric_->setCurrentText(QString::number(CounterUpper));
    else if (value < CounterLower)
        cboRenameGeneric_->setCurrentText(QString::number(CounterLower));
}

void frmSaveSinglePage::cmdStarConversion_Click()
{
    // A value typed into the quality field or the counter and confirmed with Enter has not
    // been left yet: hold it to its limits first, as leaving would.
    tJPGQuality_->commit();
    tOutputQuality_->commit();
    limitCounter();

    settings_.running = -1;
    // The naming and JPEG choices are taken before the counter is judged: a Save refused for
    // its counter keeps them.
    settings_.nameMode = static_cast<std::int16_t>(nameMode());
    settings_.prefix = cboRenamePrefix_->currentText();
    settings_.separator1 = cboSeparator1_->currentText();
    settings_.separator2 = cboSeparator2_->currentText();
    settings_.suffix = cboRenameSuffix_->currentText();
    settings_.genericName = txtRenameGeneric_->text();
    settings_.counterStart = cboRenameGeneric_->currentText();
    settings_.jpegQuality = static_cast<std::int16_t>(sldJPGQuality_->value());
    settings_.progressive = chkJPGProgressive_->isChecked() ? 1 : 0;
    settings_.jpegDepth = optJPEGDepth_->checkedId() == 0 ? 0 : 1;

    const QString count = settings_.counterStart.trimmed();
    if (count.isEmpty()) {
        ui::ShowMessage(this, QStringLiteral("The count variable cannot be empty!"), QMessageBox::Warning);
        return;
    }
    if (count != Starting1 && count != Starting1001 && !isNumeric(count)) {
        ui::ShowMessage(this, QStringLiteral("Count should be numeric!"), QMessageBox::Warning);
        return;
    }

    settings_.destinationChoice = static_cast<std::uint8_t>(destinationChoice());
    settings_.destinationFolder = withTrailingSlash(txtDestinationFolder_->text());
    settings_.overwrite = chkOverwrite_->isChecked() ? 1 : 0;
    settings_.processTaskBasket = chkProcessEditingList_->isChecked() ? 1 : 0;
    settings_.importExif = chkImportEXIF_->isChecked() ? 1 : 0;
    settings_.exifFile = txtImportEXIF_->text();
    settings_.importIptc = chkImportIPTC_->isChecked() ? 1 : 0;
    settings_.iptcFile = txtImportIPTC_->text();
    accept();
}

void frmSaveSinglePage::cmdCancel_Click()
{
    settings_.running = 0;
    QDialog::reject();
}

void frmSaveSinglePage::reject() { cmdCancel_Click(); }

}  // namespace lumora
