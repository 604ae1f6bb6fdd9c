// The option pages of the task editing panel, one shown at a time in an active window and driven
// with keys and the mouse: what they record, remember and pick on the preview; galleries and icons.

#include "settings/SetupRecord.h"
#include "support/ScriptedDialogs.h"
#include "support/TestImages.h"
#include "tasks/ColorButton.h"
#include "tasks/GalleryThumbnails.h"
#include "tasks/LogoThumbnail.h"
#include "tasks/SpinArrows.h"
#include "tasks/TaskBasket.h"
#include "tasks/TaskIconModel.h"
#include "tasks/TaskIcons.h"
#include "tasks/TaskOptionPages.h"
#include "tasks/TaskOptionPanel.h"
#include "tasks/WatermarkOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

using namespace lumora;
using namespace lumora::test;

namespace {

using TaskDefaults = SetupRecord::TaskDefaults;

TaskDefaults freshDefaults()
{
    SetupRecord record;
    setDefaults(record, QStringLiteral("/tmp"));
    return record.taskDefaults;
}

// A colour as a record slot holds it: the decimal text of the signed 32-bit OLE colour.
QString oleText(std::uint32_t ole) { return QString::number(static_cast<std::int32_t>(ole)); }

// Slots of a record, P0 first; the slots not listed are empty.
TaskSlots slotsOf(std::initializer_list<QString> values) { return TaskRecord({}, {}, values).params; }

// A photo shown at its own size, unchanged since edit mode began.
TaskViewContext view(int w, int h) { return {w, h, w, h, w, h, w, h, false}; }

// Clicks as a person does: a check box or option button on its indicator (a wide one's middle may
// lie past its caption, where clicks do nothing), anything else in the middle.
void clickOn(QWidget* widget)
{
    const bool indicator = qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, indicator ? QPoint(6, widget->height() / 2) : QPoint());
}

// An 800 x 600 photo drawn at half size in a 420 x 320 box; edit mode began at 800 x 600.
TaskViewContext scaledView() { return {800, 600, 800, 600, 400, 300, 420, 320, true}; }

// Names of the fields in which two blocks differ.
QStringList differingFields(const TaskDefaults& a, const TaskDefaults& b)
{
    QStringList names;
    QList<QVariant> values;
    TaskDefaults::forEachField(a, [&](const char*, const auto& field) { values << QVariant::fromValue(field); });
    int i = 0;
    TaskDefaults::forEachField(b, [&](const char* name, const auto& field) {
        if (values.at(i++) != QVariant::fromValue(field))
            names << QString::fromLatin1(name);
    });
    return names;
}
std::string names(const QStringList& fields) { return fields.join(u' ').toStdString(); }

// A block in which every one of the 53 fields differs from its default and each value suits the
// control that shows it.
TaskDefaults everythingChanged(int fontFamilies)
{
    TaskDefaults d;
    d.field1 = 1, d.field2 = 0, d.field3 = 4, d.field4 = 75, d.field5 = 0x00112233;
    d.field6 = 11, d.field7 = 12, d.field8 = 13, d.field9 = 14;
    d.field10 = 90, d.field11 = 1, d.field12 = 0x00445566;
    d.field13 = 30, d.field14 = 0, d.field15 = 0, d.field16 = 0;
    d.field17 = 70, d.field18 = 0, d.field19 = 0, d.field20 = 0;
    d.field21 = 7, d.field22 = 4, d.field23 = 0, d.field24 = 1;
    d.textText = QStringLiteral("Hello, Lumora"), d.textTransparent = 0, d.textBackColor = 0x00778899;
    d.field28 = static_cast<std::int16_t>(std::min(2, fontFamilies - 1)), d.field29 = 9, d.field30 = 1;
    d.textFontSize = 22, d.textColor = 0x000000FF, d.textBold = 1, d.textItalic = 1, d.textUnderline = 1;
    d.textAngle = -30, d.textAlignment = 2, d.textOrientation = 1;
    d.flip = 1;
    d.watermarkTransparent = 0, d.watermarkMergeStyle = 3, d.watermarkTransparentColor = 0x0000FF00;
    d.watermarkTransparency = 20, d.watermarkFile = QStringLiteral("/nowhere/logo.png");
    d.frameStyle = 1, d.frameSize = 35, d.frameColor = 0x00ABCDEF, d.field48 = 5, d.field49 = 0;
    d.field50 = 6, d.field51 = 0, d.field52 = 80, d.field53 = 7;
    return d;
}

const QString kHighlight = oleText(0x8000000E);

