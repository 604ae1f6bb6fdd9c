// The numeric field widget: keys, focus and the companion, driven as a user drives them.

#include "controls/NumericField.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace lumora;

namespace {

const NumericFieldSpec Degrees{QStringLiteral("45"), 0, 360, true};
const NumericFieldSpec FrameSize{QStringLiteral("0"), 0, 800, false};

// An active window with a plain line edit first in the focus chain, so that focus moves between
// widgets as it does for a user.
class NumericFieldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        new QVBoxLayout(&window_);
        add(other_ = new QLineEdit);
    }

    NumericField* add(const NumericFieldSpec& spec) { return add(new NumericField(spec)); }
    template <class W> W* add(W* widget)
    {
        window_.layout()->addWidget(widget);
        return widget;
    }

    void showActive()
    {
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    // Enters the field as Tab does, replaces its text by typing, and leaves it for the other edit.
    void retype(NumericField* field, const QString& keys)
    {
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);  // the default comes back, selected
        QTest::keyClicks(field, keys);
    }
    void leave() { other_->setFocus(Qt::TabFocusReason); }

    QWidget window_;
    QLineEdit* other_ = nullptr;
};

TEST_F(NumericFieldTest, OnlyDigitsBackspaceAndAllowedMinusReachTheField)
{
    NumericField* frame = add(FrameSize);
    retype(frame, QStringLiteral("1a b.+,-2"));
    EXPECT_EQ(frame->text(), QStringLiteral("12"));

    QTest::keyClick(frame, Qt::Key_Left);  // keys without a character still work
    QTest::keyClick(frame, Qt::Key_9);
    QTest::keyClick(frame, Qt::Key_End);
    QTest::keyClick(frame, Qt::Key_Backspace);
    EXPECT_EQ(frame->text(), QStringLiteral("19"));

    frame->insert(QStringLiteral("3x"));  // as a paste: refused whole
    EXPECT_EQ(frame->text(), QStringLiteral("19"));

    // Stray characters the program put there can be deleted, and no others typed.
    frame->setText(QStringLiteral("1.5"));
    QTest::keyClick(frame, Qt::Key_A);
    QTest::keyClick(frame, Qt::Key_Backspace);
    EXPECT_EQ(frame->text(), QStringLiteral("1."));

    NumericField* degrees = add(Degrees);
    retype(degrees, QStringLiteral("-5"));
    EXPECT_EQ(degrees->text(), QStringLiteral("-5"));
}

TEST_F(NumericFieldTest, EmptiedFieldShowsDefaultSelectedAndNextDigitReplacesIt)
{
    NumericField* field = add(Degrees);
    field->setText(QStringLiteral("7"));
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->selectedText(), QStringLiteral("45"));
    QTest::keyClick(field, Qt::Key_Backspace);  // empties the selected default: back it comes
    EXPECT_EQ(field->selectedText(), QStringLiteral("45"));
    QTest::keyClick(field, Qt::Key_3);
    EXPECT_EQ(field->text(), QStringLiteral("3"));
}

TEST_F(NumericFieldTest, EnteringPutsCaretAfterTheText)
{
    NumericField* field = add(Degrees);
    field->setText(QStringLiteral("123"));
    field->setCursorPosition(0);
    showActive();
    field->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(field->hasSelectedText());
    EXPECT_EQ(field->cursorPosition(), 3);
}

TEST_F(NumericFieldTest, TabbingAwayHoldsTheLimitAndSetsTheCompanion)
{
    NumericField* field = add(FrameSize);
    auto* spinner = add(new QScrollBar(Qt::Vertical));
    spinner->setRange(0, 800);
    field->setCompanion(spinner);
    QSignalSpy committed(field, &NumericField::valueCommitted);
    showActive();

    retype(field, QStringLiteral("999"));
    EXPECT_EQ(field->text(), QStringLiteral("999"));  // not clamped while typing
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_FALSE(field->hasFocus());
    EXPECT_EQ(field->text(), QStringLiteral("800"));
    EXPECT_EQ(spinner->value(), 800);
    ASSERT_EQ(committed.count(), 1);
    EXPECT_EQ(committed.at(0).at(0).toInt(), 800);
}

TEST_F(NumericFieldTest, CompanionWritesItsValueIntoTheField)
{
    NumericField* field = add(Degrees);
    auto* slider = add(new QSlider(Qt::Horizontal));
    slider->setRange(0, 360);
    field->setCompanion(slider);

    slider->setValue(250);
    EXPECT_EQ(field->text(), QStringLiteral("250"));
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(field->text(), QStringLiteral("251"));

    field->setCompanion(nullptr);  // no longer heard
    slider->setValue(10);
    EXPECT_EQ(field->text(), QStringLiteral("251"));
}

TEST_F(NumericFieldTest, ThumbnailBox)
{
    NumericField* box = add(ThumbnailSizeSpec);
    showActive();

    box->setText(QStringLiteral("150"));
    box->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(box->selectedText(), QStringLiteral("150"));  // entering selects the whole text

    retype(box, QStringLiteral("5"));
    leave();
    EXPECT_EQ(box->text(), QStringLiteral("20"));
    retype(box, QStringLiteral("999"));
    leave();
    EXPECT_EQ(box->text(), QStringLiteral("300"));

    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    EXPECT_EQ(box->text(), QStringLiteral("20"));  // at once, not when leaving
    EXPECT_EQ(box->selectedText(), QStringLiteral("20"));
}

}  // namespace
