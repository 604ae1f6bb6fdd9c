#include "tasks/TaskSummary.h"

#include "tasks/TaskRecord.h"
#include "tasks/kinds/BlurTask.h"
#include "tasks/kinds/CanvasTask.h"
#include "tasks/kinds/ChannelAmountSlots.h"
#include "tasks/kinds/CropTask.h"
#include "tasks/kinds/FitTask.h"
#include "tasks/kinds/FlipTask.h"
#include "tasks/kinds/FrameTask.h"
#include "tasks/kinds/MaskTask.h"
#include "tasks/kinds/ResizeTask.h"
#include "tasks/kinds/RotateTask.h"
#include "tasks/kinds/ShadowTask.h"
#include "tasks/kinds/SharpenTask.h"
#include "tasks/kinds/TextTask.h"
#include "tasks/kinds/WatermarkTask.h"

#include <QFileInfo>
#include <QStringList>

namespace lumora {
namespace {

// Longer words are cut so that the tool-tip stays one line.
constexpr qsizetype WordsShown = 40;

QString number(std::int64_t value) { return QString::number(value); }

QString channels(const ChannelAmountSlots& amount)
{
    QStringList names;
    if (amount.red())
        names << QStringLiteral("red");
    if (amount.green())
        names << QStringLiteral("green");
    if (amount.blue())
        names << QStringLiteral("blue");
    if (names.size() == 3)
        return {};
    return names.isEmpty() ? QStringLiteral(" (no channel)") : QStringLiteral(" (") + names.join(u", ") + u')';
}

QString transparency(std::int16_t percent)
{
    return percent == 0 ? QString() : QStringLiteral(", %1% transparent").arg(percent);
}

QString summaryOf(const TaskRecord& task)
{
    const TaskSlots& p = task.params;
    switch (task.kind) {
    case TaskKind::Resize: {
        const ResizeTask resize(p);
        if (resize.exactSize())
            return QStringLiteral("Resize %1 x %2").arg(resize.width()).arg(resize.height());
        return QStringLiteral("Resize to %1%").arg(p[1].trimmed());
    }
    case TaskKind::Canvas: {
        const CanvasTask canvas(p);
        return QStringLiteral("Canvas: %1 left, %2 top, %3 right, %4 bottom (pixels)")
            .arg(canvas.margin(0))
            .arg(canvas.margin(1))
            .arg(canvas.margin(2))
            .arg(canvas.margin(3));
    }
    case TaskKind::Crop: {
        const CropTask crop(p);
        const int first = crop.keyedIn() ? 2 : 1;
        QString text = QStringLiteral("Crop from %1, %2 to %3, %4")
                           .arg(crop.edge(first))
                           .arg(crop.edge(first + 1))
                           .arg(crop.edge(first + 2))
                           .arg(crop.edge(first + 3));
        if (crop.keyedIn() && crop.ellipse())
            text += QStringLiteral(", ellipse");
        else if (!crop.keyedIn() && crop.drawnOnFittedView())
            text += QStringLiteral(", drawn on the fitted preview");
        return text;
    }
    case TaskKind::Rotate: {
        const RotateTask rotate(p);
        return QStringLiteral("Rotate %1\u00B0 clockwise%2")
            .arg(rotate.degrees())
            .arg(rotate.smooth() ? QStringLiteral(", smooth") : QString());
    }
    case TaskKind::Orientation:
        return FlipTask(p).direction() == 0 ? QStringLiteral("Flip left to right") : QStringLiteral("Flip top to bottom");
    case TaskKind::Negative:
        return QStringLiteral("Invert the colours");
    case TaskKind::Contrast:
    case TaskKind::Brightness: {
        const ChannelAmountSlots amount(p);
        return TaskKindName(task.kind) + u' ' + number(amount.amount()) + channels(amount);
    }
    case TaskKind::Sharpen:
        return QStringLiteral("Sharpen ") + number(SharpenTask(p).strength());
    case TaskKind::Blur:
        return QStringLiteral("Blur ") + number(BlurTask(p).strength());
    case TaskKind::Text: {
        const TextTask text(p);
        QString words = text.words();
        words.replace(u'\n', u' ');
        if (words.size() > WordsShown)
            words = words.left(WordsShown - 1) + u'\u2026';
        const TextFont font = text.font();
        return QStringLiteral("Text '%1', %2 %3 pt").arg(words, font.name).arg(text.fontSize());
    }
    case TaskKind::Watermark: {
        const WatermarkTask logo(p);
        static const char* const placements[] = {"centred", "at a point", "tiled", "stretched over the photo"};
        const int placement = logo.placement();
        const QString where = placement >= 0 && placement < 4 ? QString::fromLatin1(placements[placement])
                                                              : QStringLiteral("placed %1").arg(placement);
        const QString file = logo.logo().isEmpty() ? QStringLiteral("(no logo)") : QFileInfo(logo.logo()).fileName();
        return QStringLiteral("Watermark %1, %2%3").arg(file, where, transparency(logo.transparency()));
    }
    case TaskKind::Mask: {
        const MaskTask mask(p);
        return QStringLiteral("Mask %1%2").arg(mask.mask() + 1).arg(transparency(mask.transparency()));
    }
    case TaskKind::Shadow:
        return QStringLiteral("Shadow %1").arg(ShadowTask(p).frameStyle() + 1);
    case TaskKind::Frame: {
        const FrameTask frame(p);
        if (frame.plainBorder())
            return QStringLiteral("Frame: plain border of %1 pixels").arg(frame.borderWidth());
        return QStringLiteral("Frame %1%2")
            .arg(frame.style() + 1)
            .arg(frame.enlargeCanvas() ? QStringLiteral(", outside the photo") : QString());
    }
    case TaskKind::Fit: {
        const FitTask fit(p);
        return QStringLiteral("Fit into %1 x %2%3")
            .arg(fit.boxWidth())
            .arg(fit.boxHeight())
            .arg(fit.enlarge() ? QStringLiteral(", enlarging small photos") : QString());
    }
    case TaskKind::RedEye:
        return QStringLiteral("Red-eye correction");
    case TaskKind::None:
        break;
    }
    const QString name = TaskKindName(task.kind);
    return name.isEmpty() ? QStringLiteral("Unknown task %1").arg(task.kindText()) : name;
}

}  // namespace

QString taskSummary(const TaskRecord& task)
{
    try {
        return summaryOf(task);
    } catch (...) {
        // The slots are read as they run; a slot that does not read says so instead of a value.
        const QString name = TaskKindName(task.kind);
        return (name.isEmpty() ? task.kindText() : name) + QStringLiteral(" (settings unreadable)");
    }
}

}  // namespace lumora