// A 40 x 20 logo, red on the left, blue on the right.
QString writeLogo(const QTemporaryDir& dir)
{
    Picture logo = Picture::filled(40, 20, Rgb{255, 0, 0});
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            logo.setPixel(x, y, Rgb{0, 0, 255});
    return writePng(logo, dir.filePath(QStringLiteral("logo.png")));
}

// Every option page in a window, beside a line edit that takes the focus when a field is left, as
// Tab would move it. Controls are found by name on the page shown.
class TaskOptionPagesTest : public ::testing::Test {
protected:
    TaskOptionPagesTest()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(other);
        layout->addWidget(stack);
        for (TaskOptionPanel* p : pages.pages())
            stack->addWidget(p);
        loadAll(freshDefaults(), view(800, 600));
        window.resize(260, 700);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void loadAll(const TaskDefaults& d, const TaskViewContext& context)
    {
        for (TaskOptionPanel* p : pages.pages())
            p->loadOptions(d, context);
    }

    // Shows the page of the key, as the editing panel does, so that clicks and keys reach it.
    template <class Page = TaskOptionPanel> Page* show(const QString& key)
    {
        auto* page = dynamic_cast<Page*>(pages.byKey(key));
        EXPECT_NE(page, nullptr) << key.toStdString();
        if (page)
            stack->setCurrentWidget(page);
        return page;
    }

    template <class W = QWidget> W* control(const QString& name) const
    {
        W* widget = stack->currentWidget()->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QString text(const QString& name) const { return control<QLineEdit>(name)->text(); }

    void click(const QString& name) { clickOn(control(name)); }
    void press(const QString& name, Qt::Key key) { QTest::keyClick(control(name), key); }
    // Clicks the upper or the lower one of a pair of arrows.
    void arrow(const QString& name, bool up)
    {
        QWidget* arrows = control(name);
        QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, up ? 2 : arrows->height() - 3));
    }

    // Enters the field, replaces its text by typing, and leaves it for the other edit.
    void typeInto(const QString& name, const QString& keys, bool leave = true)
    {
        auto* field = control<QLineEdit>(name);
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClicks(field, keys);
        if (leave)
            other->setFocus(Qt::TabFocusReason);
    }

    int fontFamilies() { return show("text") ? control<QComboBox>("ComboFontFamily")->count() : 0; }
    QString family(int i) { return show("text") ? control<QComboBox>("ComboFontFamily")->itemText(i) : QString(); }

    QWidget window;
    QLineEdit* other = new QLineEdit(&window);
    QStackedWidget* stack = new QStackedWidget(&window);
    TaskOptionPages pages{&window};
};

}  // namespace

