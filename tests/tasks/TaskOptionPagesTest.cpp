// The option pages of the task editing panel as the editing panel uses them: the pages there
// are, the remembered options they show and keep, and the task records a person's choices make.

#include "tasks/OptionPageTesting.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>

#include <functional>
#include <memory>
#include <vector>

using namespace lumora;
using namespace lumora::test;

namespace {

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

class TaskOptionPagesTest : public OptionPagesTest {
protected:
    int fontFamilies() { return show("text") ? control<QComboBox>("ComboFontFamily")->count() : 0; }
    QString family(int index)
    {
        return show("text") ? control<QComboBox>("ComboFontFamily")->itemText(index) : QString();
    }
};

}  // namespace

TEST_F(TaskOptionPagesTest, EveryKindHasAPageThatRecordsTheRememberedOptions)
{
    // Channels told apart: red and blue off, green on.
    TaskDefaults remembered = everythingChanged(fontFamilies());
    remembered.field15 = remembered.field19 = 1;
    const QString freshFamily = family(0);
    const QString rememberedFamily = family(remembered.field28);
    // Fresh settings and the block above on the 800 x 600 photo shown at its own size.
    const struct {
        int kind;
        const char* key;
        const char* title;
        TaskSlots fresh;
        TaskSlots remembered;
    } rows[] = {
        {0, "nothing", "Options", {}, {}},
        {1, "flip", "Task Option - Flip", slotsOf({"0"}), slotsOf({"1"})},
        {2, "rotate", "Task Option - Rotate", slotsOf({"False", "45", kHighlight}),
         slotsOf({"True", "90", oleText(0x445566)})},
        // Always opened on the exact size, which is the photo's.
        {3, "resize", "Task Option - Resize", slotsOf({"True", "800", "600"}), slotsOf({"True", "800", "600"})},
        {4, "blur", "Task Option - Blur", slotsOf({"1"}), slotsOf({"7"})},
        {5, "contrast", "Task Option - Contrast", slotsOf({"50", "1", "1", "1"}), slotsOf({"30", "0", "1", "0"})},
        {6, "brightness", "Task Option - Brightness", slotsOf({"50", "1", "1", "1"}), slotsOf({"70", "0", "1", "0"})},
        {7, "sharpen", "Task Option - Sharpen", slotsOf({"1"}), slotsOf({"4"})},
        // Fresh: drawn with the mouse, nothing drawn yet. Remembered: a keyed-in ellipse.
        {8, "crop", "Task Option - Crop", slotsOf({"False", "0", "0", "0", "0"}),
         slotsOf({"True", "1", "0", "0", "800", "600", oleText(0x112233)})},
        {9, "watermark", "Task Option - Watermark/merge",
         slotsOf({"True", "50", "0", "", oleText(0x80000009), "", "", "False"}),
         slotsOf({"False", "20", "3", "/nowhere/logo.png", oleText(0xFF00), "", "", "False"})},
        // Remembered: at a clicked point (none clicked yet), where the angle field counts.
        {10, "text", "Task Option - Add Text",
         slotsOf({"False", "False", "True", "0", "0", freshFamily, "14", "False", "False", "False",
                  oleText(0x80000008), kHighlight, "0", "0", "Sample"}),
         slotsOf({"True", "False", "False", "-30", "0", rememberedFamily, "22", "True", "True", "True", "255",
                  oleText(0x778899), "1", "9", "Hello, Lumora", "0", "0"})},
        {11, "invert", "Task Option - Invert", {}, {}},
        {12, "canvas", "Task Option - Canvas", slotsOf({kHighlight, "10", "10", "10", "10"}),
         slotsOf({oleText(0x112233), "12", "11", "13", "14"})},
        {13, "frame", "Task Option - Frame", slotsOf({kHighlight, "0", "0", "1"}),
         slotsOf({oleText(0xABCDEF), "1", "35"})},
        {14, "mask", "Task Option - Mask", slotsOf({"True", "0", "0"}), slotsOf({"False", "80", "6"})},
        {15, "shadow", "Task Option - Shadow", slotsOf({"0"}), slotsOf({"7"})},
        {16, "redeye", "Red-Eye Correction", {}, {}},
    };
    ASSERT_EQ(pages.pages().size(), std::size(rows));
    EXPECT_EQ(pages.byKind(static_cast<TaskKind>(17)), nullptr);
    // Task-pane item keys come in their own letter case.
    EXPECT_EQ(pages.byKey("RedEye"), pages.byKind(TaskKind::RedEye));
    EXPECT_EQ(pages.byKey("zoom"), nullptr);

    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (TaskOptionPanel* p : pages.pages())
        spies.push_back(std::make_unique<QSignalSpy>(p, &TaskOptionPanel::optionsChanged));
    for (const bool fresh : {true, false}) {
        loadAll(fresh ? freshDefaults() : remembered, view(800, 600));
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.key) + (fresh ? " fresh" : " remembered"));
            TaskOptionPanel* p = pages.byKind(static_cast<TaskKind>(row.kind));
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(p->key(), QLatin1String(row.key));
            EXPECT_EQ(p->title(), QLatin1String(row.title));
            const TaskRecord task = p->record(view(800, 600));
            EXPECT_EQ(task.kind, static_cast<TaskKind>(row.kind));
            EXPECT_EQ(task.key, QLatin1String(row.key));
            EXPECT_EQ(task.params, fresh ? row.fresh : row.remembered);
        }
    }
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
             click("OptTextAlignment2"), click("chkTextBold"), click("chkAntiAlias");
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

