#include "acquire/frmTwain.h"

#include "acquire/AcquiredPageFile.h"
#include "acquire/ScannerOptionsDialog.h"
#include "core/ErrorReporter.h"
#include "core/ProgramFolder.h"
#include "core/ReportFailures.h"
#include "shell/FileDialogs.h"
#include "shell/PictureImage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace lumora {

namespace {

const QString kBestFit = QStringLiteral("Best Fit");
const QString kActualSize = QStringLiteral("Actual Size");

QString withSlash(const QString& folder)
{
    return folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
}

}  // namespace

frmTwain::frmTwain(SetupRecord::Twain& twain, std::function<void(const QString&)> addToBasket, QWidget* parent)
    : QDialog(parent), twain_(twain), addToBasket_(std::move(addToBasket))
{
    setObjectName(QStringLiteral("frmTwain"));
    setWindowTitle(QStringLiteral("Acquire"));
    setModal(true);

    auto* destination = new QGroupBox(this);
    auto* destinationLayout = new QVBoxLayout(destination);
    auto* destinations = new QButtonGroup(this);
    const QString destinationCaptions[2] = {QStringLiteral("Put acquired images to queue"),
                                            QStringLiteral("Save acquired images to disk")};
    for (int i = 0; i < 2; ++i) {
        optAcquire_[i] = new QRadioButton(destinationCaptions[i], destination);
        optAcquire_[i]->setObjectName(QStringLiteral("optAcquire_%1").arg(i));
        destinations->addButton(optAcquire_[i], i);
        destinationLayout->addWidget(optAcquire_[i]);
    }

    auto* save = new QGroupBox(this);
    auto* saveLayout = new QGridLayout(save);
    auto* fileModes = new QButtonGroup(this);
    const QString fileCaptions[2] = {QStringLiteral("Save as single-page files"),
                                     QStringLiteral("Save as multi-page file")};
    for (int i = 0; i < 2; ++i) {
        optFile_[i] = new QRadioButton(fileCaptions[i], save);
        optFile_[i]->setObjectName(QStringLiteral("optFile_%1").arg(i));
        fileModes->addButton(optFile_[i], i);
        saveLayout->addWidget(optFile_[i], i, 0, 1, 3);
    }
    txtFileName_ = new QLineEdit(save);
    txtFileName_->setObjectName(QStringLiteral("txtFileName"));
    cboSinglepage_ = new QComboBox(save);
    cboSinglepage_->setObjectName(QStringLiteral("cboSinglepage"));
    cboSinglepage_->addItems(AcquiredPageFile::singlePageFormats());
    cboMultipage_ = new QComboBox(save);
    cboMultipage_->setObjectName(QStringLiteral("cboMultipage"));
    cboMultipage_->addItems(AcquiredPageFile::multiPageFormats());
    saveLayout->addWidget(new QLabel(QStringLiteral("File name:"), save), 2, 0);
    saveLayout->addWidget(txtFileName_, 2, 1);
    saveLayout->addWidget(cboSinglepage_, 2, 2);
    saveLayout->addWidget(cboMultipage_, 2, 2);
    chkOverwrite_ = new QCheckBox(QStringLiteral("Overwrite if file exists"), save);
    chkOverwrite_->setObjectName(QStringLiteral("chkOverwrite"));
    saveLayout->addWidget(chkOverwrite_, 3, 0, 1, 3);
    txtFolder_ = new QLineEdit(save);
    txtFolder_->setObjectName(QStringLiteral("txtFolder"));
    cmdBrowse_ = new QPushButton(QStringLiteral("Browse"), save);
    cmdBrowse_->setObjectName(QStringLiteral("cmdBrowse"));
    saveLayout->addWidget(new QLabel(QStringLiteral("Saved in:"), save), 4, 0);
    saveLayout->addWidget(txtFolder_, 4, 1);
    saveLayout->addWidget(cmdBrowse_, 4, 2);

    picImage_ = new QLabel;
    picImage_->setAlignment(Qt::AlignCenter);
    view_ = new QScrollArea(this);
    view_->setObjectName(QStringLiteral("ImageBox1"));
    view_->setAlignment(Qt::AlignCenter);
    view_->setWidget(picImage_);
    view_->setMinimumSize(320, 240);
    lblSize_ = new QLabel(this);
    lblSize_->setObjectName(QStringLiteral("lblSize"));
    cmdfit_ = new QToolButton(this);
    cmdfit_->setObjectName(QStringLiteral("cmdfit"));
    cmdfit_->setPopupMode(QToolButton::InstantPopup);
    auto* mnuFit = new QMenu(cmdfit_);
    mnuFit->setObjectName(QStringLiteral("mnuFit"));
    connect(mnuFit->addAction(kBestFit), &QAction::triggered, this, [this] { setFit(true); });
    connect(mnuFit->addAction(kActualSize), &QAction::triggered, this, [this] { setFit(false); });
    cmdfit_->setMenu(mnuFit);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("pbAcquire"));
    progress_->setRange(0, 100);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setWordWrap(true);
    cmdAcquire_ = new QPushButton(QStringLiteral("Acquire"), this);
    cmdAcquire_->setObjectName(QStringLiteral("cmdAcquire"));
    cmdAcquire_->setDefault(true);
    cmdExit_ = new QPushButton(QStringLiteral("Exit"), this);
    cmdExit_->setObjectName(QStringLiteral("cmdExit"));

    auto* left = new QVBoxLayout;
    left->addWidget(destination);
    left->addWidget(save);
    left->addWidget(lblStatus_);
    left->addStretch(1);
    auto* running = new QHBoxLayout;
    running->addWidget(progress_, 1);
    running->addWidget(cmdCancel_);
    left->addLayout(running);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAcquire_);
    buttons->addWidget(cmdExit_);
    left->addLayout(buttons);
    auto* right = new QVBoxLayout;
    right->addWidget(view_, 1);
    auto* under = new QHBoxLayout;
    under->addWidget(lblSize_, 1);
    under->addWidget(cmdfit_);
    right->addLayout(under);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    connect(destinations, &QButtonGroup::idClicked, this, [this] { updateEnabled(); });
    connect(fileModes, &QButtonGroup::idClicked, this, [this] { updateEnabled(); });
    connect(cmdBrowse_, &QPushButton::clicked, this, &frmTwain::cmdBrowse_Click);
    connect(cmdAcquire_, &QPushButton::clicked, this, &frmTwain::cmdAcquire_Click);
    connect(cmdExit_, &QPushButton::clicked, this, &frmTwain::cmdExit_Click);
    connect(cmdCancel_, &QPushButton::clicked, &run_, &AcquisitionRun::cancel);
    connect(&run_, &AcquisitionRun::pageAcquired, this, &frmTwain::pageAcquired);
    connect(&run_, &AcquisitionRun::progress, progress_, &QProgressBar::setValue);
    connect(&run_, &AcquisitionRun::finished, this, &frmTwain::acquisitionEnded);

    fillFrom(twain_);
    setFit(true);
    updateEnabled();
}

