// The option pages of the task editing panel as the editing panel uses them: the pages there
// are, the remembered options they show and keep, and the task records they describe.

#include "settings/SetupRecord.h"
#include "tasks/ColorButton.h"
#include "tasks/ShadowOptions.h"
#include "tasks/TaskOptionPages.h"
#include "tasks/TaskOptionPanel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStackedLayout>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

using namespace lumora;

namespace {

using TaskDefaults = SetupRecord::TaskDefaults;

// Clicks a control as a person does: a check box or option button on its indicator (a wide one's
// middle may lie past its caption, where clicks do nothing), anything else in the middle.
void clickOn(QWidget* widget)
{
    const bool indicator = qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, indicator ? QPoint(6, widget->height() / 2) : QPoint());
}

// An 800 x 600 photo drawn at half size in a 420 x 320 box; edit mode began at 800 x 600.
TaskViewContext scaledView() { return {800, 600, 800, 600, 400, 300, 420, 320, true}; }
// The same photo at its own size.
TaskViewContext fullView() { return {800, 600, 800, 600, 800, 600, 900, 700, false}; }

QString oleText(std::uint32_t ole) { return QString::number(static_cast<std::int32_t>(ole)); }

TaskDefaults freshDefaults()
{
    SetupRecord record;
    setDefaults(record, QStringLiteral("/tmp"));
    return record.taskDefaults;
}

// Names of the fields in which two blocks differ, for readable failures.
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

// A block in which every one of the 53 fields differs from its default and each value suits the
// control that shows it.
TaskDefaults everythingChanged(int fontFamilies)
{
    TaskDefaults d;
    d.field1 = 1;
    d.field2 = 0;
    d.field3 = 4;
    d.field4 = 75;
    d.field5 = 0x00112233;
    d.field6 = 11;
    d.field7 = 12;
    d.field8 = 13;
    d.field9 = 14;
    d.field10 = 90;
    d.field11 = 1;
    d.field12 = 0x00445566;
    d.field13 = 30;
    d.field14 = 0;
    d.field15 = 0;
    d.field16 = 0;
    d.field17 = 70;
    d.field18 = 0;
    d.field19 = 0;
    d.field20 = 0;
    d.field21 = 7;
    d.field22 = 4;
    d.field23 = 0;
    d.field24 = 1;
    d.textText = QStringLiteral("Hello, Lumora");
    d.textTransparent = 0;
    d.textBackColor = 0x00778899;
    d.field28 = static_cast<std::int16_t>(std::min(2, fontFamilies - 1));
    d.field29 = 9;
    d.field30 = 1;
    d.textFontSize = 22;
    d.textColor = 0x000000FF;
    d.textBold = 1;
    d.textItalic = 1;
    d.textUnderline = 1;
    d.textAngle = -30;
    d.textAlignment = 2;
    d.textOrientation = 1;
    d.flip = 1;
    d.watermarkTransparent = 0;
    d.watermarkMergeStyle = 3;
    d.watermarkTransparentColor = 0x0000FF00;
    d.watermarkTransparency = 20;
    d.watermarkFile = QStringLiteral("/nowhere/logo.png");
    d.frameStyle = 1;
    d.frameSize = 35;
    d.frameColor = 0x00ABCDEF;
    d.field48 = 5;
    d.field49 = 0;
    d.field50 = 6;
    d.field51 = 0;
    d.field52 = 80;
    d.field53 = 7;
    return d;
}

class TaskOptionPagesTest : public ::testing::Test {
protected:
    TaskOptionPanel* page(const QString& key) const
    {
        TaskOptionPanel* found = pages.byKey(key);
        if (!found)
            ADD_FAILURE() << "no page " << key.toStdString();
        return found;
    }

    template <class W> W* control(const QString& key, const QString& name) const
    {
        TaskOptionPanel* p = pages.byKey(key);
        W* widget = p ? p->findChild<W*>(name) : nullptr;
        if (!widget)
            ADD_FAILURE() << "no " << name.toStdString() << " on page " << key.toStdString();
        return widget;
    }
    QString text(const QString& key, const QString& name) const { return control<QLineEdit>(key, name)->text(); }
    bool checked(const QString& key, const QString& name) const
    {
        return control<QAbstractButton>(key, name)->isChecked();
    }
    int sliderValue(const QString& key, const QString& name) const { return control<QSlider>(key, name)->value(); }
    std::uint32_t colour(const QString& key, const QString& name) const
    {
        return control<ColorButton>(key, name)->color();
    }

    void loadAll(const TaskDefaults& d, const TaskViewContext& view)
    {
        for (TaskOptionPanel* p : pages.pages())
            p->loadOptions(d, view);
    }
    void storeAll(TaskDefaults& d) const
    {
        for (TaskOptionPanel* p : pages.pages())
            p->storeOptions(d);
    }

    // Shows one page, as the editing panel does, so that clicks and keys reach its controls.
    TaskOptionPanel* show(const QString& key)
    {
        TaskOptionPanel* p = page(key);
        stack->setCurrentWidget(p);
        host.show();
        return p;
    }
    void click(const QString& key, const QString& name)
    {
        clickOn(control<QWidget>(key, name));
    }
    // Replaces a line edit's text as a person does: select all, type.
    void retype(const QString& key, const QString& name, const QString& keys)
    {
        QLineEdit* edit = control<QLineEdit>(key, name);
        edit->selectAll();
        QTest::keyClicks(edit, keys);
    }

    QWidget host;
    TaskOptionPages pages{&host};
    QStackedLayout* stack = makeStack();

private:
    QStackedLayout* makeStack()
    {
        auto* layout = new QStackedLayout(&host);
        for (TaskOptionPanel* p : pages.pages())
            layout->addWidget(p);
        host.resize(260, 640);
        return layout;
    }
};

