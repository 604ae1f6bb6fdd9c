#include "tasks/WatermarkOptions.h"

#include "imageio/LoadPic.h"
#include "shell/FileDialogs.h"
#include "shell/PictureImage.h"
#include "tasks/ColorButton.h"
#include "tasks/LogoThumbnail.h"
#include "tasks/TaskDefaultsBinding.h"
#include "tasks/TaskIconPainting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSlider>

#include <array>

namespace lumora {
namespace {

// The placement code of each entry of the style list ("Single", "Centre", "Tile", "Wrap").
constexpr std::array<int, 4> PlacementOfEntry = {1, 0, 2, 3};
constexpr int SinglePlacement = 1;

int entryOfPlacement(int placement)
{
    for (size_t i = 0; i < PlacementOfEntry.size(); ++i)
        if (PlacementOfEntry[i] == placement)
            return static_cast<int>(i);
    return 1;  // Centre
}

constexpr int ThumbnailWidth = 96;
constexpr int ThumbnailHeight = 72;

}  // namespace

const QString WatermarkOptions::LogoFilter =
    QStringLiteral("All Image Files|*.bmp;*.jpg;*.jpeg;*.pcx;*.png;*.gif;*.wbm;*.wbmp;*.psd;*.tif;*.tiff") +
    QStringLiteral("|Bitmap Files (*.bmp)|*.bmp|JPEG Files (*.jpg, *.jpeg)|*.jpg;*.jpeg") +
    QStringLiteral("|PCX Files (*.pcx)|*.pcx|PNG Files (*.png)|*.png") + QStringLiteral("|GIF Files (*.gif)|*.gif") +
    QStringLiteral("|Wireless Bitmap Files (*.wbm, *.wbmp)|*.wbm;*.wbmp") +
    QStringLiteral("|Adobe Photoshop Files (*.psd)|*.psd") + QStringLiteral("|TIFF Files (*.tif, *.tiff)|*.tif;*.tiff");

WatermarkOptions::WatermarkOptions(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPage(info, parent),
      select_(new QPushButton(QStringLiteral("Select Image"), this)),
      thumbnail_(new LogoThumbnail(this)),
      transparent_(new QCheckBox(QStringLiteral("Transparent"), this)),
      transparentColor_(new ColorButton(this)),
      pickTransparentColor_(new QCheckBox(QStringLiteral("Pick"), this)),
      style_(new QComboBox(this)),
      selectLocation_(new QCheckBox(QStringLiteral("Pick location"), this)),
      locationLabel_(new QLabel(this))
{
    select_->setObjectName(QStringLiteral("cmdSelectMerge"));
    thumbnail_->setObjectName(QStringLiteral("picWatermarkImage"));
    transparent_->setObjectName(QStringLiteral("chkWatermarkTransparent"));
    transparentColor_->setObjectName(QStringLiteral("picWatermarkTransparentColor"));
    transparentColor_->setToolTip(QStringLiteral("The logo's see-through colour"));
    pickTransparentColor_->setObjectName(QStringLiteral("chkWatermarkTransparentColor"));
    pickTransparentColor_->setToolTip(QStringLiteral("Move over the logo to take its see-through colour"));
    style_->setObjectName(QStringLiteral("cboMergeStyle"));
    style_->addItems(
        {QStringLiteral("Single"), QStringLiteral("Centre"), QStringLiteral("Tile"), QStringLiteral("Wrap")});
    style_->setCurrentIndex(entryOfPlacement(0));
    selectLocation_->setObjectName(QStringLiteral("chkSelectLocation"));
    selectLocation_->setToolTip(QStringLiteral("Click on the picture where the logo's top-left corner goes"));
    locationLabel_->setObjectName(QStringLiteral("lblWatermarkLocation"));
    transparent_->setChecked(true);

    QGridLayout* grid = pageGrid();
    grid->addWidget(select_, 0, 0, 1, 4, Qt::AlignLeft);
    grid->addWidget(thumbnail_, 1, 0, 1, 4);
    auto* transparentRow = new QHBoxLayout;
    transparentRow->addWidget(transparent_);
    transparentRow->addWidget(transparentColor_);
    transparentRow->addWidget(pickTransparentColor_);
    transparentRow->addStretch(1);
    grid->addLayout(transparentRow, 2, 0, 1, 4);
    transparency_ = sliderRow(grid, 3, QStringLiteral("Transparency"), QStringLiteral("sldWatermarkTransparency"), 0,
                              100);
    transparency_->setValue(50);
    grid->addWidget(new QLabel(QStringLiteral("Style"), this), 4, 0);
    grid->addWidget(style_, 4, 1, 1, 3);
    grid->addWidget(selectLocation_, 5, 0, 1, 2);
    grid->addWidget(locationLabel_, 5, 2, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(6, 1);

    watch(transparent_);
    watch(transparentColor_);
    watch(transparency_);
    watch(style_);
    connect(select_, &QPushButton::clicked, this, &WatermarkOptions::chooseLogo);
    connect(style_, &QComboBox::currentIndexChanged, this, &WatermarkOptions::updateEnabled);
    connect(selectLocation_, &QCheckBox::toggled, this, &TaskOptionPanel::mouseToolChanged);
    connect(thumbnail_, &LogoThumbnail::colorHovered, this, [this](std::uint32_t colour) {
        if (!pickTransparentColor_->isChecked() || colour == transparentColor_->color())
            return;
        transparentColor_->setColor(colour);
        userChanged();
    });
    connect(thumbnail_, &LogoThumbnail::released, this, [this] { pickTransparentColor_->setChecked(false); });
    updateEnabled();
}

int WatermarkOptions::placement() const
{
    const int entry = style_->currentIndex();
    return entry >= 0 && entry < int(PlacementOfEntry.size()) ? PlacementOfEntry[static_cast<size_t>(entry)] : 0;
}

void WatermarkOptions::updateEnabled()
{
    const bool single = placement() == SinglePlacement;
    selectLocation_->setEnabled(single);
    locationLabel_->setEnabled(single);
    if (!single)
        selectLocation_->setChecked(false);
}

void WatermarkOptions::chooseLogo()
{
    const QString folder = logoPath_.isEmpty() ? QString() : QFileInfo(logoPath_).absolutePath();
    const ui::FileChoice choice =
        ui::ChooseOpenFile(this, QStringLiteral("Load Image for Merging"), LogoFilter, folder);
    if (choice.path.isEmpty())
        return;
    logoPath_ = choice.path;
    // The chosen logo is remembered at once: a Reset or the next visit of the page keeps it.
    if (remembered())
        remembered()->watermarkFile = logoPath_;
    showLogo();
    userChanged();
}

void WatermarkOptions::showLogo()
{
    if (logoPath_.isEmpty()) {
        thumbnail_->setImage({});
        return;
    }
    thumbnail_->setImage(toQImage(LoadPic(logoPath_, ShrinkToFit, ThumbnailWidth, ThumbnailHeight)));
}

void WatermarkOptions::loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext&)
{
    Loading loading(*this);
    const taskdefaults::Watermark v = taskdefaults::watermark(defaults);
    transparent_->setChecked(v.transparent);
    style_->setCurrentIndex(entryOfPlacement(v.placement));
    transparentColor_->setColor(v.transparentColor);
    transparency_->setValue(v.transparency);
    if (logoPath_ != v.file || thumbnail_->image().isNull()) {
        logoPath_ = v.file;
        showLogo();
    }
    point_.reset();
    locationLabel_->clear();
    updateEnabled();
}

void WatermarkOptions::storeOptions(SetupRecord::TaskDefaults& defaults) const
{
    taskdefaults::store(defaults, taskdefaults::Watermark{transparent_->isChecked(), placement(),
                                                          transparentColor_->color(), transparency_->value(),
                                                          logoPath_});
}

TaskRecord WatermarkOptions::record(const TaskViewContext& view) const
{
    TaskRecord task(TaskKind::Watermark, key(),
                    {flagText(transparent_->isChecked()), QString::number(transparency_->value()),
                     QString::number(placement()), logoPath_, colorText(transparentColor_->color())});
    if (placement() == SinglePlacement) {
        const QPoint at = view.toImage(point_.value_or(QPoint()));
        task.params[5] = QString::number(at.y());
        task.params[6] = QString::number(at.x());
    }
    task.params[7] = flagText(view.scaled);
    return task;
}

TaskOptionPanel::MouseTool WatermarkOptions::mouseTool() const
{
    return selectLocation_->isChecked() ? MouseTool::PickPoint : MouseTool::None;
}

void WatermarkOptions::pointPicked(QPoint view) { takePickedPoint(selectLocation_, locationLabel_, point_, view); }

void WatermarkOptions::mouseReleased() { pickTransparentColor_->setChecked(false); }

void WatermarkOptions::cancelMouseTool()
{
    selectLocation_->setChecked(false);
    pickTransparentColor_->setChecked(false);
}


// The page's task icon, on the 24 x 24 grid of every task icon.
void drawWatermarkIcon(QPainter& p)
{
    using namespace iconpaint;
    QPainterPath drop;
    drop.moveTo(12, 2);
    drop.cubicTo(14, 7, 19, 10, 19, 15);
    drop.arcTo(QRectF(5, 8, 14, 14), 0, -180);
    drop.cubicTo(5, 10, 10, 7, 12, 2);
    QColor water = Sky;
    water.setAlpha(140);
    p.setPen(pen(Highlight, 1.3));
    p.setBrush(water);
    p.drawPath(drop);
    p.setPen(pen(Paper, 1.5));
    p.drawArc(QRectF(8, 12, 6, 6), 180 * 16, 90 * 16);
}

}  // namespace lumora
