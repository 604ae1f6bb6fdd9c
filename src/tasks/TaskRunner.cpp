#include "tasks/TaskRunner.h"

#include "core/Conversions.h"
#include "core/CurrentOperation.h"
#include "core/FileExists.h"
#include "core/LumoraError.h"
#include "core/ReportFailures.h"
#include "engine/ImageBox.h"
#include "tasks/FrameComposer.h"
#include "tasks/StockGallery.h"
#include "tasks/TaskBasket.h"
#include "tasks/TextPlacement.h"

#include <memory>

namespace lumora {
namespace {

using namespace convert;

constexpr int kDivisionByZero = 11;
const QString kRoutine = QStringLiteral("subProcessPages");

// One statement of a task. An engine failure skips just this statement and the task goes on
// with the next; every other error ends the run.
template <typename F>
void step(F&& statement)
{
    try {
        statement();
    } catch (const LumoraError& e) {
        if (e.number() != errnum::EngineFailure)
            throw;
    }
}

double divided(double numerator, int denominator)
{
    if (denominator == 0)
        throw LumoraError(kDivisionByZero, QStringLiteral("Division by zero"));
    return numerator / denominator;
}

std::uint32_t colour(const QString& text) { return static_cast<std::uint32_t>(toInt32(text)); }

// A sum of whole numbers that must still fit in 32 bits.
std::int32_t sum32(qint64 a, qint64 b) { return toInt32(static_cast<double>(a + b)); }

// Executes the tasks of one run on one engine with a working copy of each task's slots.
class TaskExecutor {
public:
    TaskExecutor(ImageBox& engine, const Gallery& gallery) : e_(engine), gallery_(gallery) {}

    void setTextStyle(const std::array<QString, TaskRecord::SlotCount>& slotValues)
    {
        p_ = slotValues;
        textStyle();
    }

    void execute(int kind, const std::array<QString, TaskRecord::SlotCount>& slotValues)
    {
        p_ = slotValues;
        switch (static_cast<TaskKind>(kind)) {
        case TaskKind::Orientation:
            step([&] { e_.Flip(p_[0] == u"0" ? 0 : 1); });
            break;
        case TaskKind::Rotate:
            step([&] { e_.SetBackColor(colour(p_[2])); });
            step([&] { e_.SetRotateResample(toFlag(p_[0])); });
            step([&] { e_.Rotate(toInt16(p_[1])); });
            break;
        case TaskKind::Resize:
            if (!toFlag(p_[0]))
                step([&] { e_.Scale(toInt16(p_[1])); });
            else
                step([&] { e_.ResampleTo(toInt32(p_[1]), toInt32(p_[2])); });
            break;
        case TaskKind::Blur:
            step([&] { e_.Blur(toInt32(p_[0])); });
            break;
        case TaskKind::Sharpen:
            step([&] { e_.Sharpen(toInt32(p_[0])); });
            break;
        case TaskKind::Contrast:
            step([&] { e_.AdjustContrast(toInt32(p_[0]), toFlag(p_[1]), toFlag(p_[2]), toFlag(p_[3])); });
            break;
        case TaskKind::Brightness:
            step([&] { e_.AdjustBrightness(toInt32(p_[0]), toFlag(p_[1]), toFlag(p_[2]), toFlag(p_[3])); });
            break;
        case TaskKind::Crop:
            crop();
            break;
        case TaskKind::Watermark:
            watermark();
            break;
        case TaskKind::Text:
            text();
            break;
        case TaskKind::Negative:
            step([&] { e_.Negative(); });
            break;
        case TaskKind::Canvas:
            canvas();
            break;
        case TaskKind::Frame:
            frame();
            break;
        case TaskKind::Mask:
            mask();
            break;
        case TaskKind::Shadow:
            step([&] { e_.SetOverlayTransparency(0); });
            step([&] { ComposeFrame(e_, toInt16(toInt16(p_[0]) + 8.0), 1, false, gallery_); });
            break;
        default:
            break;  // not a task kind: nothing to do
        }
    }

private:
    void crop()
    {
        SetCurrentOperation(QStringLiteral("Reading Crop task - '") + p_[0] + u'\'');
        if (toFlag(p_[0])) {
            // Keyed-in rectangle or ellipse, in image pixels.
            if (toDouble(p_[1]) != 0) {
                step([&] { e_.SetBackColor(colour(p_[6])); });
                step([&] {
                    e_.CropSelectionEllipse(toInt32(p_[2]), toInt32(p_[3]), toInt32(p_[4]), toInt32(p_[5]));
                });
            } else {
                step([&] { e_.CropSelectionRect(toInt32(p_[2]), toInt32(p_[3]), toInt32(p_[4]), toInt32(p_[5])); });
            }
            step([&] { e_.SetSelectionActive(true); });
            step([&] { e_.CropToSelection(); });
            return;
        }
        // Drawn with the mouse: in image pixels, or in the coordinates of a preview that showed
        // the photo fitted into a box of P5 x P6, mapped here through a view of the same box.
        if (p_[5].isEmpty() || p_[6].isEmpty()) {
            step([&] { e_.Crop(toInt32(p_[1]), toInt32(p_[2]), toInt32(p_[3]), toInt32(p_[4])); });
            return;
        }
        step([&] { e_.SetWidth(toInt32(p_[5])); });
        step([&] { e_.SetHeight(toInt32(p_[6])); });
        step([&] { e_.SetStretchToFit(true); });
        const int W = e_.ImageWidth();
        const int H = e_.ImageHeight();
        const int viewW = e_.ViewWidth();
        const int viewH = e_.ViewHeight();
        const std::int32_t left = toInt32(divided(toDouble(p_[1]) * W, viewW));
        const std::int32_t top = toInt32(divided(toDouble(p_[2]) * H, viewH));
        const std::int32_t right = toInt32(divided(toDouble(p_[3]) * W, viewW));
        const std::int32_t bottom = toInt32(divided(toDouble(p_[4]) * H, viewH));
        step([&] { e_.Crop(left, top, right, bottom); });
    }