// Slots of a record, P0 first; the slots not listed must be empty.
std::array<QString, TaskRecord::SlotCount> slotsOf(std::initializer_list<QString> values)
{
    std::array<QString, TaskRecord::SlotCount> all;
    std::copy(values.begin(), values.end(), all.begin());
    return all;
}

}  // namespace

TEST_F(TaskOptionPagesTest, EveryKindHasOnePageWithItsKeyAndTitle)
{
    struct Expected {
        int kind;
        const char* key;
        const char* title;
    };
    const Expected expected[] = {
        {0, "nothing", "Options"},
        {1, "flip", "Task Option - Flip"},
        {2, "rotate", "Task Option - Rotate"},
        {3, "resize", "Task Option - Resize"},
        {4, "blur", "Task Option - Blur"},
        {5, "contrast", "Task Option - Contrast"},
        {6, "brightness", "Task Option - Brightness"},
        {7, "sharpen", "Task Option - Sharpen"},
        {8, "crop", "Task Option - Crop"},
        {9, "watermark", "Task Option - Watermark/merge"},
        {10, "text", "Task Option - Add Text"},
        {11, "invert", "Task Option - Invert"},
        {12, "canvas", "Task Option - Canvas"},
        {13, "frame", "Task Option - Frame"},
        {14, "mask", "Task Option - Mask"},
        {15, "shadow", "Task Option - Shadow"},
        {16, "redeye", "Red-Eye Correction"},
    };
    ASSERT_EQ(pages.pages().size(), std::size(expected));
    for (const Expected& e : expected) {
        TaskOptionPanel* p = pages.byKind(static_cast<TaskKind>(e.kind));
        ASSERT_NE(p, nullptr) << e.kind;
        EXPECT_EQ(p->key(), QLatin1String(e.key));
        EXPECT_EQ(p->title(), QLatin1String(e.title));
        EXPECT_EQ(p->parent(), &host);
    }
    // Task-pane item keys come in their own letter case.
    EXPECT_EQ(pages.byKey(QStringLiteral("RedEye")), pages.byKind(static_cast<TaskKind>(16)));
    EXPECT_EQ(pages.byKey(QStringLiteral("Resize")), pages.byKind(static_cast<TaskKind>(3)));
    EXPECT_EQ(pages.byKey(QStringLiteral("Nothing")), pages.byKind(static_cast<TaskKind>(0)));
    EXPECT_EQ(pages.byKey(QStringLiteral("zoom")), nullptr);
    EXPECT_EQ(pages.byKind(static_cast<TaskKind>(17)), nullptr);

    EXPECT_EQ(page(QStringLiteral("invert"))->findChild<QLabel*>()->text(),
              QStringLiteral("No Options Available. Click 'Preview' or 'Confirm' below to continue."));
    EXPECT_EQ(page(QStringLiteral("nothing"))->findChild<QLabel*>()->text(),
              QStringLiteral("Select a task from above, or click finish button to exit edit mode."));
}