// The records fresh options make are in the table of a person's choices, which start from them.
TEST_F(TaskOptionPagesTest, EveryKindHasAPageThatRecordsAndStoresTheRememberedOptionsAndLoadingAnnouncesNothing)
{
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (TaskOptionPanel* p : pages.pages())
        spies.push_back(std::make_unique<QSignalSpy>(p, &TaskOptionPanel::optionsChanged));
    const TaskDefaults fresh = freshDefaults();
    ASSERT_GE(fontFamilies(), 2);
    const TaskDefaults changed = everythingChanged(fontFamilies());
    ASSERT_EQ(differingFields(fresh, changed).size(), 53) << "every field must differ for the round trip to tell";
    // Channels told apart: red and blue off, green on. On the 800 x 600 photo at its own size.
    TaskDefaults remembered = changed;
    remembered.field15 = remembered.field19 = 1;
    const QString rememberedFamily = family(remembered.field28);
    loadAll(remembered, view(800, 600));
    // Each page records its own kind, also where pages of one class serve several kinds.
    const struct {
        int kind;
        const char* key;
        TaskSlots slots;
    } rows[] = {
        {0, "nothing", {}},
        {1, "flip", slotsOf({"1"})},
        {2, "rotate", slotsOf({"True", "90", oleText(0x445566)})},
        {3, "resize", slotsOf({"True", "800", "600"})},  // always opened on the exact size, the photo's
        {4, "blur", slotsOf({"7"})},
        {5, "contrast", slotsOf({"30", "0", "1", "0"})},
        {6, "brightness", slotsOf({"70", "0", "1", "0"})},
        {7, "sharpen", slotsOf({"4"})},
        {8, "crop", slotsOf({"True", "1", "0", "0", "800", "600", oleText(0x112233)})},  // a keyed-in ellipse
        {9, "watermark", slotsOf({"False", "20", "3", "/nowhere/logo.png", oleText(0xFF00), "", "", "False"})},
        // At a clicked point (none clicked yet), where the angle field counts.
        {10, "text",
         slotsOf({"True", "False", "False", "-30", "0", rememberedFamily, "22", "True", "True", "True", "255",
                  oleText(0x778899), "1", "9", "Hello, Lumora", "0", "0"})},
        {11, "invert", {}},
        {12, "canvas", slotsOf({oleText(0x112233), "12", "11", "13", "14"})},
        {13, "frame", slotsOf({oleText(0xABCDEF), "1", "35"})},
        {14, "mask", slotsOf({"False", "80", "6"})},
        {15, "shadow", slotsOf({"7"})},
        {16, "redeye", {}},
        {17, "fit", slotsOf({"1280", "960", "False"})},
    };
    ASSERT_EQ(pages.pages().size(), std::size(rows));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        TaskOptionPanel* p = pages.byKind(static_cast<TaskKind>(row.kind));
        ASSERT_NE(p, nullptr);
        const TaskRecord task = p->record(view(800, 600));
        EXPECT_EQ(task.kind, static_cast<TaskKind>(row.kind));
        EXPECT_EQ(task.key, QLatin1String(row.key));
        EXPECT_EQ(task.params, row.slots);
    }

    // Storing what was loaded gives every field back. Each direction starts from the other block,
    // so that a field that is not written shows.
    const auto storeAll = [&](TaskDefaults d) {
        for (TaskOptionPanel* p : pages.pages())
            p->storeOptions(d);
        return d;
    };
    EXPECT_EQ(names(differingFields(storeAll(fresh), remembered)), "");
    // A fresh record remembers no angle; the field shows its default, 45, and keeps that.
    loadAll(fresh, view(800, 600));
    TaskDefaults expected = fresh;
    expected.field10 = 45;
    EXPECT_EQ(names(differingFields(storeAll(changed), expected)), "");

    // A page writes its own fields only.
    loadAll(changed, view(800, 600));
    const auto storedBy = [&](std::initializer_list<const char*> keys) {
        TaskDefaults d = fresh;
        for (const char* key : keys)
            pages.byKey(key)->storeOptions(d);
        return names(differingFields(d, fresh));
    };
    EXPECT_EQ(storedBy({"frame"}), "frameStyle frameSize frameColor field48 field49");
    EXPECT_EQ(storedBy({"mask"}), "field50 field51 field52");
    EXPECT_EQ(storedBy({"invert", "nothing", "redeye", "fit"}), "");
    for (size_t i = 0; i < spies.size(); ++i)
        EXPECT_EQ(spies[i]->count(), 0) << "loading announced a change on " << pages.pages()[i]->key().toStdString();
}

