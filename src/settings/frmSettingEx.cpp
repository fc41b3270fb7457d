#include "settings/frmSettingEx.h"

namespace tollivor {

forms::FormSpec frmSettingExSpec() {
  forms::FormSpec spec;
  spec.caption = u"Tollivar Property";
  spec.clientWidth = 4815;
  spec.clientHeight = 3120;
  return spec;
}

frmSettingEx::frmSettingEx() : Form(frmSettingExSpec()) {}

}  // namespace tollivor