TEST_F(TaskOptionPagesTest, FreshSettingsShowTheDocumentedDefaults)
{
    loadAll(freshDefaults(), fullView());

    EXPECT_EQ(text(QStringLiteral("rotate"), QStringLiteral("txtDegrees")), QStringLiteral("45"));
    EXPECT_FALSE(checked(QStringLiteral("rotate"), QStringLiteral("chkRotateResample")));
    EXPECT_EQ(colour(QStringLiteral("rotate"), QStringLiteral("picCropBackColor")), 0x8000000Eu);

    EXPECT_TRUE(checked(QStringLiteral("resize"), QStringLiteral("optResize0")));
    EXPECT_TRUE(checked(QStringLiteral("resize"), QStringLiteral("chkResizeRatio")));
    EXPECT_FALSE(checked(QStringLiteral("resize"), QStringLiteral("chkResizeResample")));
    EXPECT_EQ(text(QStringLiteral("resize"), QStringLiteral("txtScale")), QStringLiteral("50"));
    EXPECT_EQ(text(QStringLiteral("resize"), QStringLiteral("txtResizeWidth")), QStringLiteral("800"));
    EXPECT_EQ(text(QStringLiteral("resize"), QStringLiteral("txtResizeHeight")), QStringLiteral("600"));
    EXPECT_EQ(control<QComboBox>(QStringLiteral("resize"), QStringLiteral("ComboFilter"))->currentText(),
              QStringLiteral("Bilinear"));

    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(text(QStringLiteral("canvas"), QStringLiteral("txtCanvasCustom%1").arg(i)), QStringLiteral("10"));
    EXPECT_EQ(colour(QStringLiteral("canvas"), QStringLiteral("picCropBackColor")), 0x8000000Eu);

    EXPECT_EQ(sliderValue(QStringLiteral("contrast"), QStringLiteral("sldContrast")), 50);
    EXPECT_EQ(sliderValue(QStringLiteral("brightness"), QStringLiteral("sldBrightness")), 50);
    EXPECT_EQ(sliderValue(QStringLiteral("blur"), QStringLiteral("sldBlur")), 1);
    EXPECT_EQ(sliderValue(QStringLiteral("sharpen"), QStringLiteral("sldSharpen")), 1);
    for (const char* box : {"chkConRed", "chkConGreen", "chkConBlue"})
        EXPECT_TRUE(checked(QStringLiteral("contrast"), QLatin1String(box)));
    EXPECT_EQ(control<QLabel>(QStringLiteral("contrast"), QStringLiteral("lblContrast"))->text(), QStringLiteral("50"));

    EXPECT_TRUE(checked(QStringLiteral("crop"), QStringLiteral("optCropSelect0")));
    EXPECT_EQ(control<QComboBox>(QStringLiteral("crop"), QStringLiteral("cmbCrop"))->currentText(),
              QStringLiteral("Rectangle"));
    EXPECT_EQ(text(QStringLiteral("crop"), QStringLiteral("txtCropRight")), QStringLiteral("800"));
    EXPECT_EQ(text(QStringLiteral("crop"), QStringLiteral("txtCropBot")), QStringLiteral("600"));

    EXPECT_EQ(text(QStringLiteral("text"), QStringLiteral("txtDraw")), QStringLiteral("Sample"));
    EXPECT_EQ(control<QComboBox>(QStringLiteral("text"), QStringLiteral("comboFontSize"))->currentText(),
              QStringLiteral("14"));
    EXPECT_TRUE(checked(QStringLiteral("text"), QStringLiteral("chkTransparent")));
    EXPECT_FALSE(checked(QStringLiteral("text"), QStringLiteral("chkAntiAlias")));
    EXPECT_EQ(colour(QStringLiteral("text"), QStringLiteral("cmdTextColor")), 0x80000008u);
    EXPECT_EQ(colour(QStringLiteral("text"), QStringLiteral("cmdTextBackground")), 0x8000000Eu);
    EXPECT_EQ(control<QComboBox>(QStringLiteral("text"), QStringLiteral("cboPosition"))->currentIndex(), 0);
    EXPECT_EQ(text(QStringLiteral("text"), QStringLiteral("txtTextAngle")), QStringLiteral("0"));

    EXPECT_TRUE(checked(QStringLiteral("flip"), QStringLiteral("optFlip0")));

    EXPECT_TRUE(checked(QStringLiteral("watermark"), QStringLiteral("chkWatermarkTransparent")));
    EXPECT_EQ(sliderValue(QStringLiteral("watermark"), QStringLiteral("sldWatermarkTransparency")), 50);
    EXPECT_EQ(colour(QStringLiteral("watermark"), QStringLiteral("picWatermarkTransparentColor")), 0x80000009u);
    EXPECT_EQ(control<QComboBox>(QStringLiteral("watermark"), QStringLiteral("cboMergeStyle"))->currentText(),
              QStringLiteral("Centre"));

    EXPECT_TRUE(checked(QStringLiteral("frame"), QStringLiteral("OptFrameStyle0")));
    EXPECT_TRUE(checked(QStringLiteral("frame"), QStringLiteral("OptFrameImage0")));
    EXPECT_TRUE(checked(QStringLiteral("frame"), QStringLiteral("chkFrameImageResizeCanvas")));
    EXPECT_EQ(text(QStringLiteral("frame"), QStringLiteral("txtFrameSize")), QStringLiteral("20"));
    EXPECT_EQ(colour(QStringLiteral("frame"), QStringLiteral("picCropBackColor")), 0x8000000Eu);

    EXPECT_TRUE(checked(QStringLiteral("mask"), QStringLiteral("OptMask0")));
    EXPECT_TRUE(checked(QStringLiteral("mask"), QStringLiteral("chkMaskTransparent")));
    EXPECT_TRUE(checked(QStringLiteral("shadow"), QStringLiteral("OptShadow0")));
}