TEST_F(TaskOptionPagesTest, APersonsChoicesAreAnnouncedAndRecorded)
{
    const QString family = this->family(0);
    const QString textColour = oleText(0x80000008);
    const struct {
        const char* key;
        std::function<void()> choose;
        TaskSlots expected;
    } rows[] = {
        {"flip", [&] { click("optFlip1"); }, slotsOf({"1"})},
        {"rotate", [&] { click("chkRotateResample"); click("cmdAngle3"); }, slotsOf({"True", "-45", kHighlight})},
        {"rotate", [&] { click("cmdAngle0"); }, slotsOf({"False", "-15", kHighlight})},
        // The arrows beside a field step it.
        {"rotate", [&] { arrow("sbDegrees", true); arrow("sbDegrees", false); arrow("sbDegrees", false); },
         slotsOf({"False", "44", kHighlight})},
        {"resize", [&] { click("optResize1"); }, slotsOf({"False", "50", ""})},
        {"resize", [&] { click("optResize1"); typeInto("txtScale", "37.5x", false); }, slotsOf({"False", "37.5", ""})},
        {"blur", [&] { press("sldBlur", Qt::Key_Right); }, slotsOf({"2"})},
        {"sharpen", [&] { press("sldSharpen", Qt::Key_Right); }, slotsOf({"2"})},
        {"contrast", [&] { click("chkConGreen"); }, slotsOf({"50", "1", "0", "1"})},
        {"brightness", [&] { press("sldBrightness", Qt::Key_Left); click("chkBrRed"); },
         slotsOf({"49", "0", "1", "1"})},
        // Keyed in, the edges start as the photo's; the colour counts for an ellipse only.
        {"crop", [&] { click("optCropSelect1"); }, slotsOf({"True", "0", "0", "0", "800", "600"})},
        {"crop", [&] { click("optCropSelect1"); press("cmbCrop", Qt::Key_Down); typeInto("txtCropLeft", "12"); },
         slotsOf({"True", "1", "12", "0", "800", "600", kHighlight})},
        {"watermark", [&] { press("cboMergeStyle", Qt::Key_End); },
         slotsOf({"True", "50", "3", "", oleText(0x80000009), "", "", "False"})},
        {"text",
         [&] {
             click("OptTextAlignment2"); click("chkTextBold"); click("chkAntiAlias");
             press("cboPosition", Qt::Key_Down);
         },
         slotsOf({"True", "False", "True", "0", "2", family, "14", "True", "False", "False", textColour, kHighlight,
                  "0", "1", "Sample"})},
        // Vertical text turns a quarter and is anchored at its start.
        {"text", [&] { click("OptTextAlignment2"); click("OptTextOrientation1"); },
         slotsOf({"False", "False", "True", "-90", "0", family, "14", "False", "False", "False", textColour,
                  kHighlight, "1", "0", "Sample"})},
        {"canvas", [&] { typeInto("txtCanvasCustom1", "5"); }, slotsOf({kHighlight, "5", "10", "10", "10"})},
        {"frame", [&] { click("OptFrameImage5"); click("chkFrameImageResizeCanvas"); },
         slotsOf({kHighlight, "0", "5", "0"})},
        {"frame", [&] { click("OptFrameStyle1"); }, slotsOf({kHighlight, "1", "20"})},
        {"frame", [&] { click("OptFrameStyle1"); typeInto("txtFrameSize", "33"); }, slotsOf({kHighlight, "1", "33"})},
        {"mask", [&] { click("OptMask1"); click("chkMaskTransparent"); }, slotsOf({"False", "0", "1"})},
        // Shadows are the frame styles from eight on, recorded from 0.
        {"shadow", [&] { click("OptShadow3"); }, slotsOf({"3"})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        loadAll(freshDefaults(), view(800, 600));
        TaskOptionPanel* p = show(row.key);
        ASSERT_NE(p, nullptr);
        QSignalSpy changed(p, &TaskOptionPanel::optionsChanged);
        row.choose();
        EXPECT_GE(changed.count(), 1);
        EXPECT_EQ(p->record(view(800, 600)).params, row.expected);
    }
}

// Drawing on the preview itself is left to the panel tests.
TEST_F(TaskOptionPagesTest, CropRecordsTheDrawnRectangleOrKeyedInEdgesAndWatermarkAndTextTheClickedPoint)
{
    auto* crop = show("crop");
    click("optCropSelect1");
    EXPECT_FALSE(crop->needsMarkedArea());
    // Ticking the box to draw chooses the mouse crop.
    click("chkCropMouse");
    EXPECT_TRUE(control<QAbstractButton>("optCropSelect0")->isChecked());
    EXPECT_TRUE(crop->needsMarkedArea());
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::DragRectangle);

    QSignalSpy changed(crop, &TaskOptionPanel::optionsChanged);
    crop->rectanglePressed(QPoint(300, 200));
    EXPECT_EQ(changed.count(), 0);
    crop->rectangleReleased(QPoint(300, 200), QPoint(100, 50));
    EXPECT_EQ(changed.count(), 1);
    // On a scaled view the edges stay in view pixels, with the box they were drawn in.
    EXPECT_EQ(crop->record(scaledView()).params, slotsOf({"False", "100", "50", "300", "200", "420", "320"}));

    // Releases on the preview keep the drawing tool; loading the page again forgets the area;
    // choosing the key-in crop ends the drawing.
    crop->mouseReleased();
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::DragRectangle);
    crop->loadOptions(freshDefaults(), view(800, 600));
    EXPECT_EQ(crop->markedArea(), QRect());
    click("optCropSelect1");
    EXPECT_FALSE(control<QAbstractButton>("chkCropMouse")->isChecked());
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::None);

    // The key-in edges start from the photo shown when the page was loaded, whatever was typed.
    crop->loadOptions(freshDefaults(), {640, 480, 800, 600, 640, 480, 700, 500, false});
    click("optCropSelect1");
    typeInto("txtCropRight", "5");
    typeInto("txtCropBot", "6");
    ASSERT_EQ(text("txtCropRight"), "5");
    click("optCropSelect0");
    click("optCropSelect1");
    EXPECT_EQ(crop->record(view(800, 600)).params, slotsOf({"True", "0", "0", "0", "640", "480"}));

    // Watermark and text record the clicked point in image pixels.
    auto* watermark = show("watermark");
    auto* location = control<QAbstractButton>("chkSelectLocation");
    EXPECT_FALSE(location->isEnabled());
    press("cboMergeStyle", Qt::Key_Up);
    ASSERT_TRUE(location->isEnabled()) << "\"Single\" places the logo at a clicked point";
    clickOn(location);
    EXPECT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::PickPoint);

    QSignalSpy placed(watermark, &TaskOptionPanel::optionsChanged);
    QSignalSpy tool(watermark, &TaskOptionPanel::mouseToolChanged);
    watermark->pointPicked(QPoint(100, 50));
    EXPECT_EQ(placed.count(), 1);
    EXPECT_EQ(tool.count(), 1);
    EXPECT_FALSE(location->isChecked());
    EXPECT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::None);
    // P5 is Y and P6 X, doubled as the photo is drawn at half size; P7 tells a scaled view.
    EXPECT_EQ(watermark->record(scaledView()).params,
              slotsOf({"True", "50", "1", "", oleText(0x80000009), "100", "200", "True"}));
    // Without the box ticked, a click on the preview is not the page's business. At its own size
    // the photo's pixels are the view's, and P7 says so.
    watermark->pointPicked(QPoint(7, 7));
    EXPECT_EQ(watermark->record(view(800, 600)).params,
              slotsOf({"True", "50", "1", "", oleText(0x80000009), "50", "100", "False"}));

    // Text at the clicked position: the angle field instead of orientation and alignment.
    auto* text = show("text");
    click("OptTextAlignment2");
    press("cboPosition", Qt::Key_End);
    typeInto("txtTextAngle", "-20");
    click("chkSelectLocation");
    EXPECT_EQ(text->mouseTool(), TaskOptionPanel::MouseTool::PickPoint);
    text->pointPicked(QPoint(40, 30));
    EXPECT_EQ(text->mouseTool(), TaskOptionPanel::MouseTool::None);
    EXPECT_EQ(text->record(scaledView()).params,
              slotsOf({"False", "True", "True", "-20", "0", family(0), "14", "False", "False", "False",
                       oleText(0x80000008), kHighlight, "0", "9", "Sample", "80", "60"}));
}

