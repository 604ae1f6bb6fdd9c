#include "tasks/TaskOptionPages.h"

#include "tasks/AmountOptions.h"
#include "tasks/CanvasOptions.h"
#include "tasks/CropOptions.h"
#include "tasks/FitOptions.h"
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
namespace {

// The window's columns of the kind table, in the order of taskKinds().
struct KindPage {
    TaskOptionPanel* (*make)(const TaskKindInfo& info, QWidget* parent);
    TaskIconDrawing drawIcon;
};

template <typename Page>
TaskOptionPanel* makePage(const TaskKindInfo& info, QWidget* parent)
{
    return new Page(info, parent);
}

#define LUMORA_KIND_PAGE(number, Id, name, item, caption, title, Steps, Page, icon) KindPage{&makePage<Page>, &icon},
const KindPage KindPages[] = {LUMORA_TASK_KINDS(LUMORA_KIND_PAGE)};
#undef LUMORA_KIND_PAGE

static_assert(std::size(KindPages) > 0);

}  // namespace

std::vector<TaskOptionPanel*> makeTaskOptionPages(QWidget* parent)
{
    std::vector<TaskOptionPanel*> pages{NoteOptions::nothing(parent)};
    const auto kinds = taskKinds();
    for (size_t i = 0; i < kinds.size(); ++i)
        pages.push_back(KindPages[i].make(kinds[i], parent));
    return pages;
}

TaskIconDrawing taskIconDrawing(const QString& key)
{
    const auto kinds = taskKinds();
    for (size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i].key() == key)
            return KindPages[i].drawIcon;
    }
    return nullptr;
}

TaskOptionPages::TaskOptionPages(QWidget* parent) : pages_(makeTaskOptionPages(parent)) {}

TaskOptionPanel* TaskOptionPages::byKind(TaskKind kind) const
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
