#include "shell/ColorDialogs.h"

#include "core/OleColor.h"

#include <QColorDialog>

#include <utility>

namespace lumora::ui {

namespace {
ColorDialogHook& installedHook()
{
    static ColorDialogHook hook;
    return hook;
}
}  // namespace

std::optional<std::uint32_t> ChooseColor(QWidget* parent, std::uint32_t initialOle)
{
    if (const ColorDialogHook& hook = installedHook())
        return hook(initialOle);
    const Rgb initial = OleColor::toRgb(initialOle);
    const QColor chosen = QColorDialog::getColor(QColor(initial.r, initial.g, initial.b), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return OleColor::fromRgb(static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
                             static_cast<std::uint8_t>(chosen.blue()));
}

ColorDialogHook SetColorDialogHook(ColorDialogHook hook)
{
    return std::exchange(installedHook(), std::move(hook));
}

}  // namespace lumora::ui