TEST_F(TaskOptionPagesTest, RememberedValuesShowInTheirControls)
{
    const int families = control<QComboBox>(QStringLiteral("text"), QStringLiteral("ComboFontFamily"))->count();
    TaskDefaults d = everythingChanged(families);
    d.field15 = 1;  // channels told apart
    d.field19 = 1;
    loadAll(d, fullView());

    EXPECT_TRUE(checked(QStringLiteral("resize"), QStringLiteral("optResize0"))) << "always opens on the exact size";
    EXPECT_FALSE(checked(QStringLiteral("resize"), QStringLiteral("chkResizeRatio")));
    EXPECT_TRUE(checked(QStringLiteral("resize"), QStringLiteral("chkResizeResample")));
    EXPECT_EQ(text(QStringLiteral("resize"), QStringLiteral("txtScale")), QStringLiteral("75"));
    EXPECT_EQ(control<QComboBox>(QStringLiteral("resize"), QStringLiteral("ComboFilter"))->currentText(),
              QStringLiteral("Lanczos"));
    EXPECT_EQ(colour(QStringLiteral("crop"), QStringLiteral("picCropBackColor")), 0x00112233u);
    EXPECT_EQ(colour(QStringLiteral("canvas"), QStringLiteral("picCropBackColor")), 0x00112233u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(text(QStringLiteral("canvas"), QStringLiteral("txtCanvasCustom%1").arg(i)), QString::number(11 + i));
    EXPECT_EQ(text(QStringLiteral("rotate"), QStringLiteral("txtDegrees")), QStringLiteral("90"));
    EXPECT_TRUE(checked(QStringLiteral("rotate"), QStringLiteral("chkRotateResample")));
    EXPECT_EQ(colour(QStringLiteral("rotate"), QStringLiteral("picCropBackColor")), 0x00445566u);
    EXPECT_EQ(sliderValue(QStringLiteral("contrast"), QStringLiteral("sldContrast")), 30);
    EXPECT_FALSE(checked(QStringLiteral("contrast"), QStringLiteral("chkConRed")));
    EXPECT_TRUE(checked(QStringLiteral("contrast"), QStringLiteral("chkConGreen")));
    EXPECT_FALSE(checked(QStringLiteral("contrast"), QStringLiteral("chkConBlue")));
    EXPECT_EQ(sliderValue(QStringLiteral("brightness"), QStringLiteral("sldBrightness")), 70);
    EXPECT_FALSE(checked(QStringLiteral("brightness"), QStringLiteral("chkBrRed")));
    EXPECT_TRUE(checked(QStringLiteral("brightness"), QStringLiteral("chkBrGreen")));
    EXPECT_FALSE(checked(QStringLiteral("brightness"), QStringLiteral("chkBrBlue")));
    EXPECT_EQ(sliderValue(QStringLiteral("blur"), QStringLiteral("sldBlur")), 7);
    EXPECT_EQ(sliderValue(QStringLiteral("sharpen"), QStringLiteral("sldSharpen")), 4);
    EXPECT_TRUE(checked(QStringLiteral("crop"), QStringLiteral("optCropSelect1")));
    EXPECT_EQ(control<QComboBox>(QStringLiteral("crop"), QStringLiteral("cmbCrop"))->currentText(),
              QStringLiteral("Ellipse"));

    EXPECT_EQ(text(QStringLiteral("text"), QStringLiteral("txtDraw")), QStringLiteral("Hello, Lumora"));
    EXPECT_FALSE(checked(QStringLiteral("text"), QStringLiteral("chkTransparent")));
    EXPECT_EQ(colour(QStringLiteral("text"), QStringLiteral("cmdTextBackground")), 0x00778899u);
    EXPECT_EQ(control<QComboBox>(QStringLiteral("text"), QStringLiteral("ComboFontFamily"))->currentIndex(), d.field28);
    EXPECT_EQ(control<QComboBox>(QStringLiteral("text"), QStringLiteral("cboPosition"))->currentText(),
              QStringLiteral("Mouse-Click Position"));
    EXPECT_TRUE(checked(QStringLiteral("text"), QStringLiteral("chkAntiAlias")));
    EXPECT_EQ(control<QComboBox>(QStringLiteral("text"), QStringLiteral("comboFontSize"))->currentText(),
              QStringLiteral("22"));
    EXPECT_EQ(colour(QStringLiteral("text"), QStringLiteral("cmdTextColor")), 0x000000FFu);
    for (const char* box : {"chkTextBold", "chkTextItalic", "chkTextUnderline"})
        EXPECT_TRUE(checked(QStringLiteral("text"), QLatin1String(box)));
    EXPECT_EQ(text(QStringLiteral("text"), QStringLiteral("txtTextAngle")), QStringLiteral("-30"));
    EXPECT_TRUE(checked(QStringLiteral("text"), QStringLiteral("OptTextAlignment2")));
    EXPECT_TRUE(checked(QStringLiteral("text"), QStringLiteral("OptTextOrientation1")));

    EXPECT_TRUE(checked(QStringLiteral("flip"), QStringLiteral("optFlip1")));

    EXPECT_FALSE(checked(QStringLiteral("watermark"), QStringLiteral("chkWatermarkTransparent")));
    EXPECT_EQ(control<QComboBox>(QStringLiteral("watermark"), QStringLiteral("cboMergeStyle"))->currentText(),
              QStringLiteral("Wrap"));
    EXPECT_EQ(colour(QStringLiteral("watermark"), QStringLiteral("picWatermarkTransparentColor")), 0x0000FF00u);
    EXPECT_EQ(sliderValue(QStringLiteral("watermark"), QStringLiteral("sldWatermarkTransparency")), 20);

    EXPECT_TRUE(checked(QStringLiteral("frame"), QStringLiteral("OptFrameStyle1")));
    EXPECT_EQ(text(QStringLiteral("frame"), QStringLiteral("txtFrameSize")), QStringLiteral("35"));
    EXPECT_EQ(colour(QStringLiteral("frame"), QStringLiteral("picCropBackColor")), 0x00ABCDEFu);
    EXPECT_TRUE(checked(QStringLiteral("frame"), QStringLiteral("OptFrameImage5")));
    EXPECT_FALSE(checked(QStringLiteral("frame"), QStringLiteral("chkFrameImageResizeCanvas")));

    EXPECT_TRUE(checked(QStringLiteral("mask"), QStringLiteral("OptMask6")));
    EXPECT_FALSE(checked(QStringLiteral("mask"), QStringLiteral("chkMaskTransparent")));
    EXPECT_EQ(sliderValue(QStringLiteral("mask"), QStringLiteral("sldMask")), 80);
    EXPECT_TRUE(checked(QStringLiteral("shadow"), QStringLiteral("OptShadow7")));
}

TEST_F(TaskOptionPagesTest, StoringWhatWasLoadedGivesBackAll53Fields)
{
    const TaskDefaults fresh = freshDefaults();
    const int families = control<QComboBox>(QStringLiteral("text"), QStringLiteral("ComboFontFamily"))->count();
    ASSERT_GE(families, 2);
    const TaskDefaults changed = everythingChanged(families);
    ASSERT_EQ(differingFields(fresh, changed).size(), 53) << "every field must differ for the round trip to tell";

    // Each direction starts from the other block, so a field that is not written shows.
    loadAll(changed, fullView());
    TaskDefaults stored = fresh;
    storeAll(stored);
    EXPECT_TRUE(differingFields(stored, changed).isEmpty())
        << differingFields(stored, changed).join(u' ').toStdString();

    // A fresh record remembers no angle; the field shows its default, 45, and keeps that.
    loadAll(fresh, fullView());
    stored = changed;
    storeAll(stored);
    TaskDefaults expected = fresh;
    expected.field10 = 45;
    EXPECT_TRUE(differingFields(stored, expected).isEmpty())
        << differingFields(stored, expected).join(u' ').toStdString();
}

TEST_F(TaskOptionPagesTest, StoringWritesOnlyThePagesOwnFields)
{
    const TaskDefaults fresh = freshDefaults();
    const TaskDefaults changed = everythingChanged(2);
    loadAll(changed, fullView());
    TaskDefaults stored = fresh;
    page(QStringLiteral("frame"))->storeOptions(stored);
    EXPECT_EQ(differingFields(stored, fresh),
              QStringList({QStringLiteral("frameStyle"), QStringLiteral("frameSize"), QStringLiteral("frameColor"),
                           QStringLiteral("field48"), QStringLiteral("field49")}));
    stored = fresh;
    page(QStringLiteral("mask"))->storeOptions(stored);
    EXPECT_EQ(differingFields(stored, fresh),
              QStringList({QStringLiteral("field50"), QStringLiteral("field51"), QStringLiteral("field52")}));
    stored = fresh;
    page(QStringLiteral("invert"))->storeOptions(stored);
    page(QStringLiteral("nothing"))->storeOptions(stored);
    page(QStringLiteral("redeye"))->storeOptions(stored);
    EXPECT_TRUE(differingFields(stored, fresh).isEmpty());
}

TEST_F(TaskOptionPagesTest, LoadingIsSilentButAPersonsChangeIsAnnounced)
{
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (TaskOptionPanel* p : pages.pages())
        spies.push_back(std::make_unique<QSignalSpy>(p, &TaskOptionPanel::optionsChanged));
    loadAll(everythingChanged(2), scaledView());
    loadAll(freshDefaults(), fullView());
    for (size_t i = 0; i < spies.size(); ++i)
        EXPECT_EQ(spies[i]->count(), 0) << pages.pages()[i]->key().toStdString();

    show(QStringLiteral("rotate"));
    QSignalSpy rotate(page(QStringLiteral("rotate")), &TaskOptionPanel::optionsChanged);
    click(QStringLiteral("rotate"), QStringLiteral("chkRotateResample"));
    EXPECT_EQ(rotate.count(), 1);

    show(QStringLiteral("canvas"));
    QSignalSpy canvas(page(QStringLiteral("canvas")), &TaskOptionPanel::optionsChanged);
    QTest::keyClicks(control<QLineEdit>(QStringLiteral("canvas"), QStringLiteral("txtCanvasCustom1")),
                     QStringLiteral("5"));
    EXPECT_GE(canvas.count(), 1);

    show(QStringLiteral("shadow"));
    QSignalSpy shadow(page(QStringLiteral("shadow")), &TaskOptionPanel::optionsChanged);
    click(QStringLiteral("shadow"), QStringLiteral("OptShadow2"));
    EXPECT_EQ(shadow.count(), 1);

    show(QStringLiteral("brightness"));
    QSignalSpy brightness(page(QStringLiteral("brightness")), &TaskOptionPanel::optionsChanged);
    QTest::keyClick(control<QSlider>(QStringLiteral("brightness"), QStringLiteral("sldBrightness")), Qt::Key_Right);
    EXPECT_EQ(brightness.count(), 1);
    EXPECT_EQ(control<QLabel>(QStringLiteral("brightness"), QStringLiteral("lblBrightness"))->text(),
              QStringLiteral("51"));
}

TEST_F(TaskOptionPagesTest, FlipRotateAndTheFiltersRecordTheirControls)
{
    loadAll(freshDefaults(), fullView());
    const QString highlightText = oleText(0x8000000E);
    EXPECT_EQ(highlightText, QStringLiteral("-2147483634"));

    TaskRecord flip = page(QStringLiteral("flip"))->record(fullView());
    EXPECT_EQ(flip.kind, static_cast<TaskKind>(1));
    EXPECT_EQ(flip.key, QStringLiteral("flip"));
    EXPECT_EQ(flip.params, slotsOf({QStringLiteral("0")}));
    show(QStringLiteral("flip"));
    click(QStringLiteral("flip"), QStringLiteral("optFlip1"));
    EXPECT_EQ(page(QStringLiteral("flip"))->record(fullView()).params, slotsOf({QStringLiteral("1")}));

    EXPECT_EQ(page(QStringLiteral("rotate"))->record(fullView()).params,
              slotsOf({QStringLiteral("False"), QStringLiteral("45"), highlightText}));
    show(QStringLiteral("rotate"));
    click(QStringLiteral("rotate"), QStringLiteral("chkRotateResample"));
    click(QStringLiteral("rotate"), QStringLiteral("cmdAngle3"));
    TaskRecord rotate = page(QStringLiteral("rotate"))->record(fullView());
    EXPECT_EQ(rotate.kind, static_cast<TaskKind>(2));
    EXPECT_EQ(rotate.params, slotsOf({QStringLiteral("True"), QStringLiteral("-45"), highlightText}));

    EXPECT_EQ(page(QStringLiteral("blur"))->record(fullView()).params, slotsOf({QStringLiteral("1")}));
    EXPECT_EQ(page(QStringLiteral("sharpen"))->record(fullView()).kind, static_cast<TaskKind>(7));
    show(QStringLiteral("contrast"));
    click(QStringLiteral("contrast"), QStringLiteral("chkConGreen"));
    TaskRecord contrast = page(QStringLiteral("contrast"))->record(fullView());
    EXPECT_EQ(contrast.kind, static_cast<TaskKind>(5));
    EXPECT_EQ(contrast.params,
              slotsOf({QStringLiteral("50"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("1")}));
    show(QStringLiteral("brightness"));
    QTest::keyClick(control<QSlider>(QStringLiteral("brightness"), QStringLiteral("sldBrightness")), Qt::Key_Left);
    click(QStringLiteral("brightness"), QStringLiteral("chkBrRed"));
    EXPECT_EQ(page(QStringLiteral("brightness"))->record(fullView()).params,
              slotsOf({QStringLiteral("49"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1")}));

    for (const char* key : {"invert", "nothing", "redeye"}) {
        const TaskRecord bare = page(QLatin1String(key))->record(scaledView());
        EXPECT_EQ(bare.key, QLatin1String(key));
        EXPECT_EQ(bare.params, slotsOf({})) << key;
    }
    EXPECT_EQ(page(QStringLiteral("invert"))->record(fullView()).kind, static_cast<TaskKind>(11));
    EXPECT_EQ(page(QStringLiteral("nothing"))->record(fullView()).kind, static_cast<TaskKind>(0));
    EXPECT_EQ(page(QStringLiteral("redeye"))->record(fullView()).kind, static_cast<TaskKind>(16));
}

TEST_F(TaskOptionPagesTest, ResizeRecordsAnExactSizeOrAPercentage)
{
    loadAll(freshDefaults(), {640, 480, 800, 600, 320, 240, 420, 320, true});
    TaskRecord exact = page(QStringLiteral("resize"))->record(fullView());
    EXPECT_EQ(exact.kind, static_cast<TaskKind>(3));
    EXPECT_EQ(exact.params, slotsOf({QStringLiteral("True"), QStringLiteral("640"), QStringLiteral("480")}));

    show(QStringLiteral("resize"));
    click(QStringLiteral("resize"), QStringLiteral("optResize1"));
    EXPECT_FALSE(control<QWidget>(QStringLiteral("resize"), QStringLiteral("txtResizeWidth"))->isEnabled());
    retype(QStringLiteral("resize"), QStringLiteral("txtScale"), QStringLiteral("37.5x"));
    EXPECT_EQ(page(QStringLiteral("resize"))->record(fullView()).params,
              slotsOf({QStringLiteral("False"), QStringLiteral("37.5"), QString()}));
}

TEST_F(TaskOptionPagesTest, CropRecordsKeyedInEdgesOrTheDrawnRectangle)
{
    // Keyed in: the edges start as the photo's.
    loadAll(freshDefaults(), fullView());
    TaskOptionPanel* crop = show(QStringLiteral("crop"));
    EXPECT_TRUE(crop->needsMarkedArea());
    click(QStringLiteral("crop"), QStringLiteral("optCropSelect1"));
    EXPECT_FALSE(crop->needsMarkedArea());
    EXPECT_EQ(crop->record(fullView()).params,
              slotsOf({QStringLiteral("True"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral("800"), QStringLiteral("600")}));
    QTest::keyClick(control<QComboBox>(QStringLiteral("crop"), QStringLiteral("cmbCrop")), Qt::Key_Down);
    retype(QStringLiteral("crop"), QStringLiteral("txtCropLeft"), QStringLiteral("12"));
    EXPECT_EQ(crop->record(fullView()).params,
              slotsOf({QStringLiteral("True"), QStringLiteral("1"), QStringLiteral("12"), QStringLiteral("0"),
                       QStringLiteral("800"), QStringLiteral("600"), oleText(0x8000000E)}));

    // Drawn on the preview: the rectangle comes back normalised. Ticking the box to draw
    // chooses the mouse crop.
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::None);
    QSignalSpy tool(crop, &TaskOptionPanel::mouseToolChanged);
    click(QStringLiteral("crop"), QStringLiteral("chkCropMouse"));
    EXPECT_TRUE(checked(QStringLiteral("crop"), QStringLiteral("optCropSelect0")));
    EXPECT_TRUE(crop->needsMarkedArea());
    EXPECT_EQ(crop->markedArea(), QRect());
    EXPECT_EQ(tool.count(), 1);
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::DragRectangle);

    QSignalSpy changed(crop, &TaskOptionPanel::optionsChanged);
    crop->rectanglePressed(QPoint(300, 200));
    EXPECT_EQ(control<QLabel>(QStringLiteral("crop"), QStringLiteral("lblCropStart"))->text(),
              QStringLiteral("X : 300 ; Y : 200"));
    EXPECT_EQ(changed.count(), 0);
    crop->rectangleReleased(QPoint(300, 200), QPoint(100, 50));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(control<QLabel>(QStringLiteral("crop"), QStringLiteral("lblCropEnd"))->text(),
              QStringLiteral("X : 100 ; Y : 50"));
    EXPECT_EQ(crop->markedArea(), QRect(100, 50, 200, 150));

    EXPECT_EQ(crop->record(scaledView()).params,
              slotsOf({QStringLiteral("False"), QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("300"),
                       QStringLiteral("200"), QStringLiteral("420"), QStringLiteral("320")}));
    EXPECT_EQ(crop->record(fullView()).params,
              slotsOf({QStringLiteral("False"), QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("300"),
                       QStringLiteral("200")}));

    // Releases on the preview keep the drawing tool; choosing the key-in crop ends it; loading
    // the page again forgets the area.
    crop->mouseReleased();
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::DragRectangle);
    click(QStringLiteral("crop"), QStringLiteral("optCropSelect1"));
    EXPECT_FALSE(checked(QStringLiteral("crop"), QStringLiteral("chkCropMouse")));
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::None);
    click(QStringLiteral("crop"), QStringLiteral("chkCropMouse"));
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::DragRectangle);
    crop->cancelMouseTool();
    EXPECT_EQ(crop->mouseTool(), TaskOptionPanel::MouseTool::None);
    crop->loadOptions(freshDefaults(), fullView());
    EXPECT_EQ(crop->markedArea(), QRect());

    // Choosing the key-in crop fills the edges from the photo shown when the page was loaded.
    crop->loadOptions(freshDefaults(), {640, 480, 800, 600, 640, 480, 700, 500, false});
    click(QStringLiteral("crop"), QStringLiteral("optCropSelect1"));
    retype(QStringLiteral("crop"), QStringLiteral("txtCropRight"), QStringLiteral("5"));
    retype(QStringLiteral("crop"), QStringLiteral("txtCropBot"), QStringLiteral("6"));
    ASSERT_EQ(text(QStringLiteral("crop"), QStringLiteral("txtCropRight")), QStringLiteral("5"));
    click(QStringLiteral("crop"), QStringLiteral("optCropSelect0"));
    click(QStringLiteral("crop"), QStringLiteral("optCropSelect1"));
    EXPECT_EQ(text(QStringLiteral("crop"), QStringLiteral("txtCropRight")), QStringLiteral("640"));
    EXPECT_EQ(text(QStringLiteral("crop"), QStringLiteral("txtCropBot")), QStringLiteral("480"));
}

TEST_F(TaskOptionPagesTest, WatermarkRecordsTheClickedPointInImagePixels)
{
    TaskDefaults d = freshDefaults();
    d.watermarkFile = QStringLiteral("/photos/logo.png");
    loadAll(d, scaledView());
    TaskOptionPanel* watermark = show(QStringLiteral("watermark"));
    EXPECT_EQ(watermark->record(scaledView()).params,
              slotsOf({QStringLiteral("True"), QStringLiteral("50"), QStringLiteral("0"),
                       QStringLiteral("/photos/logo.png"), oleText(0x80000009), QString(), QString(),
                       QStringLiteral("True")}));

    QCheckBox* location = control<QCheckBox>(QStringLiteral("watermark"), QStringLiteral("chkSelectLocation"));
    EXPECT_FALSE(location->isEnabled());
    QTest::keyClick(control<QComboBox>(QStringLiteral("watermark"), QStringLiteral("cboMergeStyle")), Qt::Key_Up);
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
    EXPECT_EQ(control<QLabel>(QStringLiteral("watermark"), QStringLiteral("lblWatermarkLocation"))->text(),
              QStringLiteral("X-100; Y-50"));

    TaskRecord single = watermark->record(scaledView());
    EXPECT_EQ(single.kind, static_cast<TaskKind>(9));
    EXPECT_EQ(single.params[2], QStringLiteral("1"));
    EXPECT_EQ(single.params[5], QStringLiteral("100"));  // Y, doubled: the photo is drawn at half size
    EXPECT_EQ(single.params[6], QStringLiteral("200"));  // X
    EXPECT_EQ(single.params[7], QStringLiteral("True"));
    TaskRecord unscaled = watermark->record(fullView());
    EXPECT_EQ(unscaled.params[5], QStringLiteral("50"));
    EXPECT_EQ(unscaled.params[6], QStringLiteral("100"));
    EXPECT_EQ(unscaled.params[7], QStringLiteral("False"));

    // Without the box ticked, a click on the preview is not the page's business.
    watermark->pointPicked(QPoint(7, 7));
    EXPECT_EQ(watermark->record(fullView()).params[6], QStringLiteral("100"));

    QTest::keyClick(control<QComboBox>(QStringLiteral("watermark"), QStringLiteral("cboMergeStyle")), Qt::Key_End);
    TaskRecord wrap = watermark->record(fullView());
    EXPECT_EQ(wrap.params[2], QStringLiteral("3"));
    EXPECT_TRUE(wrap.params[5].isEmpty());
    EXPECT_TRUE(wrap.params[6].isEmpty());
}

TEST_F(TaskOptionPagesTest, TextRecordsPlacementFontAndColours)
{
    loadAll(freshDefaults(), scaledView());
    TaskOptionPanel* text = show(QStringLiteral("text"));
    const QString family = control<QComboBox>(QStringLiteral("text"), QStringLiteral("ComboFontFamily"))->currentText();
    EXPECT_FALSE(family.isEmpty());
    TaskRecord plain = text->record(scaledView());
    EXPECT_EQ(plain.kind, static_cast<TaskKind>(10));
    EXPECT_EQ(plain.params,
              slotsOf({QStringLiteral("False"), QStringLiteral("True"), QStringLiteral("True"), QStringLiteral("0"),
                       QStringLiteral("0"), family, QStringLiteral("14"), QStringLiteral("False"),
                       QStringLiteral("False"), QStringLiteral("False"), oleText(0x80000008), oleText(0x8000000E),
                       QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("Sample")}));

    click(QStringLiteral("text"), QStringLiteral("OptTextAlignment2"));
    click(QStringLiteral("text"), QStringLiteral("chkTextBold"));
    click(QStringLiteral("text"), QStringLiteral("chkAntiAlias"));
    QTest::keyClick(control<QComboBox>(QStringLiteral("text"), QStringLiteral("cboPosition")), Qt::Key_Down);
    TaskRecord aligned = text->record(fullView());
    EXPECT_EQ(aligned.params[0], QStringLiteral("True"));
    EXPECT_EQ(aligned.params[1], QStringLiteral("False"));
    EXPECT_EQ(aligned.params[3], QStringLiteral("0"));
    EXPECT_EQ(aligned.params[4], QStringLiteral("2"));
    EXPECT_EQ(aligned.params[7], QStringLiteral("True"));
    EXPECT_EQ(aligned.params[13], QStringLiteral("1"));
    EXPECT_TRUE(aligned.params[15].isEmpty());

    // Vertical text turns a quarter and is anchored at its start.
    click(QStringLiteral("text"), QStringLiteral("OptTextOrientation1"));
    TaskRecord vertical = text->record(fullView());
    EXPECT_EQ(vertical.params[3], QStringLiteral("-90"));
    EXPECT_EQ(vertical.params[4], QStringLiteral("0"));
    EXPECT_EQ(vertical.params[12], QStringLiteral("1"));

    // The clicked position: the angle field instead of orientation and alignment.
    QWidget* angle = control<QWidget>(QStringLiteral("text"), QStringLiteral("txtTextAngle"));
    QWidget* alignment = control<QWidget>(QStringLiteral("text"), QStringLiteral("OptTextAlignment0"));
    EXPECT_FALSE(angle->isVisible());
    EXPECT_TRUE(alignment->isVisible());
    QTest::keyClick(control<QComboBox>(QStringLiteral("text"), QStringLiteral("cboPosition")), Qt::Key_End);
    EXPECT_TRUE(angle->isVisible());
    EXPECT_FALSE(alignment->isVisible());
    retype(QStringLiteral("text"), QStringLiteral("txtTextAngle"), QStringLiteral("-20"));
    click(QStringLiteral("text"), QStringLiteral("chkSelectLocation"));
    EXPECT_EQ(text->mouseTool(), TaskOptionPanel::MouseTool::PickPoint);
    text->pointPicked(QPoint(40, 30));
    EXPECT_EQ(text->mouseTool(), TaskOptionPanel::MouseTool::None);
    EXPECT_EQ(control<QLabel>(QStringLiteral("text"), QStringLiteral("lblTextLocation"))->text(),
              QStringLiteral("X-40; Y-30"));
    TaskRecord clicked = text->record(scaledView());
    EXPECT_EQ(clicked.params[1], QStringLiteral("True"));
    EXPECT_EQ(clicked.params[3], QStringLiteral("-20"));
    EXPECT_EQ(clicked.params[4], QStringLiteral("0"));
    EXPECT_EQ(clicked.params[13], QStringLiteral("9"));
    EXPECT_EQ(clicked.params[15], QStringLiteral("80"));
    EXPECT_EQ(clicked.params[16], QStringLiteral("60"));
}

TEST_F(TaskOptionPagesTest, FrameRecordsAGalleryFrameOrAPlainBorder)
{
    loadAll(freshDefaults(), fullView());
    TaskOptionPanel* frame = show(QStringLiteral("frame"));
    const QString colour = oleText(0x8000000E);
    EXPECT_EQ(frame->record(fullView()).params,
              slotsOf({colour, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1")}));
    click(QStringLiteral("frame"), QStringLiteral("OptFrameImage5"));
    click(QStringLiteral("frame"), QStringLiteral("chkFrameImageResizeCanvas"));
    TaskRecord picture = frame->record(fullView());
    EXPECT_EQ(picture.kind, static_cast<TaskKind>(13));
    EXPECT_EQ(picture.params, slotsOf({colour, QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("0")}));

    click(QStringLiteral("frame"), QStringLiteral("OptFrameStyle1"));
    retype(QStringLiteral("frame"), QStringLiteral("txtFrameSize"), QStringLiteral("33"));
    EXPECT_EQ(frame->record(fullView()).params, slotsOf({colour, QStringLiteral("1"), QStringLiteral("33")}));
}

TEST_F(TaskOptionPagesTest, ShadowsAreFrameStylesFromEightOnButRecordedFromZero)
{
    loadAll(freshDefaults(), fullView());
    auto* shadow = dynamic_cast<ShadowOptions*>(show(QStringLiteral("shadow")));
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->selectedStyle(), 8);
    EXPECT_EQ(shadow->record(fullView()).params, slotsOf({QStringLiteral("0")}));

    click(QStringLiteral("shadow"), QStringLiteral("OptShadow3"));
    EXPECT_EQ(shadow->selectedStyle(), 11);
    TaskRecord chosen = shadow->record(fullView());
    EXPECT_EQ(chosen.kind, static_cast<TaskKind>(15));
    EXPECT_EQ(chosen.params, slotsOf({QStringLiteral("3")}));
    TaskDefaults stored = freshDefaults();
    shadow->storeOptions(stored);
    EXPECT_EQ(stored.field53, 3);

    stored.field53 = 7;
    shadow->loadOptions(stored, fullView());
    EXPECT_EQ(shadow->selectedStyle(), 15);
    EXPECT_EQ(shadow->record(fullView()).params, slotsOf({QStringLiteral("7")}));
}

TEST_F(TaskOptionPagesTest, MaskAndCanvasRecordTheirControls)
{
    loadAll(everythingChanged(2), fullView());
    EXPECT_EQ(page(QStringLiteral("canvas"))->record(fullView()).params,
              slotsOf({oleText(0x00112233), QStringLiteral("12"), QStringLiteral("11"), QStringLiteral("13"),
                       QStringLiteral("14")}));
    EXPECT_EQ(page(QStringLiteral("canvas"))->record(fullView()).kind, static_cast<TaskKind>(12));

    TaskOptionPanel* mask = show(QStringLiteral("mask"));
    EXPECT_EQ(mask->record(fullView()).params,
              slotsOf({QStringLiteral("False"), QStringLiteral("80"), QStringLiteral("6")}));
    click(QStringLiteral("mask"), QStringLiteral("OptMask1"));
    click(QStringLiteral("mask"), QStringLiteral("chkMaskTransparent"));
    EXPECT_EQ(mask->record(fullView()).params,
              slotsOf({QStringLiteral("True"), QStringLiteral("80"), QStringLiteral("1")}));
    EXPECT_EQ(mask->record(fullView()).kind, static_cast<TaskKind>(14));
}
