// The slide show, greeting and screensaver windows driven as a user drives them, with colour and
// file dialogs and message boxes answered by script.

#include "controls/NumericField.h"
#include "shows/ShowCommands.h"
#include "shows/frmGreetingDemo.h"
#include "shows/frmScreensaverDemo.h"
#include "shows/frmSlideShow.h"
#include "shows/modScreensaver.h"
#include "support/ScriptedDialogs.h"
#include "tasks/TaskBasket.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace lumora {
namespace {

template <typename T = QWidget>
T* child(QWidget& dialog, const char* name)
{
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

SetupRecord seededRecord()
{
    SetupRecord record;
    record.slideShow = {0x00336699, 7, 1, 55};
    record.greeting = {1, 42};
    record.screensaver = {0, 66};
    return record;
}

// One row per window: how to open it on a record, the names of its buttons and flag, and the
// quality and flag its block holds.
struct ShowWindow {
    const char* name;
    std::function<std::unique_ptr<QDialog>(SetupRecord&)> open;
    const char* generate;
    const char* flag;
    std::function<std::pair<int, int>(const SetupRecord&)> stored;
};

const ShowWindow ShowWindows[] = {
    {"slide show", [](SetupRecord& r) { return std::make_unique<frmSlideShow>(r.slideShow); }, "cmdCreate",
     "chkProcessEditingList", [](const SetupRecord& r) { return std::pair{int(r.slideShow.jpegQuality), int(r.slideShow.processTaskBasket)}; }},
    {"greeting", [](SetupRecord& r) { return std::make_unique<frmGreetingDemo>(r.greeting); }, "cmdGenerate",
     "chkProcessTaskBasket", [](const SetupRecord& r) { return std::pair{int(r.greeting.jpegQuality), int(r.greeting.processTaskBasket)}; }},
    {"screensaver", [](SetupRecord& r) { return std::make_unique<frmScreensaverDemo>(r.screensaver); }, "cmdGenerate",
     "chkProcessTaskBasket", [](const SetupRecord& r) { return std::pair{int(r.screensaver.jpegQuality), int(r.screensaver.processTaskBasket)}; }},
};

TEST(ShowWindowsTest, EachWindowOpensWithItsBlockAndOnlyGenerateStoresIt)
{
    for (const ShowWindow& window : ShowWindows) {
        SCOPED_TRACE(window.name);
        SetupRecord record = seededRecord();
        const auto [quality, flag] = window.stored(record);
        for (const char* button : {"cmdCancel", window.generate}) {
            const std::unique_ptr<QDialog> dialog = window.open(record);
            auto* slider = child<QSlider>(*dialog, "sldQuality");
            auto* check = child<QCheckBox>(*dialog, window.flag);
            ASSERT_TRUE(slider && check);
            EXPECT_EQ(slider->value(), quality);
            EXPECT_EQ(check->isChecked(), flag != 0);
            slider->setValue(91);
            check->setChecked(flag == 0);
            child<QPushButton>(*dialog, button)->click();
        }
        // Cancel left the block alone; Generate wrote the changed controls.
        EXPECT_EQ(window.stored(record), std::pair(91, flag == 0 ? 1 : 0));
    }
}

TEST(ShowWindowsTest, QualityBoxArrowsAndSliderShowOneValueWithinOneToHundred)
{
    SetupRecord record = seededRecord();
    frmGreetingDemo dialog(record.greeting);
    auto* box = child<NumericField>(dialog, "tTransition");
    auto* arrows = child<QAbstractSlider>(dialog, "tTransitionD");
    auto* slider = child<QSlider>(dialog, "sldQuality");
    ASSERT_TRUE(box && arrows && slider);
    EXPECT_EQ(box->text(), "42");
    arrows->setValue(30);
    EXPECT_EQ(slider->value(), 30);
    EXPECT_EQ(box->text(), "30");
    slider->setValue(70);
    EXPECT_EQ(box->text(), "70");
    EXPECT_EQ(arrows->value(), 70);
    box->setText("150");
    box->commit();
    EXPECT_EQ(box->text(), "100");
    EXPECT_EQ(slider->value(), 100);
    box->clear();
    EXPECT_EQ(box->text(), "1");
}

TEST(ShowWindowsTest, SlideShowIntervalFollowsItsScrollBarAndColourAndIntervalAreStored)
{
    test::ScriptedDialogs dialogs;
    SetupRecord record = seededRecord();
    frmSlideShow dialog(record.slideShow);
    auto* box = child<NumericField>(dialog, "txtInterval");
    auto* bar = child<QAbstractSlider>(dialog, "vsInterval");
    ASSERT_TRUE(box && bar);
    EXPECT_EQ(bar->value(), 7);
    EXPECT_EQ(child<QLabel>(dialog, "lblQuality")->text(), "55");
    box->setText("12");
    box->commit();
    EXPECT_EQ(box->text(), "9");
    EXPECT_EQ(bar->value(), 9);
    box->clear();
    EXPECT_EQ(box->text(), "3");
    bar->setValue(5);
    EXPECT_EQ(box->text(), "5");
    dialogs.answerNextColor(0x000000FF);
    child<QPushButton>(dialog, "cmdPageBackgroundColor")->click();
    EXPECT_EQ(dialogs.colorDialogs(), QList<std::uint32_t>{0x00336699});
    child<QPushButton>(dialog, "cmdCreate")->click();
    EXPECT_EQ(record.slideShow.interval, 5);
    EXPECT_EQ(record.slideShow.backColor, 0x000000FF);
}

TEST(ShowCommandsTest, GreetingsAreConfinedTo800By600AndPackagesGetTheirExtension)
{
    struct Size {
        QSize size;
        bool refused;
    };
    for (const Size& row : {Size{{801, 600}, true}, Size{{800, 601}, true}, Size{{800, 600}, false}}) {
        test::ScriptedDialogs dialogs;
        SetupRecord record = seededRecord();
        TaskBasket tasks;
        bool windowOpened = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                windowOpened = true;
                dialog->reject();
            }
        });
        poll.start(10);
        EXPECT_EQ(cmdSaveGreetingImage(nullptr, "photo.jpg", row.size, tasks, record.greeting), nullptr);
        EXPECT_EQ(windowOpened, !row.refused) << row.size.width() << "x" << row.size.height();
        EXPECT_EQ(dialogs.messageTexts(), row.refused ? QStringList{greetingTooLargeMessage()} : QStringList{});
    }
    EXPECT_EQ(showPackageName("/tmp/show", ".run"), "/tmp/show.run");
    EXPECT_EQ(showPackageName("/tmp/show.RUN", ".run"), "/tmp/show.RUN");
    EXPECT_EQ(showPackageName("/tmp/saver.run", ".scr"), "/tmp/saver.run.scr");
}

}  // namespace
}  // namespace lumora