TEST_F(TaskOptionPagesTest, NumericFieldsTakeDigitsShowADefaultWhenEmptiedKeepTheirLimitsAndRetainTheRatio)
{
    // Typed into the field (a backspace empties it) and left, on the 800 x 600 photo.
    const struct {
        const char* key;
        std::function<void()> before;
        const char* field;
        const char* typed;
        const char* shown;
        const char* arrows;  // the arrows beside the field, which follow it
    } rows[] = {
        {"canvas", [] {}, "txtCanvasCustom2", "1000", "800", nullptr},
        {"canvas", [] {}, "txtCanvasCustom0", "-5x7", "57", nullptr},
        {"rotate", [] {}, "txtDegrees", "400", "360", "sbDegrees"},
        {"frame", [&] { click("OptFrameStyle1"); }, "txtFrameSize", "900", "800", "vsFrameSize"},
        {"text", [&] { press("cboPosition", Qt::Key_End); }, "txtTextAngle", "-200", "-180", "vsbTextAngle"},
        // The top edge of a keyed-in crop stays inside the photo; the other edges are taken as typed.
        {"crop", [&] { click("optCropSelect1"); }, "txtCropTop", "700", "600", nullptr},
        {"crop", [&] { click("optCropSelect1"); }, "txtCropRight", "5000", "5000", nullptr},
        {"resize", [&] { click("chkResizeRatio"); }, "txtResizeWidth", "1a2-.3", "123", nullptr},
        {"rotate", [&] { typeInto("txtDegrees", "30"); }, "txtDegrees", "\b", "45", nullptr},
        {"resize", [] {}, "txtResizeWidth", "\b", "0", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.field) + " <- " + row.typed);
        loadAll(freshDefaults(), view(800, 600));
        ASSERT_TRUE(show(row.key));
        row.before();
        typeInto(row.field, row.typed);
        EXPECT_EQ(text(row.field), row.shown);
        if (row.arrows) {
            EXPECT_EQ(control<SpinArrows>(row.arrows)->value(), QString(row.shown).toInt());
        }
    }

    // Retain Ratio scales against the start size, rounding half to even. The photo on screen is
    // 320 x 200 now; edit mode began with it at 400 x 300.
    auto* resize = show("resize");
    resize->loadOptions(freshDefaults(), {320, 200, 400, 300, 320, 200, 320, 200, false});
    EXPECT_EQ(text("txtResizeWidth"), "320");
    EXPECT_EQ(text("txtResizeHeight"), "200") << "loading must not apply the ratio";
    ASSERT_TRUE(control<QCheckBox>("chkResizeRatio")->isChecked());
    typeInto("txtResizeWidth", "200");
    EXPECT_EQ(text("txtResizeHeight"), "150");
    typeInto("txtResizeHeight", "60");
    EXPECT_EQ(resize->record(view(320, 200)).params, slotsOf({"True", "80", "60"}));
    // Unticked, the sizes are independent.
    click("chkResizeRatio");
    typeInto("txtResizeWidth", "100");
    EXPECT_EQ(text("txtResizeHeight"), "60");

    // 400 x 100: a width of 2 gives a height of 0.5, rounded to 0; were the height to update the
    // width again in turn, the width would become 0.
    resize->loadOptions(freshDefaults(), view(400, 100));
    for (const auto& [width, height] : {std::pair{"2", "0"}, {"6", "2"}, {"10", "2"}}) {
        typeInto("txtResizeWidth", width);
        EXPECT_EQ(text("txtResizeHeight"), height) << width;
        EXPECT_EQ(text("txtResizeWidth"), width);
    }
    typeInto("txtResizeHeight", "9000");
    EXPECT_EQ(text("txtResizeWidth"), "32767") << "held to 16 bits";
}

