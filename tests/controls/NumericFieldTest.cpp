// The numeric field widget: keys, focus and the companion, driven as a user drives them.

#include "controls/NumericField.h"

#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumora;

namespace {

const NumericFieldSpec Degrees{"45", 0, 360, true};
const NumericFieldSpec FrameSize{"0", 0, 800, false};

// An active window with a plain line edit first in the focus chain, so that focus moves between
// widgets as it does for a user, and a field of each kind.
class NumericFieldTest : public ::testing::Test {
protected:
    NumericFieldTest()
    {
        window_.show();
        window_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
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
    NumericField* frame_ = new NumericField(FrameSize, &window_);
    NumericField* degrees_ = new NumericField(Degrees, &window_);
    NumericField* thumbnail_ = new NumericField(ThumbnailSizeSpec, &window_);
};

TEST_F(NumericFieldTest, OnlyDigitsAndBackspaceReachTheField)
{
    retype(frame_, "1a b.+,-2");
    EXPECT_EQ(frame_->text(), "12");
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_9, Qt::Key_End, Qt::Key_Backspace})
        QTest::keyClick(frame_, key);  // keys without a character still work
    EXPECT_EQ(frame_->text(), "19");
    frame_->insert("3x");  // as a paste: refused whole
    EXPECT_EQ(frame_->text(), "19");
    // Stray characters the program put there can be deleted, and no others typed.
    frame_->setText("1.5");
    QTest::keyClick(frame_, Qt::Key_A);
    QTest::keyClick(frame_, Qt::Key_Backspace);
    EXPECT_EQ(frame_->text(), "1.");
}

TEST_F(NumericFieldTest, EnteringPutsTheCaretAfterTheTextOrSelectsItAllAndAnEmptiedFieldShowsTheDefault)
{
    degrees_->setText("123");
    degrees_->setCursorPosition(0);
    thumbnail_->setText("150");
    degrees_->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(degrees_->hasSelectedText());
    EXPECT_EQ(degrees_->cursorPosition(), 3);
    thumbnail_->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(thumbnail_->selectedText(), "150");

    // Emptied, the field shows its default selected, so that the next digit replaces it.
    degrees_->setText("7");
    QTest::keyClick(degrees_, Qt::Key_Backspace);
    EXPECT_EQ(degrees_->selectedText(), "45");
    QTest::keyClick(degrees_, Qt::Key_Backspace);  // empties the selected default: back it comes
    EXPECT_EQ(degrees_->selectedText(), "45");
    QTest::keyClick(degrees_, Qt::Key_3);
    EXPECT_EQ(degrees_->text(), "3");
}

TEST_F(NumericFieldTest, TheCompanionWritesIntoTheFieldAndLeavingTheFieldHoldsTheLimitAndSetsIt)
{
    QSlider slider;
    slider.setRange(0, 1000);  // wider than the field, so that the slider does not clamp for it
    frame_->setCompanion(&slider);
    QSignalSpy committed(frame_, &NumericField::valueCommitted);
    slider.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(frame_->text(), "1");

    retype(frame_, "999");
    EXPECT_EQ(frame_->text(), "999");  // not clamped while typing
    QTest::keyClick(frame_, Qt::Key_Tab);
    EXPECT_FALSE(frame_->hasFocus());
    EXPECT_EQ(frame_->text(), "800");
    EXPECT_EQ(slider.value(), 800);
    EXPECT_EQ(committed.count(), 1);
    EXPECT_EQ(committed.value(0).value(0).toInt(), 800);

    frame_->setCompanion(nullptr);  // no longer heard
    slider.setValue(10);
    EXPECT_EQ(frame_->text(), "800");
}

}  // namespace