frmTwain::~frmTwain() = default;

bool frmTwain::acquiring() const { return run_.running(); }

void frmTwain::fillFrom(const SetupRecord::Twain& twain)
{
    optAcquire_[twain.destination == 1 ? 1 : 0]->setChecked(true);
    optFile_[twain.fileMode == 1 ? 1 : 0]->setChecked(true);
    txtFileName_->setText(twain.genericName);
    cboSinglepage_->setCurrentIndex(std::clamp<int>(twain.singlePageFormat, 0, cboSinglepage_->count() - 1));
    cboMultipage_->setCurrentIndex(std::clamp<int>(twain.multiPageFormat, 0, cboMultipage_->count() - 1));
    chkOverwrite_->setChecked(twain.overwrite != 0);
    txtFolder_->setText(withSlash(twain.folder));
}

void frmTwain::storeInto(SetupRecord::Twain& twain) const
{
    twain.destination = optAcquire_[1]->isChecked() ? 1 : 0;
    twain.fileMode = optFile_[1]->isChecked() ? 1 : 0;
    twain.genericName = txtFileName_->text();
    twain.singlePageFormat = static_cast<std::int16_t>(cboSinglepage_->currentIndex());
    twain.multiPageFormat = static_cast<std::int16_t>(cboMultipage_->currentIndex());
    twain.overwrite = chkOverwrite_->isChecked() ? 1 : 0;
    twain.folder = txtFolder_->text();
}

void frmTwain::updateEnabled()
{
    const bool disk = optAcquire_[1]->isChecked();
    const bool busy = run_.running();
    for (QWidget* w : std::initializer_list<QWidget*>{optFile_[0], optFile_[1], txtFileName_, cboSinglepage_,
                                                      cboMultipage_, chkOverwrite_, txtFolder_, cmdBrowse_})
        w->setEnabled(disk && !busy);
    optAcquire_[0]->setEnabled(!busy);
    optAcquire_[1]->setEnabled(!busy);
    const bool multi = optFile_[1]->isChecked();
    cboSinglepage_->setVisible(!multi);
    cboMultipage_->setVisible(multi);
    cmdAcquire_->setEnabled(!busy && !searching_);
    progress_->setVisible(busy);
    cmdCancel_->setVisible(busy);
}

