#include "group/frmGroup.h"

namespace tollivor {

forms::FormSpec frmGroupSpec() {
  forms::FormSpec spec;
  spec.caption = u"Group Property";
  spec.clientWidth = 3990;
  spec.clientHeight = 1950;
  return spec;
}

frmGroup::frmGroup() : Form(frmGroupSpec()) {}

}  // namespace tollivor
