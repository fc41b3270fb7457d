#include <algorithm>

#include "forms/headless/HeadlessPlatform.h"
#include "forms/headless/HeadlessText.h"
#include "forms/KindTraits.h"

namespace tollivor::forms::headless {

namespace {

constexpr std::uint32_t kFolderAttribute = 16;

bool isPictureFile(const std::u16string& path) noexcept {
  return endsWithIgnoringCase(path, u".ico") || endsWithIgnoringCase(path, u".bmp") ||
         endsWithIgnoringCase(path, u".cur");
}

// The access key of a caption: the character after a single '&' ("&&" is a
// plain ampersand), or 0 for none.
char16_t accessKeyOf(const std::u16string& caption) noexcept {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] != u'&') return foldCase(caption[i + 1]);
    ++i;
  }
  return 0;
}

}  // namespace

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, const FormTable& table,
                               FormEvents& events, WindowHandle handle)
    : platform_(&platform), table_(table), events_(events), handle_(handle) {
  bounds_ = {0, 0, table.clientWidth + 2 * kFrameTwips,
             table.clientHeight + 2 * kFrameTwips + kCaptionTwips};
  controls_.reserve(table.controls.size());
  for (const auto& row : table.controls) {
    ControlState c;
    c.text = row.caption;
    c.value = (row.flags & kChecked) ? 1 : 0;
    c.enabled = !(row.flags & kDisabled);
    c.visible = !(row.flags & kHidden);
    c.border = (row.flags & kBorder) != 0;
    c.rect = row.rect;
    c.fontName = row.font ? row.font->name : table.font.name;
    c.fore = traits(row.kind).fore;
    c.back = traits(row.kind).back;
    controls_.push_back(std::move(c));
  }
  platform.windows.push_back(this);
}

HeadlessWindow::~HeadlessWindow() {
  if (!platform_) return;
  std::erase(platform_->windows, this);
  std::erase(platform_->modalStack, this);
}

// --- the test API ---------------------------------------------------------

std::vector<std::u16string> HeadlessWindow::pictureShows(const std::string& control,
                                                         int index) const {
  const auto* c = state(find(control, index));
  return c ? c->shows : std::vector<std::u16string>{};
}

int HeadlessWindow::pictureRefreshes(const std::string& control, int index) const {
  const auto* c = state(find(control, index));
  return c ? c->refreshes : 0;
}

bool HeadlessWindow::isFrontPage(const std::string& control, int index) const {
  const auto* c = state(find(control, index));
  if (!c || c->frontStamp == 0) return false;
  for (size_t i = 0; i < controls_.size(); ++i)
    if (table_.controls[i].name == control && controls_[i].frontStamp > c->frontStamp) return false;
  return true;
}

const FormTable& HeadlessWindow::table() const { return table_; }

void HeadlessWindow::receiveCloseCommand() noexcept { giveCloseCommand(); }

// --- the window --------------------------------------------------------------

bool HeadlessWindow::showModal() noexcept {
  if (!platform_ || showing_) return false;
  HeadlessPlatform& platform = *platform_;
  ++platform.modalShows;
  showing_ = true;
  closeGiven_ = false;
  visible_ = true;
  platform.modalStack.push_back(this);
  for (ControlId id = 0; id < static_cast<ControlId>(controls_.size()); ++id)
    if (focusableNow(id)) {
      moveFocus(id);
      break;
    }

  try {
    if (auto script = platform.takeScript()) (*script)(platform.user);
  } catch (...) {
    // A script that throws ends like one that ran out of steps.
  }

  if (visible_) {
    hide();
    if (!closeGiven_) ++platform.unfinishedShows;
  }
  std::erase(platform.modalStack, this);
  showing_ = false;
  return true;
}

bool HeadlessWindow::hide() noexcept {
  visible_ = false;
  focus_.reset();  // a hidden window has no keyboard focus
  return true;
}

bool HeadlessWindow::isVisible() noexcept { return visible_; }

