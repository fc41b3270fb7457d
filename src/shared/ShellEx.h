// The shell: task bar queries, icons and the folder chooser.
#pragma once

#include <cstdint>
#include <string>

#include "forms/FormWindow.h"

namespace tollivor::forms {
class Control;
}

namespace tollivor::ShellEx {

// The task bar's state flags (1 auto-hide, 2 always on top); 0 on failure.
std::int16_t GetTaskbarState() noexcept;
// The task bar's width and height in twips, or 0 unless its state is exactly 2.
std::int32_t GetTaskbarWidth() noexcept;
std::int32_t GetTaskbarHeight() noexcept;

// The large icon of a special item or group by icon number, through the
// host's Sysgate.dll; 0 when there is none.
forms::IconHandle GetSpecialIcon(std::int32_t number) noexcept;
// The shell's large icon of an existing file or folder; 0 otherwise.
forms::IconHandle GetFileIcon(const std::u16string& path) noexcept;

// Clears the preview, draws the icon at (0, 0) and releases it. The handle 0
// leaves the preview clear.
void DrawIconInPreview(const forms::Control& preview, forms::IconHandle icon) noexcept;
// As the item dialog's list pick does it: only when there is an icon, clear,
// refresh, draw, release, refresh; otherwise just clear.
void DrawPickedIcon(const forms::Control& preview, forms::IconHandle icon) noexcept;

// The folder the user chose through the host's Pathwise.dll, or "".
std::u16string ChooseFolder(forms::WindowHandle owner, const std::u16string& prompt) noexcept;

}  // namespace tollivor::ShellEx
