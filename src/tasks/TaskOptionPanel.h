#pragma once

#include "settings/SetupRecord.h"
#include "tasks/TaskKind.h"
#include "tasks/TaskRecord.h"
#include "tasks/TaskViewContext.h"

#include <QPoint>
#include <QWidget>

#include <cstdint>

namespace lumora {

// One page of the " Task Options" group: the controls of one task kind, or the texts shown for
// "Invert" and for no task at all. The editing panel shows one page at a time; a page knows how
// to show the remembered options of its kind, how to remember them again, and what task its
// controls describe.
//
// Every change a person makes in a page emits optionsChanged(); setting values from the program
// (loadOptions) does not.
class TaskOptionPanel : public QWidget {
    Q_OBJECT
public:
    // What the mouse does on the preview while this page is shown.
    enum class MouseTool {
        None,
        PickColor,      // a left press takes the colour under the pointer (colorPicked)
        PickPoint,      // a release gives the point (pointPicked)
        DragRectangle,  // press and release give a rectangle (rectanglePressed / Released)
    };

    // The page of one task kind: its kind, key and title come from the kind table.
    TaskOptionPanel(const TaskKindInfo& info, QWidget* parent = nullptr);
    // A page of no kind (TaskKind::None): the one shown while no task is chosen ("nothing").
    TaskOptionPanel(TaskKind kind, QString key, QString title, QWidget* parent = nullptr);

    TaskKind kind() const { return kind_; }
    const QString& key() const { return key_; }
    // "Task Option - Resize" ..., "Red-Eye Correction", "Options".
    const QString& title() const { return title_; }

    // Shows the remembered values of this kind (the resize fields take the image's size, the
    // key-in crop its right and bottom edges) and forgets any point or area marked earlier.
    virtual void loadOptions(const SetupRecord::TaskDefaults& defaults, const TaskViewContext& view) = 0;
    // Writes this page's values into the fields that remember them; other fields stay.
    virtual void storeOptions(SetupRecord::TaskDefaults& defaults) const = 0;
    // Where a choice the page remembers at once (the watermark's logo) goes; none by default.
    void setRemembered(SetupRecord::TaskDefaults* defaults) { remembered_ = defaults; }
    // The task the controls describe now: kind, key and P0..P16 as the task runner reads them
    // (colours as the decimal text of the signed 32-bit OLE colour). Slots that depend on the
    // image at preview time (a text anchor) are filled by the preview.
    virtual TaskRecord record(const TaskViewContext& view) const = 0;

    // Crop by mouse and red-eye need an area marked before they can be previewed.
    virtual bool needsMarkedArea() const { return false; }
    // The area marked on the preview, in view coordinates, normalised; empty when none is.
    virtual QRect markedArea() const { return {}; }

    virtual MouseTool mouseTool() const { return MouseTool::None; }
    // Mouse results from the preview, in view coordinates. A page reacts only to the tool it
    // asked for; colorPicked carries the OLE colour of the pixel.
    virtual void colorPicked(std::uint32_t oleColor);
    virtual void pointPicked(QPoint view);
    virtual void rectanglePressed(QPoint view);
    virtual void rectangleReleased(QPoint start, QPoint end);
    // Every release of the mouse on the preview unticks the colour picker and red-eye boxes.
    virtual void mouseReleased();
    // Unticks every box that arms a mouse tool.
    virtual void cancelMouseTool();

Q_SIGNALS:
    // A person changed something in the page.
    void optionsChanged();
    // The page wants another mouse tool on the preview (a box was ticked or unticked).
    void mouseToolChanged();
    // A colour was chosen in the page that a task preview should start with as its BackColor.
    void backColorChosen(std::uint32_t oleColor);

protected:
    SetupRecord::TaskDefaults* remembered() const { return remembered_; }

private:
    TaskKind kind_;
    QString key_;
    QString title_;
    SetupRecord::TaskDefaults* remembered_ = nullptr;
};

}  // namespace lumora