TEST_F(TaskOptionPagesTest, AFillColourFromTheDialogOrPickedIsRecordedAndToldOneMouseToolArmedAtATime)
{
    ScriptedDialogs dialogs;
    auto* canvas = show("canvas");
    auto* button = control<ColorButton>("picCropBackColor");
    auto* pick = control<QCheckBox>("chkCropBackColor");
    const auto colour = [&] { return canvas->record(view(800, 600)).params[0]; };
    const auto swatch = [&] {  // what the button shows in its middle
        const QImage shown = button->grab().toImage();
        return shown.pixelColor(shown.width() / 2, shown.height() / 2);
    };
    QSignalSpy tool(canvas, &TaskOptionPanel::mouseToolChanged);
    QSignalSpy changed(canvas, &TaskOptionPanel::optionsChanged);
    QSignalSpy back(canvas, &TaskOptionPanel::backColorChosen);

    // A cancelled dialog, and a colour picked before the box is ticked, change nothing.
    dialogs.answerNextColor(std::nullopt);
    clickOn(button);
    EXPECT_EQ(dialogs.colorDialogs(), QList<std::uint32_t>({0x8000000Eu}));
    canvas->colorPicked(0x00010203);
    EXPECT_EQ(colour(), oleText(0x8000000E));
    EXPECT_EQ(changed.count() + back.count(), 0);

    dialogs.answerNextColor(0x00336699u);
    clickOn(button);
    EXPECT_EQ(colour(), oleText(0x00336699u));
    EXPECT_EQ(swatch(), QColor(0x99, 0x66, 0x33));

    clickOn(pick);
    EXPECT_EQ(tool.count(), 1);
    EXPECT_EQ(canvas->mouseTool(), TaskOptionPanel::MouseTool::PickColor);
    canvas->colorPicked(0x00204080);
    EXPECT_EQ(colour(), oleText(0x00204080));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(back, QList<QVariantList>({{QVariant::fromValue(0x00336699u)}, {QVariant::fromValue(0x00204080u)}}));
    // The release ends the picking.
    canvas->mouseReleased();
    EXPECT_FALSE(pick->isChecked());
    EXPECT_EQ(canvas->mouseTool(), TaskOptionPanel::MouseTool::None);
    EXPECT_EQ(tool.count(), 2);

    // A system colour shows what it stands for.
    button->setColor(0x8000000E);
    EXPECT_EQ(swatch(), QColor(255, 255, 255));

    // One mouse tool at a time: drawing the crop unticks its colour picker.
    auto* crop = show("crop");
    click("optCropSelect1");
    press("cmbCrop", Qt::Key_Down);  // ellipse: colour applies
    auto* cropPick = control<QCheckBox>("chkCropBackColor");
    ASSERT_TRUE(cropPick->isEnabled());
    clickOn(cropPick);
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::PickColor);
    click("optCropSelect0");
    click("chkCropMouse");
    EXPECT_FALSE(cropPick->isChecked());
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::DragRectangle);
    crop->cancelMouseTool();
    EXPECT_FALSE(control<QCheckBox>("chkCropMouse")->isChecked());

    // Both watermark boxes ticked: the point comes first; cancelling unticks both.
    auto* watermark = show("watermark");
    press("cboMergeStyle", Qt::Key_Home);  // "Single"
    click("chkSelectLocation");
    click("chkWatermarkTransparentColor");
    ASSERT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::PickPoint);
    watermark->cancelMouseTool();
    EXPECT_FALSE(control<QCheckBox>("chkSelectLocation")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("chkWatermarkTransparentColor")->isChecked());
    EXPECT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::None);
    // Another style than "Single" has no point to pick.
    click("chkSelectLocation");
    press("cboMergeStyle", Qt::Key_Down);
    EXPECT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::None);

    // Red-eye takes a rectangle only while its box is ticked; the release that unticks the box
    // may reach the page before the rectangle does. (The panel tests drag one on the preview.)
    auto* redEye = show("redeye");
    redEye->rectangleReleased(QPoint(1, 1), QPoint(9, 9));
    EXPECT_EQ(redEye->markedArea(), QRect());
    click("chkRedEye");
    redEye->rectanglePressed(QPoint(60, 40));
    redEye->mouseReleased();
    EXPECT_FALSE(control<QCheckBox>("chkRedEye")->isChecked());
    redEye->rectangleReleased(QPoint(60, 40), QPoint(20, 70));
    EXPECT_EQ(redEye->markedArea(), QRect(20, 40, 40, 30));
    EXPECT_EQ(redEye->mouseTool(), TaskOptionPanel::MouseTool::None);
    redEye->loadOptions(freshDefaults(), view(800, 600));
    EXPECT_EQ(redEye->markedArea(), QRect());
}

