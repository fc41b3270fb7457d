// A form's control table: one row per control (kind, name, caption,
// rectangle in twips, font, flags), and the values rows are made of.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace tollivor::forms {

inline constexpr int kTwipsPerPixel = 15;

// A platform colour value: RGB (red + 256 * green + 65536 * blue), or with the
// top bit set a system colour number in the low byte.
using Colour = std::int32_t;
inline constexpr Colour kSystemColourFlag = static_cast<Colour>(0x80000000u);
inline constexpr Colour systemColour(int n) { return kSystemColourFlag | n; }

// System colours the dialogs name.
inline constexpr Colour kButtonShadowColour = systemColour(0x10);
inline constexpr Colour k3DHighlightColour = systemColour(0x14);
inline constexpr Colour k3DDarkShadowColour = systemColour(0x15);

enum class Kind {
  Label,
  TextBox,
  ComboBox,       // an editable line with a drop-down list
  CommandButton,
  OptionButton,   // exclusive within its container
  CheckBox,
  PictureBox,     // keeps what is drawn into it; may contain other controls
  Line,           // drawn between the two end points of its row's `line`
  TabStrip,
};

enum class Event {
  Click,      // button pressed, list entry picked, check box changed, tab chosen
  MouseMove,  // the pointer moved over the control
};

struct Font {
  std::u16string name;
  double points = 8.25;
  bool bold = false;
  friend bool operator==(const Font&, const Font&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A line's two end points, in twips.
struct LineEnds {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
};

// Initial state and dialog roles of a control.
enum Flag : unsigned {
  kNoFlags = 0,
  kHidden = 1u << 0,
  kDisabled = 1u << 1,
  kDefault = 1u << 2,   // pressed by Enter
  kCancel = 1u << 3,    // pressed by Esc
  kChecked = 1u << 4,   // option selected or check box checked
  kBorder = 1u << 5,    // picture box drawn with a sunken border
  // A box that holds a path: where the system offers it, typing in it
  // proposes matching files and folders. No event of the form comes of it.
  kPathCompletion = 1u << 6,
};

// One row of a form's control table.
struct ControlRow {
  Kind kind = Kind::Label;
  std::string name;
  int index = -1;             // position in a control array; -1 when not in one
  std::u16string caption;     // label, button, option and check box caption
  Rect rect;                  // twips, relative to the container
  LineEnds line;              // lines only, instead of a rectangle
  std::optional<Font> font;   // none: the form's own font
  unsigned flags = kNoFlags;
  std::string container;      // "" for the form, else a picture box's name
  int containerIndex = -1;
  std::vector<std::u16string> tabs;  // tab strip captions
  int tabsPerRow = 0;
  std::optional<Colour> foreColour;  // none: the kind's own
};

// A row as a table file writes it: the same fields, literal text only. A
// table of these is constant data, turned into ControlRows by one loop
// instead of a few hundred bytes of string construction per row.
struct FontSpec {
  const char16_t* name = nullptr;  // none: the form's own font
  double points = 8.25;
  bool bold = false;
};
struct RowSpec {
  Kind kind = Kind::Label;
  const char* name = "";
  int index = -1;
  const char16_t* caption = u"";
  Rect rect;
  LineEnds line;
  FontSpec font;
  unsigned flags = kNoFlags;
  const char* container = "";
  int containerIndex = -1;
  std::initializer_list<const char16_t*> tabs;
  int tabsPerRow = 0;
  std::optional<Colour> foreColour;
};
ControlRow controlRow(const RowSpec& source);
std::vector<ControlRow> controlRows(std::initializer_list<RowSpec> rows);

// A control's place in its form's table; rows are taken in order.
using ControlId = int;

struct FormTable {
  std::u16string caption;
  int clientWidth = 0;   // twips
  int clientHeight = 0;  // twips
  Font font{u"Tahoma", 8.25, false};
  std::vector<ControlRow> controls;  // in tab order; lines last

  // The command button with this role (kDefault: Enter; kCancel: Esc), or -1.
  int buttonWith(unsigned role) const noexcept {
    for (size_t i = 0; i < controls.size(); ++i)
      if (controls[i].kind == Kind::CommandButton && (controls[i].flags & role))
        return static_cast<int>(i);
    return -1;
  }
};

}  // namespace tollivor::forms
