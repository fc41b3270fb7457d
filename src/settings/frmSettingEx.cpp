#include "settings/frmSettingEx.h"

namespace tollivor {

forms::FormTable frmSettingExTable() {
  forms::FormTable table;
  table.caption = u"Tollivar Property";
  table.clientWidth = 4815;
  table.clientHeight = 3120;
  return table;
}

frmSettingEx::frmSettingEx() : Form(frmSettingExTable()) {}

}  // namespace tollivor
