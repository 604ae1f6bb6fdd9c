#pragma once

// The option pages of one editing panel in an active window, one shown at a time as the panel
// shows them, beside a line edit that takes the focus when a field is left, as Tab would move it.
// Controls are found by name on the page shown.

#include "settings/SetupRecord.h"
#include "tasks/TaskOptionPages.h"
#include "tasks/TaskOptionPanel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cstdint>

namespace lumora::test {

using TaskDefaults = SetupRecord::TaskDefaults;

inline TaskDefaults freshDefaults()
{
    SetupRecord record;
    setDefaults(record, QStringLiteral("/tmp"));
    return record.taskDefaults;
}

// A colour as a record slot holds it: the decimal text of the signed 32-bit OLE colour.
inline QString oleText(std::uint32_t ole) { return QString::number(static_cast<std::int32_t>(ole)); }

// Slots of a record, P0 first; the slots not listed are empty.
inline TaskSlots slotsOf(std::initializer_list<QString> values) { return TaskRecord({}, {}, values).params; }

// A photo shown at its own size, unchanged since edit mode began.
inline TaskViewContext view(int width, int height)
{
    return {width, height, width, height, width, height, width, height, false};
}

// Clicks as a person does: a check box or option button on its indicator (a wide one's middle may
// lie past its caption, where clicks do nothing), anything else in the middle.
inline void clickOn(QWidget* widget)
{
    const bool indicator = qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, indicator ? QPoint(6, widget->height() / 2) : QPoint());
}

class OptionPagesTest : public ::testing::Test {
protected:
    OptionPagesTest()
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
        if (!page) {
            ADD_FAILURE() << "no page " << key.toStdString();
            return nullptr;
        }
        stack->setCurrentWidget(page);
        return page;
    }

    template <class W = QWidget> W* control(const QString& name) const
    {
        W* widget = stack->currentWidget()->findChild<W*>(name);
        if (!widget)
            ADD_FAILURE() << "no " << name.toStdString();
        return widget;
    }
    QString text(const QString& name) const { return control<QLineEdit>(name)->text(); }

    void click(const QString& name) { clickOn(control(name)); }
    void press(const QString& name, Qt::Key key) { QTest::keyClick(control(name), key); }

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

    QWidget window;
    QLineEdit* other = new QLineEdit(&window);
    QStackedWidget* stack = new QStackedWidget(&window);
    TaskOptionPages pages{&window};
};

}  // namespace lumora::test
