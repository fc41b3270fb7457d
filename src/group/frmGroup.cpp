#include "group/frmGroup.h"

namespace tollivor {

forms::FormTable frmGroupTable() {
  forms::FormTable table;
  table.caption = u"Group Property";
  table.clientWidth = 3990;
  table.clientHeight = 1950;
  return table;
}

frmGroup::frmGroup() : Form(frmGroupTable()) {}

}  // namespace tollivor
