// The forms platform of the product: real windows, the system's common
// dialogs, the registry, the shell and the host's helper libraries.
#pragma once

#include "forms/Services.h"

namespace tollivor::forms::win32 {

class Win32Platform final : public forms::Platform {
 public:
  std::unique_ptr<forms::FormWindow> createForm(const forms::FormTable& table,
                                                forms::FormEvents& events) noexcept override;

  void beep() noexcept override;
  bool messageBox(forms::WindowHandle owner, const std::u16string& prompt, int style,
                  const std::u16string& title) noexcept override;
  bool showOpen(forms::WindowHandle owner, forms::CommonDialogSettings& dialog) noexcept override;
  bool showColour(forms::WindowHandle owner, forms::CommonDialogSettings& dialog) noexcept override;

  std::optional<forms::Point> cursorPixels() noexcept override;
  std::optional<forms::Size> screenTwips() noexcept override;
  std::optional<std::int32_t> taskbarState() noexcept override;
  std::optional<forms::Edges> taskbarPixels() noexcept override;

  std::optional<std::uint32_t> fileAttributes(const std::u16string& path) noexcept override;

  std::optional<std::u16string> readSetting(const std::u16string& app,
                                            const std::u16string& section,
                                            const std::u16string& key) noexcept override;
  bool writeSetting(const std::u16string& app, const std::u16string& section,
                    const std::u16string& key, const std::u16string& value) noexcept override;

  forms::IconHandle specialLargeIcon(std::int32_t number) noexcept override;
  forms::IconHandle shellFileIcon(const std::string& ansiPath) noexcept override;
  void destroyIcon(forms::IconHandle icon) noexcept override;
  void browseForFolder(forms::WindowHandle owner, const std::string& ansiPrompt,
                       std::string& area) noexcept override;

  std::string toAnsi(const std::u16string& text) noexcept override;
  std::u16string fromAnsi(const std::string& text) noexcept override;
};

}  // namespace tollivor::forms::win32
