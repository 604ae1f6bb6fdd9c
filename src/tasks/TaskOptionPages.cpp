#include "tasks/TaskOptionPages.h"

#include "tasks/AmountOptions.h"
#include "tasks/CanvasOptions.h"
#include "tasks/CropOptions.h"
#include "tasks/FlipOptions.h"
#include "tasks/FrameOptions.h"
#include "tasks/MaskOptions.h"
#include "tasks/NoteOptions.h"
#include "tasks/RedEyeOptions.h"
#include "tasks/ResizeOptions.h"
#include "tasks/RotateOptions.h"
#include "tasks/ShadowOptions.h"
#include "tasks/TextOptions.h"
#include "tasks/WatermarkOptions.h"

namespace lumora {

std::vector<TaskOptionPanel*> makeTaskOptionPages(QWidget* parent)
{
    return {
        NoteOptions::nothing(parent),
        new FlipOptions(parent),
        new RotateOptions(parent),
        new ResizeOptions(parent),
        new AmountOptions(TaskKind::Blur, parent),
        new AmountOptions(TaskKind::Contrast, parent),
        new AmountOptions(TaskKind::Brightness, parent),
        new AmountOptions(TaskKind::Sharpen, parent),
        new CropOptions(parent),
        new WatermarkOptions(parent),
        new TextOptions(parent),
        NoteOptions::invert(parent),
        new CanvasOptions(parent),
        new FrameOptions(parent),
        new MaskOptions(parent),
        new ShadowOptions(parent),
        new RedEyeOptions(parent),
    };
}

TaskOptionPages::TaskOptionPages(QWidget* parent) : pages_(makeTaskOptionPages(parent)) {}

TaskOptionPanel* TaskOptionPages::byKind(int kind) const
{
    for (TaskOptionPanel* page : pages_)
        if (page->kind() == kind)
            return page;
    return nullptr;
}

TaskOptionPanel* TaskOptionPages::byKey(const QString& key) const
{
    for (TaskOptionPanel* page : pages_)
        if (page->key().compare(key, Qt::CaseInsensitive) == 0)
            return page;
    return nullptr;
}

}  // namespace lumora
