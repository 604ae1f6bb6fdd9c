#include "output/frmPrintOptions.h"

#include "output/PrintLayout.h"
#include "shell/MessageBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>

namespace lumora {
namespace {

constexpr int PreviewHeight = 420;      // pixels of the drawn page's longer side
constexpr int PreviewPhotoSide = 1200;  // the preview's copy of the photo is at most this

const QPageSize::PageSizeId Papers[] = {QPageSize::A3,    QPageSize::A4,        QPageSize::A5,
                                        QPageSize::A6,    QPageSize::B5,        QPageSize::Letter,
                                        QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid};

QComboBox* choices(QWidget* parent, const QStringList& items, int current)
{
    auto* box = new QComboBox(parent);
    box->addItems(items);
    box->setCurrentIndex(current);
    return box;
}

}  // namespace

frmPrintOptions::frmPrintOptions(const PrintedPhoto& photo, const PrintOptions& options, const QPageSize& printerPaper,
                                 QWidget* parent)
    : QDialog(parent), photo_(photo), printerPaper_(printerPaper)
{
    setObjectName(QStringLiteral("frmPrintOptions"));
    setWindowTitle(QStringLiteral("Print - ") + ui::ApplicationName());
    // The preview needs no more pixels than it shows; the stated resolution shrinks with the
    // copy so that an actual-size page looks the same.
    if (std::max(photo_.image.width(), photo_.image.height()) > PreviewPhotoSide) {
        const QImage reduced =
            photo_.image.scaled(PreviewPhotoSide, PreviewPhotoSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        photo_.dpi *= double(reduced.width()) / photo_.image.width();
        photo_.image = reduced;
    }

    paper_ = new QComboBox(this);
    paper_->addItem(QStringLiteral("Printer's default"), -1);
    for (QPageSize::PageSizeId id : Papers)
        paper_->addItem(QPageSize::name(id), int(id));
    paper_->setCurrentIndex(std::max(0, paper_->findData(options.paperSize)));
    orientation_ =
        choices(this, {QStringLiteral("As the photo"), QStringLiteral("Portrait"), QStringLiteral("Landscape")},
                options.orientation);
    placement_ = choices(this, {QStringLiteral("Centred"), QStringLiteral("Top left")}, options.placement);
    auto margin = [this](double value) {
        auto* box = new QDoubleSpinBox(this);
        box->setRange(0, 100);
        box->setDecimals(1);
        box->setSuffix(QStringLiteral(" mm"));
        box->setSpecialValueText(QStringLiteral("Least"));
        box->setValue(value);
        return box;
    };
    marginX_ = margin(options.marginXMm);
    marginY_ = margin(options.marginYMm);
    copies_ = new QSpinBox(this);
    copies_->setRange(1, 999);
    copies_->setValue(options.copies);
    size_ = choices(this, {QStringLiteral("Fit the page"), QStringLiteral("Actual size"), QStringLiteral("Scale")},
                    options.size);
    scale_ = new QDoubleSpinBox(this);
    scale_->setRange(1, 1000);
    scale_->setSuffix(QStringLiteral(" %"));
    scale_->setValue(options.scalePercent);
    fileName_ = new QCheckBox(QStringLiteral("Print the file name under the photo"), this);
    fileName_->setChecked(options.printFileName);
    grey_ = new QCheckBox(QStringLiteral("Print in grey"), this);
    grey_->setChecked(options.grey);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Paper:"), paper_);
    form->addRow(QStringLiteral("Orientation:"), orientation_);
    form->addRow(QStringLiteral("Placement:"), placement_);
    form->addRow(QStringLiteral("Left and right margins:"), marginX_);
    form->addRow(QStringLiteral("Top and bottom margins:"), marginY_);
    form->addRow(QStringLiteral("Size:"), size_);
    form->addRow(QStringLiteral("Scale:"), scale_);
    form->addRow(QStringLiteral("Copies:"), copies_);
    form->addRow(fileName_);
    form->addRow(grey_);

    page_ = new QLabel(this);
    page_->setObjectName(QStringLiteral("lblPagePreview"));
    page_->setMinimumSize(PreviewHeight, PreviewHeight);
    page_->setAlignment(Qt::AlignCenter);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(QStringLiteral("Print..."), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* columns = new QHBoxLayout;
    columns->addLayout(form);
    columns->addWidget(page_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    for (QComboBox* box : {paper_, orientation_, placement_, size_})
        connect(box, &QComboBox::currentIndexChanged, this, &frmPrintOptions::redraw);
    for (QDoubleSpinBox* box : {marginX_, marginY_, scale_})
        connect(box, &QDoubleSpinBox::valueChanged, this, &frmPrintOptions::redraw);
    for (QCheckBox* box : {fileName_, grey_})
        connect(box, &QCheckBox::toggled, this, &frmPrintOptions::redraw);
    redraw();
}

PrintOptions frmPrintOptions::options() const
{
    PrintOptions o;
    o.paperSize = paper_->currentData().toInt();
    o.orientation = orientation_->currentIndex();
    o.placement = placement_->currentIndex();
    o.marginXMm = marginX_->value();
    o.marginYMm = marginY_->value();
    o.copies = copies_->value();
    o.size = size_->currentIndex();
    o.scalePercent = scale_->value();
    o.printFileName = fileName_->isChecked();
    o.grey = grey_->isChecked();
    return o;
}

void frmPrintOptions::redraw()
{
    const PrintOptions o = options();
    scale_->setEnabled(o.size == PrintOptions::Scaled);
    const QPageLayout layout = printPageLayout(o, photo_.image.size(), printerPaper_);
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const double pixelsPerPoint = PreviewHeight / std::max(paper.width(), paper.height());
    preview_ = QImage((paper.size() * pixelsPerPoint).toSize(), QImage::Format_RGB32);
    preview_.fill(Qt::white);

    PrintedPhoto shown = photo_;
    if (o.grey)
        shown.image = shown.image.convertToFormat(QImage::Format_Grayscale8);
    QPainter painter(&preview_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixelsPerPoint, pixelsPerPoint);
    const QRectF printable = layout.paintRect(QPageLayout::Point);
    painter.setPen(QPen(QColor(200, 200, 200), 0, Qt::DashLine));
    painter.drawRect(printable);
    painter.translate(printable.topLeft());
    paintPhotoInPoints(painter, printable.size(), shown, o);
    painter.end();

    QImage framed(preview_.size() + QSize(2, 2), QImage::Format_RGB32);
    framed.fill(Qt::darkGray);
    QPainter(&framed).drawImage(1, 1, preview_);
    page_->setPixmap(QPixmap::fromImage(framed));
}

}  // namespace lumora