std::optional<Rect> HeadlessWindow::bounds() noexcept { return bounds_; }

bool HeadlessWindow::moveTo(int left, int top) noexcept {
  bounds_.left = left;
  bounds_.top = top;
  return true;
}

WindowHandle HeadlessWindow::handle() noexcept { return handle_; }

// --- controls -----------------------------------------------------------------

std::optional<std::u16string> HeadlessWindow::text(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).hasText) return std::nullopt;
  return state(id)->text;
}

bool HeadlessWindow::setText(ControlId id, const std::u16string& text) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).hasText) return false;
  try {
    if (platform_ && platform_->failingTextWrites.contains(nameOf(id))) return false;
    state(id)->text = text;
    return true;
  } catch (...) {
    return false;
  }
}

std::optional<int> HeadlessWindow::value(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).hasValue) return std::nullopt;
  return state(id)->value;
}

bool HeadlessWindow::setValue(ControlId id, int value) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).hasValue) return false;
  if (value != 0 && value != 1) return false;
  if (traits(r->kind).exclusive && value == 1)
    selectOption(id);
  else
    state(id)->value = value;
  return true;
}

std::optional<bool> HeadlessWindow::isEnabled(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).window) return std::nullopt;
  return state(id)->enabled;
}

bool HeadlessWindow::setEnabled(ControlId id, bool enabled) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).window) return false;
  state(id)->enabled = enabled;
  return true;
}

bool HeadlessWindow::setFocus(ControlId id) noexcept {
  // As in the forms runtime, only a shown form's usable controls take the focus.
  if (!visible_ || !focusableNow(id)) return false;
  moveFocus(id);
  return true;
}

std::optional<ControlId> HeadlessWindow::focus() noexcept { return focus_; }

bool HeadlessWindow::addItem(ControlId id, const std::u16string& item) noexcept {
  const auto* r = row(id);
  if (!r || r->kind != Kind::ComboBox) return false;
  try {
    state(id)->items.push_back(item);
    return true;
  } catch (...) {
    return false;
  }
}

std::optional<std::vector<std::u16string>> HeadlessWindow::items(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || r->kind != Kind::ComboBox) return std::nullopt;
  try {
    return state(id)->items;
  } catch (...) {
    return std::nullopt;
  }
}

std::optional<Colour> HeadlessWindow::foreColour(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).foreColour) return std::nullopt;
  return state(id)->fore;
}

bool HeadlessWindow::setForeColour(ControlId id, Colour colour) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).foreColour || !isValidColour(colour)) return false;
  state(id)->fore = colour;
  return true;
}

std::optional<Colour> HeadlessWindow::backColour(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).backColour) return std::nullopt;
  return state(id)->back;
}

bool HeadlessWindow::setBackColour(ControlId id, Colour colour) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).backColour || !isValidColour(colour)) return false;
  state(id)->back = colour;
  return true;
}

std::optional<std::u16string> HeadlessWindow::fontName(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).window) return std::nullopt;
  return state(id)->fontName;
}

bool HeadlessWindow::setFontName(ControlId id, const std::u16string& name) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).window || name.empty()) return false;
  try {
    state(id)->fontName = name;
    return true;
  } catch (...) {
    return false;
  }
}

// A line has end points, not a rectangle: it is neither measured nor moved.
std::optional<Rect> HeadlessWindow::controlRect(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || r->kind == Kind::Line) return std::nullopt;
  return state(id)->rect;
}

bool HeadlessWindow::moveControl(ControlId id, const Rect& rect) noexcept {
  const auto* r = row(id);
  if (!r || r->kind == Kind::Line || rect.width < 0 || rect.height < 0) return false;
  state(id)->rect = rect;
  return true;
}

bool HeadlessWindow::bringToFront(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).window) return false;
  state(id)->frontStamp = ++frontCounter_;
  return true;
}

