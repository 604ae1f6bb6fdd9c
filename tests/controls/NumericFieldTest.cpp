// The numeric field widget: keys, focus and the companion, driven as a user drives them.

#include "controls/NumericField.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumora;

namespace {

const NumericFieldSpec Degrees{"45", 0, 360, true};
const NumericFieldSpec FrameSize{"0", 0, 800, false};

// An active window with a plain line edit first in the focus chain, so that focus moves between
// widgets as it does for a user.
class NumericFieldTest : public ::testing::Test {
protected:
    void showActive()
    {
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }
    // Enters the field as Tab does and replaces its text by typing.
    static void retype(NumericField* field, const QString& keys)
    {
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);  // the default comes back, selected
        QTest::keyClicks(field, keys);
    }

    QWidget window_;
    QLineEdit* other_ = new QLineEdit(&window_);  // first in the focus chain
};

TEST_F(NumericFieldTest, OnlyDigitsBackspaceAndAllowedMinusReachTheField)
{
    NumericField* frame = new NumericField(FrameSize, &window_);
    retype(frame, "1a b.+,-2");
    EXPECT_EQ(frame->text(), "12");
    QTest::keyClick(frame, Qt::Key_Left);  // keys without a character still work
    QTest::keyClick(frame, Qt::Key_9);
    QTest::keyClick(frame, Qt::Key_End);
    QTest::keyClick(frame, Qt::Key_Backspace);
    EXPECT_EQ(frame->text(), "19");
    frame->insert("3x");  // as a paste: refused whole
    EXPECT_EQ(frame->text(), "19");
    // Stray characters the program put there can be deleted, and no others typed.
    frame->setText("1.5");
    QTest::keyClick(frame, Qt::Key_A);
    QTest::keyClick(frame, Qt::Key_Backspace);
    EXPECT_EQ(frame->text(), "1.");

    NumericField* degrees = new NumericField(Degrees, &window_);
    retype(degrees, "-5");
    EXPECT_EQ(degrees->text(), "-5");
}

TEST_F(NumericFieldTest, EmptiedFieldShowsDefaultSelectedAndNextDigitReplacesIt)
{
    NumericField* field = new NumericField(Degrees, &window_);
    field->setText("7");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->selectedText(), "45");
    QTest::keyClick(field, Qt::Key_Backspace);  // empties the selected default: back it comes
    EXPECT_EQ(field->selectedText(), "45");
    QTest::keyClick(field, Qt::Key_3);
    EXPECT_EQ(field->text(), "3");
}

TEST_F(NumericFieldTest, EnteringPutsTheCaretAfterTheTextOrSelectsItAll)
{
    NumericField* field = new NumericField(Degrees, &window_);
    NumericField* thumbnail = new NumericField(ThumbnailSizeSpec, &window_);
    field->setText("123");
    field->setCursorPosition(0);
    thumbnail->setText("150");
    showActive();
    field->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(field->hasSelectedText());
    EXPECT_EQ(field->cursorPosition(), 3);
    thumbnail->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(thumbnail->selectedText(), "150");
}

TEST_F(NumericFieldTest, TabbingAwayHoldsTheLimitAndSetsTheCompanion)
{
    NumericField* field = new NumericField(FrameSize, &window_);
    auto* spinner = new QScrollBar(Qt::Vertical, &window_);
    spinner->setRange(0, 800);
    field->setCompanion(spinner);
    QSignalSpy committed(field, &NumericField::valueCommitted);
    showActive();

    retype(field, "999");
    EXPECT_EQ(field->text(), "999");  // not clamped while typing
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_FALSE(field->hasFocus());
    EXPECT_EQ(field->text(), "800");
    EXPECT_EQ(spinner->value(), 800);
    ASSERT_EQ(committed.count(), 1);
    EXPECT_EQ(committed.at(0).at(0).toInt(), 800);
}

TEST_F(NumericFieldTest, CompanionWritesItsValueIntoTheField)
{
    NumericField* field = new NumericField(Degrees, &window_);
    auto* slider = new QSlider(Qt::Horizontal, &window_);
    slider->setRange(0, 360);
    field->setCompanion(slider);
    slider->setValue(250);
    EXPECT_EQ(field->text(), "250");
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(field->text(), "251");
    field->setCompanion(nullptr);  // no longer heard
    slider->setValue(10);
    EXPECT_EQ(field->text(), "251");
}

}  // namespace