TEST_F(TaskOptionPagesTest, TheLogoIsChosenInADialogAndItsSeeThroughColourUnderThePointer)
{
    QTemporaryDir dir;
    TaskDefaults remembered = freshDefaults();
    const QString path = writeLogo(dir);
    ScriptedDialogs dialogs;
    auto* watermark = show<WatermarkOptions>("watermark");
    watermark->setRemembered(&remembered);
    const auto slot = [&](int i) { return watermark->record(view(800, 600)).params[static_cast<size_t>(i)]; };
    QSignalSpy changed(watermark, &TaskOptionPanel::optionsChanged);

    click("cmdSelectMerge");  // cancelled
    ASSERT_EQ(dialogs.fileDialogs().size(), 1);
    EXPECT_EQ(dialogs.fileDialogs().first().kind, ui::FileDialogRequest::Kind::OpenFile);
    EXPECT_EQ(slot(3), "");
    EXPECT_EQ(changed.count(), 0);

    dialogs.answerNextFileDialog({path, 0});
    click("cmdSelectMerge");
    EXPECT_EQ(remembered.watermarkFile, path);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(slot(3), path);
    // The next dialog opens where the logo is; cancelled, it keeps the logo.
    click("cmdSelectMerge");
    EXPECT_EQ(dialogs.fileDialogs().last().directory, dir.path());
    EXPECT_EQ(slot(3), path);

    // A remembered logo shows when the page is loaded; while the box is ticked, the see-through
    // colour is the logo's under the pointer, until the button is released.
    auto* thumbnail = control<LogoThumbnail>("picWatermarkImage");
    watermark->loadOptions(freshDefaults(), view(800, 600));
    ASSERT_TRUE(thumbnail->image().isNull());
    watermark->loadOptions(remembered, view(800, 600));
    const QRect logoArea = thumbnail->imageRect();
    ASSERT_EQ(logoArea.size(), QSize(40, 20));
    const QPoint overRed = logoArea.topLeft() + QPoint(5, 10);
    const QPoint overBlue = logoArea.topLeft() + QPoint(35, 10);
    QTest::mouseMove(thumbnail, overBlue);  // not armed
    EXPECT_EQ(slot(4), oleText(0x80000009u));

    changed.clear();
    click("chkWatermarkTransparentColor");
    QTest::mouseMove(thumbnail, overRed);
    EXPECT_EQ(slot(4), oleText(OleColor::fromRgb(255, 0, 0)));
    QTest::mouseMove(thumbnail, overBlue);
    EXPECT_EQ(slot(4), oleText(OleColor::fromRgb(0, 0, 255)));
    EXPECT_EQ(changed.count(), 2);
    QTest::mouseRelease(thumbnail, Qt::LeftButton, {}, overBlue);
    EXPECT_FALSE(control<QCheckBox>("chkWatermarkTransparentColor")->isChecked());
    QTest::mouseMove(thumbnail, overRed);
    EXPECT_EQ(slot(4), oleText(OleColor::fromRgb(0, 0, 255)));
}