    void watermark()
    {
        SetCurrentOperation(QStringLiteral("Reading Watermark value '") + p_[0] + u'\'');
        step([&] { e_.SetOverlayUseTransparentColor(toFlag(p_[0])); });
        step([&] { e_.SetOverlayTransparency(toInt16(p_[1])); });
        step([&] { e_.SetOverlayPlacement(toInt16(p_[2])); });
        if (toDouble(p_[2]) == 1) {
            // The clicked point was recorded in image pixels of the previewed photo; scale it
            // through the current view.
            const double x = divided(e_.ImageWidth(), e_.ViewWidth()) * toDouble(p_[6]);
            const double y = divided(e_.ImageHeight(), e_.ViewHeight()) * toDouble(p_[5]);
            p_[6] = QString::number(toInt32(x));
            p_[5] = QString::number(toInt32(y));
            step([&] { e_.SetOverlayY(toInt16(p_[5])); });
            step([&] { e_.SetOverlayX(toInt16(p_[6])); });
        }
        if (e_.OverlayUseTransparentColor())
            step([&] { e_.SetOverlayTransparentColor(colour(p_[4])); });
        // A logo that has gone missing draws nothing; the run goes on.
        if (FileExists(p_[3]))
            step([&] { e_.OverlayFile(p_[3].trimmed()); });
    }

    // The engine's text settings from a Text task's slots (everything but where it goes).
    void textStyle()
    {
        step([&] { e_.SetTextAntiAlias(toFlag(p_[0])); });
        step([&] { e_.SetTextTransparent(toFlag(p_[2])); });
        step([&] { e_.SetTextAngle(static_cast<float>(toInt16(p_[3]))); });
        step([&] { e_.SetTextAlignment(toInt16(p_[4])); });
        step([&] {
            TextFont font;
            font.name = p_[5];
            font.size = toInt16(p_[6]);
            font.bold = toFlag(p_[7]);
            font.italic = toFlag(p_[8]);
            font.underline = toFlag(p_[9]);
            e_.SetFont(font);
        });
        step([&] { e_.SetTextColor(colour(p_[10])); });
        step([&] { e_.SetTextBackColor(colour(p_[11])); });
    }

    void text()
    {
        textStyle();
        const bool vertical = toByte(p_[12]) != 0;
        const int position = toInt16(p_[13]);
        const QString& words = p_[14];
        int x = 0;
        int y = 0;
        if (position == 9) {
            x = toInt32(divided(toDouble(p_[15]) * e_.ImageWidth(), e_.ViewWidth()));
            y = toInt32(divided(toDouble(p_[16]) * e_.ImageHeight(), e_.ViewHeight()));
        } else {
            step([&] { PlaceText(vertical, position, e_, words, x, y); });
        }
        step([&] { e_.DrawText(x, y, words); });
    }

    void canvas()
    {
        step([&] { e_.SetBackColor(colour(p_[0])); });
        const qint64 left = toInt32(p_[1]);
        const qint64 top = toInt32(p_[2]);
        const qint64 right = toInt32(p_[3]);
        const qint64 bottom = toInt32(p_[4]);
        const std::int32_t l = sum32(0, -left);
        const std::int32_t t = sum32(0, -top);
        const std::int32_t r = sum32(e_.ImageWidth(), right);
        const std::int32_t b = sum32(e_.ImageHeight(), bottom);
        step([&] { e_.Crop(l, t, r, b); });
    }