bool HeadlessWindow::setBorder(ControlId id, bool border) noexcept {
  const auto* r = row(id);
  if (!r || !traits(r->kind).border) return false;
  state(id)->border = border;
  return true;
}

// --- picture boxes --------------------------------------------------------------

bool HeadlessWindow::clearPicture(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || r->kind != Kind::PictureBox) return false;
  state(id)->shows.clear();
  return true;
}

bool HeadlessWindow::refreshPicture(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || r->kind != Kind::PictureBox) return false;
  ++state(id)->refreshes;
  return true;
}

bool HeadlessWindow::drawIcon(ControlId id, int, int, IconHandle icon) noexcept {
  const auto* r = row(id);
  if (!r || r->kind != Kind::PictureBox || !platform_ || icon == 0) return false;
  auto it = platform_->liveIcons.find(icon);
  if (it == platform_->liveIcons.end()) return false;
  try {
    state(id)->shows.push_back(it->second);
    return true;
  } catch (...) {
    return false;
  }
}

bool HeadlessWindow::loadPicture(ControlId id, const std::u16string& path) noexcept {
  const auto* r = row(id);
  if (!r || r->kind != Kind::PictureBox || !platform_) return false;
  const auto attributes = platform_->fileAttributes(path);
  if (!attributes || (*attributes & kFolderAttribute) || !isPictureFile(path)) return false;
  for (const auto& file : platform_->notPictures)
    if (equalsIgnoringCase(file, path)) return false;
  try {
    std::vector<std::u16string> shows{u"picture:" + path};
    state(id)->shows = std::move(shows);
    return true;
  } catch (...) {
    return false;
  }
}

// --- tab strip -------------------------------------------------------------------

std::optional<int> HeadlessWindow::currentTab(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || r->kind != Kind::TabStrip) return std::nullopt;
  return state(id)->tab;
}

bool HeadlessWindow::setCurrentTab(ControlId id, int tab) noexcept {
  const auto* r = row(id);
  if (!r || r->kind != Kind::TabStrip || tab < 0 || tab >= static_cast<int>(r->tabs.size()))
    return false;
  state(id)->tab = tab;
  return true;
}

// --- the backend's own -------------------------------------------------------------

const ControlRow* HeadlessWindow::row(ControlId id) const noexcept {
  if (id < 0 || static_cast<size_t>(id) >= table_.controls.size()) return nullptr;
  return &table_.controls[static_cast<size_t>(id)];
}

HeadlessWindow::ControlState* HeadlessWindow::state(ControlId id) noexcept {
  return row(id) ? &controls_[static_cast<size_t>(id)] : nullptr;
}

const HeadlessWindow::ControlState* HeadlessWindow::state(ControlId id) const noexcept {
  return row(id) ? &controls_[static_cast<size_t>(id)] : nullptr;
}

ControlId HeadlessWindow::find(const std::string& name, int index) const noexcept {
  for (size_t i = 0; i < table_.controls.size(); ++i)
    if (table_.controls[i].name == name && table_.controls[i].index == index)
      return static_cast<ControlId>(i);
  return -1;
}

ControlId HeadlessWindow::containerOf(ControlId id) const noexcept {
  const auto* r = row(id);
  if (!r || r->container.empty()) return -1;
  const ControlId container = find(r->container, r->containerIndex);
  return container == id ? -1 : container;
}

std::string HeadlessWindow::nameOf(ControlId id) const {
  const auto* r = row(id);
  if (!r) return {};
  return r->index < 0 ? r->name : r->name + "(" + std::to_string(r->index) + ")";
}

bool HeadlessWindow::reachable(ControlId id) const noexcept {
  if (!row(id)) return false;
  // Walk up the containers; the step limit stops a table that loops.
  for (size_t steps = 0; id >= 0 && steps <= controls_.size(); ++steps) {
    const auto& c = controls_[static_cast<size_t>(id)];
    if (!c.visible || !c.enabled || coveredByFrontPage(id)) return false;
    id = containerOf(id);
  }
  return id < 0;
}

