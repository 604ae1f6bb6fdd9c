#pragma once

#include "tasks/TaskOptionPanel.h"

#include <cstdint>
#include <optional>

class QAbstractButton;
class QAbstractSlider;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSlider;

namespace lumora {

class BackColorPicker;
class ColorButton;
class NumericField;
struct NumericFieldSpec;
class SpinArrows;

// What the task pages share: telling a person's changes from the program's own (only the first
// emit optionsChanged), and the pieces every page is built from, so that all pages look and
// behave alike.
class TaskOptionPage : public TaskOptionPanel {
    Q_OBJECT
public:
    using TaskOptionPanel::TaskOptionPanel;

protected:
    // While one lives, changes of the controls come from the program and are not announced.
    class Loading {
    public:
        explicit Loading(TaskOptionPage& page) : page_(page), was_(page.loading_) { page_.loading_ = true; }
        ~Loading() { page_.loading_ = was_; }
        Loading(const Loading&) = delete;
        Loading& operator=(const Loading&) = delete;

    private:
        TaskOptionPage& page_;
        bool was_;
    };

    bool loading() const { return loading_; }
    // Emits optionsChanged, unless the program is filling in the controls.
    void userChanged();

    // Every change of the control counts as a change of the options. Option buttons count once,
    // when they become the chosen one.
    void watch(QAbstractButton* button);
    void watch(QAbstractSlider* slider);
    void watch(QLineEdit* edit);
    void watch(QComboBox* combo);
    void watch(ColorButton* button);

    // The page's grid, with the margins and spacing all pages use.
    QGridLayout* pageGrid();
    // A wrapped text in the page.
    QLabel* note(const QString& text, const QString& name = QString());
    // A horizontal slider with a label beside it that shows its value; both go into `grid` at
    // `row`, after the caption (when not empty).
    QSlider* sliderRow(QGridLayout* grid, int row, const QString& caption, const QString& name, int minimum,
                       int maximum);
    // A numeric field with its spec, named.
    NumericField* numericField(const NumericFieldSpec& spec, const QString& name);
    // Arrows for `field`, mirroring its value within `minimum`..`maximum`.
    SpinArrows* spinArrows(NumericField* field, const QString& name, int minimum, int maximum);
    // The fill colour with its picker box; the box arms the preview's colour picker.
    BackColorPicker* backColorPicker();

    // What every page with a BackColorPicker does with a colour from the preview: only while its
    // "Pick" box is ticked, it becomes the page's colour and the engine's BackColor.
    void takePickedColor(BackColorPicker* picker, std::uint32_t oleColor);

    // What the pages that place something at a clicked point do with a point from the preview:
    // only while `arm` is ticked, it becomes `point`, `label` shows "X-x; Y-y", and the box is
    // unticked (one click, one point).
    void takePickedPoint(QAbstractButton* arm, QLabel* label, std::optional<QPoint>& point, QPoint view);

    // A colour slot: the decimal text of the signed 32-bit OLE colour.
    static QString colorText(std::uint32_t oleColor);
    // A flag slot written "True" / "False", and one written "1" / "0".
    static QString flagText(bool value);
    static QString bitText(bool value);

private:
    bool loading_ = false;
};

}  // namespace lumora