void frmTwain::setFit(bool bestFit)
{
    ImageBox1.SetStretchToFit(bestFit);
    cmdfit_->setText(bestFit ? kBestFit : kActualSize);
    showImage();
}

void frmTwain::showImage()
{
    if (!ImageBox1.HasImage()) {
        picImage_->clear();
        return;
    }
    ImageBox1.SetWidth(view_->viewport()->width());
    ImageBox1.SetHeight(view_->viewport()->height());
    const QImage image = toQImage(ImageBox1.Picture());
    const QSize shown(ImageBox1.ViewWidth(), ImageBox1.ViewHeight());
    picImage_->setPixmap(QPixmap::fromImage(
        shown == image.size() ? image : image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    picImage_->resize(shown);
}

void frmTwain::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (ImageBox1.StretchToFit())
        showImage();
}

void frmTwain::cmdBrowse_Click()
{
    const QString folder = ui::ChooseFolder(this, QStringLiteral("Saved in"), txtFolder_->text());
    if (!folder.trimmed().isEmpty())
        txtFolder_->setText(withSlash(QDir::fromNativeSeparators(folder)));
}

void frmTwain::cmdAcquire_Click()
{
    if (run_.running() || searching_)
        return;
    // Without SANE or a scanner there is nothing to acquire from; the status line says so.
    if (!SaneScanner::available()) {
        lblStatus_->setText(QStringLiteral("Scanning is not available: SANE (libsane) is not installed."));
        return;
    }
    // Network backends may take seconds to answer, so the scanners are looked for on a thread of
    // its own. The thread holds no part of the window; a window closed meanwhile is not told.
    searching_ = true;
    lblStatus_->setText(QStringLiteral("Looking for scanners..."));
    updateEnabled();
    auto found = std::make_shared<std::vector<ScannerDevice>>();
    QThread* search = QThread::create([found] { *found = SaneScanner::devices(); });
    connect(search, &QThread::finished, search, &QObject::deleteLater);
    connect(search, &QThread::finished, this, [this, found] { devicesFound(*found); });
    search->start();
}

void frmTwain::devicesFound(const std::vector<ScannerDevice>& devices)
{
    searching_ = false;
    updateEnabled();
    if (devices.empty()) {
        lblStatus_->setText(QStringLiteral("No scanner was found."));
        return;
    }
    lblStatus_->clear();
    ScannerOptionsDialog options(devices, lastRequest_, this);
    if (options.exec() != QDialog::Accepted)
        return;
    lastRequest_ = options.request();
    acquire(lastRequest_);
}

void frmTwain::acquire(const ScanRequest& request)
{
    int line = 0;
    reportFailures(QStringLiteral("FrmTwain.cmdAcquire_Click"), line, [&] {
        line = 1;
        if (!run_.start(request))
            return;
        line = 2;
        storeInto(twain_);
        progress_->setValue(0);
        lblStatus_->setText(QStringLiteral("Scanning..."));
        updateEnabled();
    });
}

void frmTwain::pageAcquired(const ScannedPage& page, int index)
{
    int line = 0;
    reportFailures(QStringLiteral("FrmTwain.subAddItemToBasket"), line, [&] {
        line = 1;
        AcquiredPageFile::takeInto(ImageBox1, page);
        line = 2;
        const QString path = AcquiredPageFile::pathFor(twain_, index, ProgramFolder::tempFolder());
        AcquiredPageFile::store(ImageBox1, twain_, index, path);
        line = 3;
        if (twain_.destination != 1 && addToBasket_)
            addToBasket_(path);
        line = 4;
        lblSize_->setText(QStringLiteral("%1 X %2").arg(ImageBox1.ImageWidth()).arg(ImageBox1.ImageHeight()));
        lblStatus_->setText(QStringLiteral("Page %1 acquired").arg(index));
        showImage();
    });
}

void frmTwain::acquisitionEnded(const QString& error, int number)
{
    if (!error.isEmpty()) {
        lblStatus_->setText(error);
        ReportError(error, number, 0, QStringLiteral("FrmTwain.cmdAcquire_Click"));
    } else if (lblStatus_->text() == u"Scanning...") {
        lblStatus_->clear();
    }
    // The run clears its running flag on its own connection, which came first.
    updateEnabled();
    Q_EMIT acquisitionFinished();
}

void frmTwain::cmdExit_Click()
{
    storeInto(twain_);
    close();
}

void frmTwain::done(int result)
{
    // However the window goes, the scanner stops; the pages already delivered are kept.
    run_.cancel();
    QDialog::done(result);
}

}  // namespace lumora
