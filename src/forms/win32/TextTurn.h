// Text goes into and out of windows one thread at a time.
//
// Each thread has its own forms, and Windows lets threads set window text
// at once; the Wine these tests run on does not survive it (its text layout
// crashed under SetWindowTextW when two apartment threads set text at the
// same moment). Window text is a small part of any edit, so taking turns
// costs little. A turn is recursive: a handler run from inside one may set
// text again.
#pragma once

namespace tollivor::forms::win32 {

class TextTurn {
 public:
  TextTurn() noexcept;
  ~TextTurn();
  TextTurn(const TextTurn&) = delete;
  TextTurn& operator=(const TextTurn&) = delete;
};

}  // namespace tollivor::forms::win32
