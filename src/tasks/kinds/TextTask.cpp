#include "tasks/kinds/TextTask.h"

#include "core/Conversions.h"
#include "engine/ImageBox.h"
#include "tasks/TaskContext.h"
#include "tasks/TaskPreview.h"
#include "tasks/TextPlacement.h"

namespace lumora {

using namespace convert;

bool TextTask::antiAlias() const { return toFlag(p_[0]); }
bool TextTask::transparentBackground() const { return toFlag(p_[2]); }
float TextTask::angle() const { return static_cast<float>(toInt16(p_[3])); }
std::int16_t TextTask::alignment() const { return toInt16(p_[4]); }
std::int16_t TextTask::fontSize() const { return toInt16(p_[6]); }
std::uint32_t TextTask::colour() const { return taskslot::colour(p_[10]); }
std::uint32_t TextTask::backColour() const { return taskslot::colour(p_[11]); }
bool TextTask::vertical() const { return toByte(p_[12]) != 0; }
std::int16_t TextTask::position() const { return toInt16(p_[13]); }
double TextTask::anchorX() const { return toDouble(p_[15]); }
double TextTask::anchorY() const { return toDouble(p_[16]); }

TextFont TextTask::font() const
{
    TextFont font;
    font.name = p_[5];
    font.size = fontSize();
    font.bold = toFlag(p_[7]);
    font.italic = toFlag(p_[8]);
    font.underline = toFlag(p_[9]);
    return font;
}

void TextTask::applyStyle(ImageBox& engine) const
{
    attempt([&] { engine.SetTextAntiAlias(antiAlias()); });
    attempt([&] { engine.SetTextTransparent(transparentBackground()); });
    attempt([&] { engine.SetTextAngle(angle()); });
    attempt([&] { engine.SetTextAlignment(alignment()); });
    attempt([&] { engine.SetFont(font()); });
    attempt([&] { engine.SetTextColor(colour()); });
    attempt([&] { engine.SetTextBackColor(backColour()); });
}

void TextTask::run(TaskContext& task)
{
    const TextTask text(task.slots);
    ImageBox& e = task.engine;
    text.applyStyle(e);
    const bool vertical = text.vertical();
    const int position = text.position();
    int x = 0;
    int y = 0;
    if (position == 9) {
        x = toInt32(taskslot::divided(text.anchorX() * e.ImageWidth(), e.ViewWidth()));
        y = toInt32(taskslot::divided(text.anchorY() * e.ImageHeight(), e.ViewHeight()));
    } else {
        attempt([&] { PlaceText(vertical, position, e, text.words(), x, y); });
    }
    attempt([&] { e.DrawText(x, y, text.words()); });
}

TaskPreviewResult TextTask::preview(TaskPreviewContext& task)
{
    TaskSlots& p = task.task.params;
    const TextTask text(p);
    ImageBox& e = task.engine;
    text.applyStyle(e);
    const int position = text.position();
    int x = 0;
    int y = 0;
    if (position == 9) {
        x = toInt32(text.anchorX());
        y = toInt32(toInt32(text.anchorY()) - roundHalfEven(text.fontSize() / 2.0));
    } else {
        PlaceText(text.vertical(), position, e, text.words(), x, y);
    }
    p[15] = QString::number(x);
    p[16] = QString::number(y);
    e.DrawText(x, y, text.words());
    return TaskPreviewResult::Applied;
}

}  // namespace lumora