TEST_F(TaskOptionPagesTest, StoringWhatWasLoadedGivesBackAll53Fields)
{
    const TaskDefaults fresh = freshDefaults();
    ASSERT_GE(fontFamilies(), 2);
    const TaskDefaults changed = everythingChanged(fontFamilies());
    ASSERT_EQ(differingFields(fresh, changed).size(), 53) << "every field must differ for the round trip to tell";
    const auto storeAll = [&](TaskDefaults d) {
        for (TaskOptionPanel* p : pages.pages())
            p->storeOptions(d);
        return d;
    };
    // Each direction starts from the other block, so a field that is not written shows.
    loadAll(changed, view(800, 600));
    EXPECT_EQ(names(differingFields(storeAll(fresh), changed)), "");

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
    EXPECT_EQ(storedBy({"invert", "nothing", "redeye"}), "");
}

TEST_F(TaskOptionPagesTest, CropRecordsTheDrawnRectangle)
{
    auto* crop = show("crop");
    EXPECT_TRUE(crop->needsMarkedArea());
    click("optCropSelect1");
    EXPECT_FALSE(crop->needsMarkedArea());

    // Ticking the box to draw chooses the mouse crop; the rectangle comes back normalised.
    QSignalSpy tool(crop, &TaskOptionPanel::mouseToolChanged);
    click("chkCropMouse");
    EXPECT_TRUE(control<QAbstractButton>("optCropSelect0")->isChecked());
    EXPECT_TRUE(crop->needsMarkedArea());
    EXPECT_EQ(crop->markedArea(), QRect());
    EXPECT_EQ(tool.count(), 1);
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::DragRectangle);

    QSignalSpy changed(crop, &TaskOptionPanel::optionsChanged);
    crop->rectanglePressed(QPoint(300, 200));
    EXPECT_EQ(changed.count(), 0);
    crop->rectangleReleased(QPoint(300, 200), QPoint(100, 50));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(crop->markedArea(), QRect(100, 50, 200, 150));
    // On a scaled view the edges stay in view pixels, with the box they were drawn in.
    EXPECT_EQ(crop->record(scaledView()).params, slotsOf({"False", "100", "50", "300", "200", "420", "320"}));
    EXPECT_EQ(crop->record(view(800, 600)).params, slotsOf({"False", "100", "50", "300", "200"}));

    // Releases on the preview keep the drawing tool; choosing the key-in crop ends it; loading
    // the page again forgets the area.
    crop->mouseReleased();
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::DragRectangle);
    click("optCropSelect1");
    EXPECT_FALSE(control<QAbstractButton>("chkCropMouse")->isChecked());
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::None);
    click("chkCropMouse");
    crop->cancelMouseTool();
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::None);
    crop->loadOptions(freshDefaults(), view(800, 600));
    EXPECT_EQ(crop->markedArea(), QRect());

    // Choosing the key-in crop fills the edges from the photo shown when the page was loaded.
    crop->loadOptions(freshDefaults(), {640, 480, 800, 600, 640, 480, 700, 500, false});
    click("optCropSelect1");
    typeInto("txtCropRight", "5");
    typeInto("txtCropBot", "6");
    ASSERT_EQ(text("txtCropRight"), "5");
    click("optCropSelect0");
    click("optCropSelect1");
    EXPECT_EQ(crop->record(view(800, 600)).params, slotsOf({"True", "0", "0", "0", "640", "480"}));
}

TEST_F(TaskOptionPagesTest, WatermarkAndTextRecordTheClickedPointInImagePixels)
{
    auto* watermark = show("watermark");
    auto* location = control<QAbstractButton>("chkSelectLocation");
    EXPECT_FALSE(location->isEnabled());
    press("cboMergeStyle", Qt::Key_Up);
    ASSERT_TRUE(location->isEnabled()) << "\"Single\" places the logo at a clicked point";
    clickOn(location);
    EXPECT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::PickPoint);

    QSignalSpy changed(watermark, &TaskOptionPanel::optionsChanged);
    QSignalSpy tool(watermark, &TaskOptionPanel::mouseToolChanged);
    watermark->pointPicked(QPoint(100, 50));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(tool.count(), 1);
    EXPECT_FALSE(location->isChecked());
    EXPECT_EQ(watermark->mouseTool(), TaskOptionPanel::MouseTool::None);
    // P5 is Y and P6 X, doubled as the photo is drawn at half size; P7 tells a scaled view.
    EXPECT_EQ(watermark->record(scaledView()).params,
              slotsOf({"True", "50", "1", "", oleText(0x80000009), "100", "200", "True"}));
    EXPECT_EQ(watermark->record(view(800, 600)).params,
              slotsOf({"True", "50", "1", "", oleText(0x80000009), "50", "100", "False"}));
    // Without the box ticked, a click on the preview is not the page's business.
    watermark->pointPicked(QPoint(7, 7));
    EXPECT_EQ(watermark->record(view(800, 600)).params[6], "100");

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
