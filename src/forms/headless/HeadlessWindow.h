// A loaded form of the in-memory platform: every control's state in memory.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/FormWindow.h"

namespace tollivor::forms::headless {

class HeadlessPlatform;

// A loaded form in memory. Tests reach it through HeadlessPlatform::windowOf.
class HeadlessWindow : public FormWindow {
 public:
  // What a picture box shows: images drawn since it was last cleared, in
  // order ("special:5", "file:C:\x.exe", "picture:C:\a.ico").
  std::vector<std::u16string> pictureShows(const std::string& control, int index = -1) const;
  int pictureRefreshes(const std::string& control, int index = -1) const;
  bool isFrontPage(const std::string& control, int index) const;  // last brought to front
  // The window's close command as another program may send it, shown or not.
  void receiveCloseCommand() noexcept;
  const FormTable& table() const;
  // (Further members are the backend's own.)

  HeadlessWindow(HeadlessPlatform& platform, const FormTable& table, FormEvents& events,
                 WindowHandle handle);
  ~HeadlessWindow() override;
  HeadlessWindow(const HeadlessWindow&) = delete;
  HeadlessWindow& operator=(const HeadlessWindow&) = delete;

  // --- FormWindow --------------------------------------------------------
  bool showModal() noexcept override;
  bool hide() noexcept override;
  bool isVisible() noexcept override;
  std::optional<Rect> bounds() noexcept override;
  bool moveTo(int left, int top) noexcept override;
  WindowHandle handle() noexcept override;
  std::optional<std::u16string> text(ControlId id) noexcept override;
  bool setText(ControlId id, const std::u16string& text) noexcept override;
  std::optional<int> value(ControlId id) noexcept override;
  bool setValue(ControlId id, int value) noexcept override;
  std::optional<bool> isEnabled(ControlId id) noexcept override;
  bool setEnabled(ControlId id, bool enabled) noexcept override;
  bool setFocus(ControlId id) noexcept override;
  std::optional<ControlId> focus() noexcept override;
  bool addItem(ControlId id, const std::u16string& item) noexcept override;
  std::optional<std::vector<std::u16string>> items(ControlId id) noexcept override;
  std::optional<Colour> foreColour(ControlId id) noexcept override;
  bool setForeColour(ControlId id, Colour colour) noexcept override;
  std::optional<Colour> backColour(ControlId id) noexcept override;
  bool setBackColour(ControlId id, Colour colour) noexcept override;
  std::optional<std::u16string> fontName(ControlId id) noexcept override;
  bool setFontName(ControlId id, const std::u16string& name) noexcept override;
  std::optional<Rect> controlRect(ControlId id) noexcept override;
  bool moveControl(ControlId id, const Rect& rect) noexcept override;
  bool bringToFront(ControlId id) noexcept override;
  bool setBorder(ControlId id, bool border) noexcept override;
  bool clearPicture(ControlId id) noexcept override;
  bool refreshPicture(ControlId id) noexcept override;
  bool drawIcon(ControlId id, int x, int y, IconHandle icon) noexcept override;
  bool loadPicture(ControlId id, const std::u16string& path) noexcept override;
  std::optional<int> currentTab(ControlId id) noexcept override;
  bool setCurrentTab(ControlId id, int tab) noexcept override;

  // Non-client parts of the dialog frame, in twips: each side, and the caption.
  static constexpr int kFrameTwips = 3 * kTwipsPerPixel;
  static constexpr int kCaptionTwips = 22 * kTwipsPerPixel;

 private:
  friend class ScriptedUser;
  friend class HeadlessPlatform;

  struct ControlState {
    std::u16string text;  // caption or text
    int value = 0;
    bool enabled = true;
    bool visible = true;
    bool border = false;
    std::vector<std::u16string> items;
    Colour fore = 0;
    Colour back = 0;
    std::u16string fontName;
    Rect rect;
    std::vector<std::u16string> shows;
    int refreshes = 0;
    int tab = 0;
    unsigned frontStamp = 0;  // 0: never brought to front
  };

  const ControlRow* row(ControlId id) const noexcept;
  ControlState* state(ControlId id) noexcept;
  const ControlState* state(ControlId id) const noexcept;
  ControlId find(const std::string& name, int index) const noexcept;
  ControlId containerOf(ControlId id) const noexcept;
  std::string nameOf(ControlId id) const;  // "name" or "name(index)"
  // Shown and enabled, and so are its containers: the user can reach it.
  bool reachable(ControlId id) const noexcept;
  // A picture box wholly covered by a sibling picture box brought to the
  // front after it: the page behind the front page of a tabbed form.
  bool coveredByFrontPage(ControlId id) const noexcept;
  // Its kind is focusable and the user can reach it now.
  bool focusableNow(ControlId id) const noexcept;
  // Where the user's input goes: the innermost shown modal form, until it
  // hides or its close command is given.
  bool takesInput() const noexcept;
  void moveFocus(ControlId id) noexcept;
  void selectOption(ControlId id) noexcept;
  void raise(ControlId id, Event event) noexcept;
  void giveCloseCommand() noexcept;
  // The user's mouse click or access key on a reachable control.
  void userClick(ControlId id) noexcept;
  void userAccessKey(char16_t key) noexcept;
  void userDrop(const std::u16string& firstPath) noexcept;

  HeadlessPlatform* platform_;  // nullptr once the platform is gone
  FormTable table_;
  FormEvents& events_;
  WindowHandle handle_;
  std::vector<ControlState> controls_;
  Rect bounds_;
  bool visible_ = false;
  bool showing_ = false;
  bool closeGiven_ = false;
  std::optional<ControlId> focus_;
  unsigned frontCounter_ = 0;
};

}  // namespace tollivor::forms::headless
