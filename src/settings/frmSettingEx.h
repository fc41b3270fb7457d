// The bar settings dialog. For now the window alone, with its caption, size
// and frame; the tabbed pages come with the settings editor.
#pragma once

#include "forms/Form.h"

namespace tollivor {

class frmSettingEx : public forms::Form {
 public:
  frmSettingEx();
};

forms::FormTable frmSettingExTable();

}  // namespace tollivor