TEST(TaskOptionGalleries, ThumbnailsShowEveryStyleAndMaskAndEveryTaskHasAnIconOfItsOwn)
{
    QList<QImage> drawn;  // the 16 frame and shadow styles, then the 8 masks, which fill theirs
    for (int i = 0; i < 24; ++i) {
        SCOPED_TRACE(i);
        const QImage image = i < 16 ? frameThumbnail(i) : maskThumbnail(i - 16);
        ASSERT_FALSE(image.isNull());
        const QSize box(GalleryThumbnailWidth, GalleryThumbnailHeight);
        EXPECT_TRUE(i < 16 ? box.expandedTo(image.size()) == box : image.size() == box) << image.width();
        for (const QImage& other : drawn)
            EXPECT_NE(image, other);
        drawn << image;
    }
    // A frame changes the sample's border: the corner is not the sample's sky colour.
    const QColor c = drawn.at(0).pixelColor(1, 1);
    EXPECT_GE(std::max({std::abs(c.red() - 150), std::abs(c.green() - 190), std::abs(c.blue() - 230)}), 4);

    // Every task has an icon of its own, at 16 and 24 pixels; an unknown key gets the generic one.
    QStringList keys{"generic"};
    for (const TaskKindInfo& kind : taskKinds())
        keys << kind.key();
    drawn.clear();
    for (const QString& key : keys) {
        SCOPED_TRACE(key.toStdString());
        const QIcon icon = taskIcon(key);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)) && icon.availableSizes().contains(QSize(24, 24)));
        const QImage image = icon.pixmap(QSize(24, 24)).toImage();
        for (int i = 0; i < drawn.size(); ++i)
            EXPECT_NE(image, drawn.at(i)) << "looks like " << keys.at(i).toStdString();
        drawn << image;
    }
    EXPECT_EQ(taskIcon(QStringLiteral("zoom")).pixmap(QSize(24, 24)).toImage(), drawn.first());
}

// Task Basket files hold every field in double quotes without escaping: the text box never takes
// one, whether typed or pasted, so the basket can always be saved.
TEST_F(TaskOptionPagesTest, TheTextBoxRefusesTheDoubleQuote)
{
    ASSERT_TRUE(show("text"));
    typeInto("txtDraw", "Say \"cheese\"", false);
    EXPECT_EQ(text("txtDraw"), "Say cheese");
    auto* box = control<QLineEdit>("txtDraw");
    box->insert("\"quoted\" words");
    EXPECT_EQ(text("txtDraw"), "Say cheesequoted words");
}

// A Task Basket row's tool-tip sums up the settings of its task, one line per kind.
TEST(TaskBasketToolTips, EachKindSaysItsSettings)
{
    const struct {
        TaskKind kind;
        QStringList slots;
        QStringList said;  // what the tool-tip must mention
    } rows[] = {
        {TaskKind::Resize, {"True", "800", "600"}, {"Resize", "800 x 600"}},
        {TaskKind::Resize, {"False", "50", ""}, {"Resize", "50%"}},
        {TaskKind::Text, {"1", "0", "1", "0", "0", "DejaVu Sans", "14", "0", "0", "0", "0", "0", "0", "4", "Harbour 2024"},
         {"Text", "'Harbour 2024'", "14"}},
        {TaskKind::Crop, {"True", "0", "5", "6", "105", "206", "0"}, {"Crop", "5, 6", "105, 206"}},
        {TaskKind::Contrast, {"70", "1", "0", "1"}, {"Contrast", "70", "red", "blue"}},
        {TaskKind::Watermark, {"0", "30", "2", "/logos/mark.png", "0"}, {"Watermark", "mark.png", "tiled", "30%"}},
        {TaskKind::Resize, {"True", "wide", "600"}, {"Resize", "unreadable"}},
    };
    TaskBasket basket;
    for (const auto& row : rows) {
        TaskRecord record(row.kind, taskKindInfo(row.kind)->key());
        for (qsizetype i = 0; i < row.slots.size(); ++i)
            record.params[static_cast<size_t>(i)] = row.slots[i];
        basket.append(record);
    }
    TaskIconModel list(basket);
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        const QString tip = list.index(i, 0).data(Qt::ToolTipRole).toString();
        for (const QString& part : rows[i].said)
            EXPECT_TRUE(tip.contains(part)) << tip.toStdString() << " lacks " << part.toStdString();
    }
}
