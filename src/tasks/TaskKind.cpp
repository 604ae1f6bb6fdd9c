#include "tasks/TaskKind.h"

#include <array>

namespace lumora {

QString TaskKindName(int kind)
{
    static const std::array<const char*, 15> names = {
        "Orientation", "Rotate", "Resize", "Blur",   "Contrast", "Brightness", "Sharpen", "Crop",
        "Watermark",   "Text",   "Negative", "Canvas", "Frame",  "Mask",       "Shadow",
    };
    if (kind < 1 || kind > static_cast<int>(names.size()))
        return {};
    return QString::fromLatin1(names[static_cast<size_t>(kind - 1)]);
}

}  // namespace lumora
