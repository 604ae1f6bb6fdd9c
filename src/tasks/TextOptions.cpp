#include "tasks/TextOptions.h"

#include "controls/NumericField.h"
#include "controls/TypingFilter.h"
#include "tasks/ColorButton.h"
#include "tasks/SpinArrows.h"
#include "tasks/TaskDefaultsBinding.h"
#include "tasks/TaskIconPainting.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>

#include <algorithm>

namespace lumora {
namespace {

const NumericFieldSpec AngleSpec{QStringLiteral("0"), -180, 180, true};

const char* const Positions[] = {"Top-Left",     "Top-Centre",  "Top-Right",     "Centre-Left",
                                 "Centre",       "Centre-Right", "Bottom-Left",  "Bottom-Centre",
                                 "Bottom-Right", "Mouse-Click Position"};
constexpr int FontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// Vertical text is the line turned a quarter clockwise (the engine counts angles
// counter-clockwise).
const QString VerticalAngle = QStringLiteral("-90");

}  // namespace

TextOptions::TextOptions(const TaskKindInfo& info, QWidget* parent)
    : TaskOptionPage(info, parent),
      text_(new QLineEdit(QStringLiteral("Sample"), this)),
      family_(new QComboBox(this)),
      size_(new QComboBox(this)),
      bold_(new QCheckBox(QStringLiteral("Bold"), this)),
      italic_(new QCheckBox(QStringLiteral("Italic"), this)),
      underline_(new QCheckBox(QStringLiteral("Underline"), this)),
      antiAlias_(new QCheckBox(QStringLiteral("Anti-Alias"), this)),
      transparent_(new QCheckBox(QStringLiteral("Transparent background"), this)),
      color_(new ColorButton(this)),
      background_(new ColorButton(this)),
      position_(new QComboBox(this)),
      placement_(new QWidget(this)),
      orientation_(new QButtonGroup(this)),
      alignment_(new QButtonGroup(this)),
      clicked_(new QWidget(this)),
      angle_(numericField(AngleSpec, QStringLiteral("txtTextAngle"))),
      angleArrows_(spinArrows(angle_, QStringLiteral("vsbTextAngle"), -180, 180)),
      selectLocation_(new QCheckBox(QStringLiteral("Pick location"), this)),
      locationLabel_(new QLabel(this))
{
    text_->setObjectName(QStringLiteral("txtDraw"));
    // Task Basket files keep every field in double quotes with no escaping: words holding one
    // could never be saved, so the key is refused here, where the user can see it.
    new TypingFilter(text_, [](QChar c) { return c == u'"'; });
    family_->setObjectName(QStringLiteral("ComboFontFamily"));
    // The desktop's own font comes first: the remembered choice is a position in this list, and
    // a first start (position 0) should write in a plain, readable face rather than whatever font
    // sorts first.
    QStringList families = QFontDatabase::families();
    const QString desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    if (families.removeAll(desktop) > 0)
        families.prepend(desktop);
    family_->addItems(families);
    family_->setMinimumContentsLength(10);
    family_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    size_->setObjectName(QStringLiteral("comboFontSize"));
    size_->setEditable(true);
    for (int points : FontSizes)
        size_->addItem(QString::number(points));
    size_->setValidator(new QIntValidator(1, 999, size_));
    size_->setCurrentText(QStringLiteral("14"));
    size_->setMaximumWidth(64);
    bold_->setObjectName(QStringLiteral("chkTextBold"));
    italic_->setObjectName(QStringLiteral("chkTextItalic"));
    underline_->setObjectName(QStringLiteral("chkTextUnderline"));
    antiAlias_->setObjectName(QStringLiteral("chkAntiAlias"));
    transparent_->setObjectName(QStringLiteral("chkTransparent"));
    color_->setObjectName(QStringLiteral("cmdTextColor"));
    color_->setToolTip(QStringLiteral("Text colour"));
    background_->setObjectName(QStringLiteral("cmdTextBackground"));
    background_->setToolTip(QStringLiteral("Background colour"));
    position_->setObjectName(QStringLiteral("cboPosition"));
    for (const char* name : Positions)
        position_->addItem(QString::fromLatin1(name));
    selectLocation_->setObjectName(QStringLiteral("chkSelectLocation"));
    selectLocation_->setToolTip(QStringLiteral("Click on the picture where the text begins"));
    locationLabel_->setObjectName(QStringLiteral("lblTextLocation"));

    // Orientation and alignment: two groups of options side by side.
    auto* placementGrid = new QGridLayout(placement_);
    placementGrid->setContentsMargins(0, 0, 0, 0);
    placementGrid->setVerticalSpacing(0);
    const QString orientations[] = {QStringLiteral("Horizontal"), QStringLiteral("Vertical")};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(orientations[i], placement_);
        option->setObjectName(QStringLiteral("OptTextOrientation%1").arg(i));
        orientation_->addButton(option, i);
        placementGrid->addWidget(option, i, 0);
        watch(option);
    }
    const QString alignments[] = {QStringLiteral("Left"), QStringLiteral("Centre"), QStringLiteral("Right")};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(alignments[i], placement_);
        option->setObjectName(QStringLiteral("OptTextAlignment%1").arg(i));
        alignment_->addButton(option, i);
        placementGrid->addWidget(option, i, 1);
        watch(option);
    }
    orientation_->button(0)->setChecked(true);
    alignment_->button(0)->setChecked(true);
    placementGrid->setColumnStretch(2, 1);

    // The clicked position: the angle and the point.
    auto* clickedGrid = new QGridLayout(clicked_);
    clickedGrid->setContentsMargins(0, 0, 0, 0);
    clickedGrid->addWidget(new QLabel(QStringLiteral("Angle"), clicked_), 0, 0);
    auto* angleRow = new QHBoxLayout;
    angleRow->setSpacing(1);
    angleRow->addWidget(angle_);
    angleRow->addWidget(angleArrows_);
    angleRow->addStretch(1);
    clickedGrid->addLayout(angleRow, 0, 1);
    clickedGrid->addWidget(selectLocation_, 1, 0, 1, 2);
    clickedGrid->addWidget(locationLabel_, 2, 0, 1, 2);
    clickedGrid->setColumnStretch(1, 1);

    QGridLayout* grid = pageGrid();
    grid->addWidget(new QLabel(QStringLiteral("Text"), this), 0, 0);
    grid->addWidget(text_, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Font"), this), 1, 0);
    grid->addWidget(family_, 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Size"), this), 2, 0);
    grid->addWidget(size_, 2, 1);
    auto* styleRow = new QHBoxLayout;
    styleRow->addWidget(bold_);
    styleRow->addWidget(italic_);
    styleRow->addWidget(underline_);
    styleRow->addStretch(1);
    grid->addLayout(styleRow, 3, 0, 1, 4);
    grid->addWidget(antiAlias_, 4, 0, 1, 4);
    grid->addWidget(transparent_, 5, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Color"), this), 6, 0);
    grid->addWidget(color_, 6, 1);
    grid->addWidget(new QLabel(QStringLiteral("Background"), this), 6, 2);
    grid->addWidget(background_, 6, 3);
    grid->addWidget(new QLabel(QStringLiteral("Position"), this), 7, 0);
    grid->addWidget(position_, 7, 1, 1, 3);
    grid->addWidget(placement_, 8, 0, 1, 4);
    grid->addWidget(clicked_, 9, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(10, 1);

    watch(text_);
    watch(family_);
    watch(size_);
    for (QCheckBox* box : {bold_, italic_, underline_, antiAlias_, transparent_})
        watch(box);
    watch(color_);
    watch(background_);
    watch(position_);
    watch(angle_);
    connect(position_, &QComboBox::currentIndexChanged, this, &TextOptions::updateVisible);
    connect(orientation_, &QButtonGroup::idToggled, this, &TextOptions::updateVisible);
    connect(selectLocation_, &QCheckBox::toggled, this, &TaskOptionPanel::mouseToolChanged);
    updateVisible();
}

int TextOptions::position() const { return position_->currentIndex(); }
bool TextOptions::vertical() const { return orientation_->checkedId() == 1; }

void TextOptions::updateVisible()
{
    const bool clicked = position() == MouseClickPosition;
    placement_->setVisible(!clicked);
    clicked_->setVisible(clicked);
    // Vertical text is always anchored at its start.
    for (QAbstractButton* option : alignment_->buttons())
        option->setEnabled(!vertical());
    if (!clicked)
        selectLocation_->setChecked(false);
}

void TextOptions::loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext&)
{
    Loading loading(*this);
    const taskdefaults::Text v = taskdefaults::text(defaults);
    text_->setText(v.text);
    if (v.fontFamily >= 0 && v.fontFamily < family_->count())
        family_->setCurrentIndex(v.fontFamily);
    size_->setCurrentText(QString::number(v.fontSize));
    bold_->setChecked(v.bold);
    italic_->setChecked(v.italic);
    underline_->setChecked(v.underline);
    antiAlias_->setChecked(v.antiAlias);
    transparent_->setChecked(v.transparent);
    color_->setColor(v.color);
    background_->setColor(v.backColor);
    position_->setCurrentIndex(std::clamp(v.position, 0, MouseClickPosition));
    orientation_->button(std::clamp(v.orientation, 0, 1))->setChecked(true);
    alignment_->button(std::clamp(v.alignment, 0, 2))->setChecked(true);
    angle_->setText(QString::number(v.angle));
    angleArrows_->setValue(angle_->value());
    point_.reset();
    locationLabel_->clear();
    updateVisible();
}

void TextOptions::storeOptions(SetupRecord::TaskDefaults& defaults) const
{
    taskdefaults::Text v;
    v.text = text_->text();
    v.transparent = transparent_->isChecked();
    v.backColor = background_->color();
    v.fontFamily = family_->currentIndex();
    v.position = position();
    v.antiAlias = antiAlias_->isChecked();
    v.fontSize = size_->currentText().toInt();
    v.color = color_->color();
    v.bold = bold_->isChecked();
    v.italic = italic_->isChecked();
    v.underline = underline_->isChecked();
    v.angle = angle_->value();
    v.alignment = alignment_->checkedId();
    v.orientation = orientation_->checkedId();
    taskdefaults::store(defaults, v);
}

TaskRecord TextOptions::record(const TaskViewContext& view) const
{
    const bool clicked = position() == MouseClickPosition;
    QString angle = QStringLiteral("0");
    if (clicked)
        angle = angle_->text();
    else if (vertical())
        angle = VerticalAngle;
    const int alignment = clicked || vertical() ? 0 : alignment_->checkedId();

    TaskRecord task(TaskKind::Text, key(),
                    {flagText(antiAlias_->isChecked()), flagText(view.scaled), flagText(transparent_->isChecked()),
                     angle,
                     QString::number(alignment), family_->currentText(), size_->currentText(),
                     flagText(bold_->isChecked()), flagText(italic_->isChecked()), flagText(underline_->isChecked()),
                     colorText(color_->color()), colorText(background_->color()),
                     QString::number(orientation_->checkedId()), QString::number(position()), text_->text()});
    if (clicked) {
        const QPoint anchor = view.toImage(point_.value_or(QPoint()));
        task.params[15] = QString::number(anchor.x());
        task.params[16] = QString::number(anchor.y());
    }
    return task;
}

TaskOptionPanel::MouseTool TextOptions::mouseTool() const
{
    return selectLocation_->isChecked() ? MouseTool::PickPoint : MouseTool::None;
}

void TextOptions::pointPicked(QPoint view) { takePickedPoint(selectLocation_, locationLabel_, point_, view); }

void TextOptions::cancelMouseTool() { selectLocation_->setChecked(false); }


// The page's task icon, on the 24 x 24 grid of every task icon.
void drawTextIcon(QPainter& p)
{
    using namespace iconpaint;
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawRect(QRectF(4, 3, 16, 3.5));
    p.drawRect(QRectF(10.2, 3, 3.6, 17));
    p.drawRect(QRectF(7.5, 18.5, 9, 2.5));
    p.setBrush(Highlight);
    p.drawRect(QRectF(3, 22, 18, 1.5));
}

}  // namespace lumora
