// The picture box: a child window that keeps what is drawn into it in a
// memory bitmap, so a drawing survives hiding, covering and showing until it
// is cleared. It may also hold other controls (a page of a tabbed dialog).
#pragma once

#include <windows.h>

#include <string>

#include "forms/ControlTable.h"
#include "win32/Handles.h"

namespace tollivor::forms::win32 {

// Keeps the picture box window class registered while any form uses it.
// The class belongs to this module; it is unregistered with the last lease
// so that a module unloaded and loaded again finds no stale class.
class PictureClassLease {
 public:
  PictureClassLease() noexcept;
  ~PictureClassLease();
  PictureClassLease(const PictureClassLease&) = delete;
  PictureClassLease& operator=(const PictureClassLease&) = delete;

  bool registered() const noexcept { return registered_; }
  static const wchar_t* className() noexcept;

 private:
  bool registered_ = false;
};

// What a picture box asks of the form that holds it.
class PictureBoxHost {
 public:
  virtual void pictureMouseMove(forms::ControlId id) noexcept = 0;
  // Draws the form's lines that lie inside this picture box.
  virtual void paintContainedLines(forms::ControlId id, HDC dc) noexcept = 0;

 protected:
  ~PictureBoxHost() = default;
};

class PictureBox {
 public:
  PictureBox(PictureBoxHost& host, forms::ControlId id, COLORREF back) noexcept;
  ~PictureBox();
  PictureBox(const PictureBox&) = delete;
  PictureBox& operator=(const PictureBox&) = delete;

  // Creates the window; false on failure.
  bool create(HWND parent, int controlId, const RECT& pixels, DWORD style, DWORD exStyle) noexcept;
  HWND window() const noexcept { return window_; }

  bool clear(COLORREF back) noexcept;
  bool refresh() noexcept;
  bool drawIcon(int x, int y, int size, HICON icon) noexcept;  // pixels
  // A .ico or .bmp file, drawn at its own size at the top left over a
  // cleared box. A file that does not load (no picture, a folder, missing)
  // leaves the box unchanged.
  bool loadPicture(const std::u16string& path, COLORREF back) noexcept;
  // After a move or a border change: keeps the drawing, grows the bitmap.
  // Nothing is made before the first drawing.
  void fitToClient(COLORREF back) noexcept;
  // The window's DPI changed: what was drawn is drawn again to the new scale.
  void rescale(int fromDpi, int toDpi) noexcept;

 // The window procedure of the class.
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;

 private:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  bool makeBitmap() noexcept;
  void growBitmap(COLORREF back) noexcept;
  template <class Draw>
  void replaceBitmap(SIZE want, Draw draw) noexcept;
  void paint(HDC dc) noexcept;
  void invalidate() noexcept;

  PictureBoxHost& host_;
  forms::ControlId id_;
  COLORREF blankColour_;  // what the box shows until first drawn into
  HWND window_ = nullptr;  // owned by the form: destroyed with its parent
  // The DC is destroyed before the bitmap that was selected into it.
  tollivor::win32::unique_hbitmap bitmap_;
  tollivor::win32::unique_hdc dc_;
  HGDIOBJ originalBitmap_ = nullptr;
  SIZE size_{0, 0};
};

}  // namespace tollivor::forms::win32