bool HeadlessWindow::coveredByFrontPage(ControlId id) const noexcept {
  const auto& mine = table_.controls[static_cast<size_t>(id)];
  if (mine.kind != Kind::PictureBox) return false;
  const auto& at = controls_[static_cast<size_t>(id)];
  for (size_t i = 0; i < controls_.size(); ++i) {
    const auto& other = table_.controls[i];
    const auto& page = controls_[i];
    if (static_cast<ControlId>(i) == id || other.kind != Kind::PictureBox ||
        other.container != mine.container || other.containerIndex != mine.containerIndex ||
        !page.visible || page.frontStamp <= at.frontStamp)
      continue;
    const bool covers = page.rect.left <= at.rect.left && page.rect.top <= at.rect.top &&
                        page.rect.left + page.rect.width >= at.rect.left + at.rect.width &&
                        page.rect.top + page.rect.height >= at.rect.top + at.rect.height;
    if (covers) return true;
  }
  return false;
}

bool HeadlessWindow::focusableNow(ControlId id) const noexcept {
  const auto* r = row(id);
  return r && traits(r->kind).focusable && reachable(id);
}

bool HeadlessWindow::takesInput() const noexcept {
  return platform_ && visible_ && showing_ && !closeGiven_ && !platform_->modalStack.empty() &&
         platform_->modalStack.back() == this;
}

void HeadlessWindow::moveFocus(ControlId id) noexcept {
  focus_ = id;
}

void HeadlessWindow::selectOption(ControlId id) noexcept {
  const auto& mine = table_.controls[static_cast<size_t>(id)];
  for (size_t i = 0; i < controls_.size(); ++i) {
    const auto& other = table_.controls[i];
    if (other.kind == mine.kind && other.container == mine.container &&
        other.containerIndex == mine.containerIndex)
      controls_[i].value = 0;
  }
  controls_[static_cast<size_t>(id)].value = 1;
}

void HeadlessWindow::raise(ControlId id, Event event) noexcept { events_.onControlEvent(id, event); }

void HeadlessWindow::userDrop(const std::u16string& firstPath) noexcept {
  // A window that does not take drops shows the no-drop cursor instead.
  if (events_.acceptsFileDrops()) events_.onFilesDropped(firstPath);
}

void HeadlessWindow::giveCloseCommand() noexcept {
  closeGiven_ = true;
  events_.onCloseCommand();
}

void HeadlessWindow::userClick(ControlId id) noexcept {
  const auto* r = row(id);
  if (!r || !reachable(id)) return;
  // A mouse click gives the control the focus, if it takes it.
  if (traits(r->kind).focusable) moveFocus(id);
  if (!traits(r->kind).clicks) return;
  if (traits(r->kind).exclusive) {
    selectOption(id);
  } else if (traits(r->kind).hasValue) {
    auto& c = controls_[static_cast<size_t>(id)];
    c.value = c.value == 0 ? 1 : 0;
  }
  raise(id, Event::Click);
}

void HeadlessWindow::userAccessKey(char16_t key) noexcept {
  const char16_t wanted = foldCase(key);
  if (wanted == 0) return;
  const auto count = static_cast<ControlId>(controls_.size());
  for (ControlId id = 0; id < count; ++id) {
    const Kind kind = table_.controls[static_cast<size_t>(id)].kind;
    if (!traits(kind).accessKey || !reachable(id) || accessKeyOf(controls_[static_cast<size_t>(id)].text) != wanted)
      continue;
    if (traits(kind).focusable) {
      moveFocus(id);
      userClick(id);
      return;
    }
    // A label hands the focus on to the next control that can take it.
    for (ControlId step = 1; step < count; ++step) {
      const ControlId next = (id + step) % count;
      if (focusableNow(next)) {
        moveFocus(next);
        return;
      }
    }
    return;
  }
}

}  // namespace tollivor::forms::headless
