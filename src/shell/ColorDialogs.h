#pragma once

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace lumora::ui {

// The colour dialog. Takes and gives OLE colours (0x00BBGGRR); a system colour (high bit set)
// opens the dialog on the colour it stands for. An empty result means the user cancelled; a
// chosen colour is always a plain RGB colour.
std::optional<std::uint32_t> ChooseColor(QWidget* parent, std::uint32_t initialOle);

// With a hook installed ChooseColor asks the hook instead of opening the dialog (widget tests).
// The hook receives the initial colour. Returns the hook it replaces.
using ColorDialogHook = std::function<std::optional<std::uint32_t>(std::uint32_t initialOle)>;
ColorDialogHook SetColorDialogHook(ColorDialogHook hook);

}  // namespace lumora::ui
