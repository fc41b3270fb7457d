// The group property dialog: a group's name and the icon file that stands
// for it. For now the window alone, with its caption, size and frame; the
// controls and handlers come with the group editor.
#pragma once

#include "forms/Form.h"

namespace tollivor {

class frmGroup : public forms::Form {
 public:
  frmGroup();
};

forms::FormTable frmGroupTable();

}  // namespace tollivor