    void frame()
    {
        step([&] { e_.SetOverlayUseTransparentColor(false); });
        step([&] { e_.SetOverlayTransparency(0); });
        step([&] { e_.SetBackColor(colour(p_[0])); });
        if (toByte(p_[1]) != 0) {
            // A plain border of one colour on every side.
            const qint64 border = toInt32(p_[2]);
            const std::int32_t l = sum32(0, -border);
            const std::int32_t r = sum32(e_.ImageWidth(), border);
            const std::int32_t b = sum32(e_.ImageHeight(), border);
            step([&] { e_.Crop(l, l, r, b); });
            return;
        }
        step([&] { ComposeFrame(e_, toInt16(p_[2]), toByte(p_[3]), toDouble(p_[2]) == 4, gallery_); });
    }

    void mask()
    {
        step([&] { e_.SetOverlayTransparentColor(0); });
        step([&] { e_.SetOverlayUseTransparentColor(toFlag(p_[0])); });
        step([&] { e_.SetOverlayTransparency(toInt16(p_[1])); });
        step([&] { e_.SetOverlayPlacement(1); });
        step([&] { e_.SetOverlayX(0); });
        step([&] { e_.SetOverlayY(0); });
        const Picture picture = gallery_.mask(toInt16(p_[2]));
        const int W = e_.ImageWidth();
        const int H = e_.ImageHeight();
        if (picture.width() != W && picture.height() != H) {
            // Stretched to the photo on a spare engine, so the photo's own engine keeps its image.
            ImageBox& spare = spareEngine();
            step([&] { spare.SetBitmapHandle(picture); });
            step([&] { spare.ResizeTo(W, H); });
            step([&] { e_.OverlayPicture(spare.Picture()); });
        } else {
            step([&] { e_.OverlayPicture(picture); });
        }
        if (e_.OverlayUseTransparentColor())
            step([&] { e_.Blur(2); });
    }

    ImageBox& spareEngine()
    {
        if (!spare_)
            spare_ = std::make_unique<ImageBox>();
        return *spare_;
    }

    ImageBox& e_;
    const Gallery& gallery_;
    std::unique_ptr<ImageBox> spare_;
    std::array<QString, TaskRecord::SlotCount> p_;
};

std::array<QString, TaskRecord::SlotCount> trimmedSlots(const TaskRecord& task)
{
    std::array<QString, TaskRecord::SlotCount> slotValues;
    for (size_t i = 0; i < slotValues.size(); ++i)
        slotValues[i] = task.params[i].trimmed();
    return slotValues;
}

bool selectedInView(const TaskRunOptions& options, int row)
{
    switch (options.viewMode) {
    case 0:
        return options.explorerSelectedRow >= 0 && options.explorerSelectedRow == row;
    case 1:
        return options.editSelectedRow >= 0 && options.editSelectedRow == row;
    default:
        return false;
    }
}

}  // namespace

void subProcessPages(const QList<TaskRecord>& tasks, ImageBox& engine, const TaskRunOptions& options)
{
    SetCurrentOperation(QStringLiteral("Processing all available tasks in the basket"));
    if (tasks.isEmpty())
        return;
    if (options.busy)
        options.busy(true);
    const Gallery& gallery = options.gallery ? *options.gallery : StockGallery::instance();
    TaskExecutor executor(engine, gallery);
    const qsizetype count = tasks.size();
    int position = 0;
    reportFailures(kRoutine, position, [&] {
        for (qsizetype row = 0; row < count; ++row) {
            // Positions are counted in 16 bits.
            position = toInt16(static_cast<double>(row + 1));
            if (options.yield)
                options.yield();
            const TaskRecord& task = tasks.at(row);
            SetCurrentOperation(QStringLiteral("Processing task ID - '") + task.kind + u'\'');
            const int kind = toInt16(task.kind.trimmed());
            executor.execute(kind, trimmedSlots(task));
            if (!options.applyAll && selectedInView(options, static_cast<int>(row)))
                break;
        }
    });
    if (options.busy)
        options.busy(false);
}

void ApplyTextStyle(ImageBox& engine, const TaskRecord& task)
{
    TaskExecutor(engine, StockGallery::instance()).setTextStyle(task.params);
}

void subProcessPages(const TaskBasket& basket, ImageBox& engine, const TaskRunOptions& options)
{
    subProcessPages(basket.tasks(), engine, options);
}

}  // namespace lumora
