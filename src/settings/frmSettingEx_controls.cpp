// The settings dialog's frame: the tab strip, the ten page containers
// stacked on one rectangle, and the buttons. The pages' own controls follow
// from the two page tables.
#include "settings/frmSettingEx.h"

namespace tollivor {

using namespace forms;

FormTable frmSettingExTable() {
  FormTable table;
  table.caption = u"Tollivar Property";
  table.clientWidth = 4815;
  table.clientHeight = 3120;
  // The dialog's own font, which the command buttons keep; Form_Load puts
  // every other control in Tahoma.
  table.font = {u"MS Sans Serif", 8.25, false};
  table.controls = controlRows({
      {.kind = Kind::TabStrip, .name = "SSTab1", .rect = {120, 120, 4575, 2415},
       .font = {u"Tahoma", 8.25, false},
       .tabs = {u"Behavior", u"Speed ", u"Tooltip ", u"Direction ", u"Smart Slide ", u"Colors ",
                u"Picture ", u"Appearence ", u"Sound ", u"Group "},
       .tabsPerRow = 5},
  });
  // Children of the form, not of the tab strip, all on one rectangle.
  for (int page = 0; page < frmSettingEx::kPageCount; ++page)
    table.controls.push_back(controlRow(
        {.kind = Kind::PictureBox, .name = "Picture1", .index = page, .rect = {240, 840, 4215, 1575}}));
  addPages0to4(table.controls);
  addPages5to9(table.controls);
  for (const RowSpec& button : {
           RowSpec{.kind = Kind::CommandButton, .name = "cmdOK", .caption = u"&OK",
                   .rect = {2400, 2640, 1095, 375}, .flags = kDefault},
           RowSpec{.kind = Kind::CommandButton, .name = "cmdCancel", .caption = u"&Cancel",
                   .rect = {3600, 2640, 1095, 375}, .flags = kCancel},
       })
    table.controls.push_back(controlRow(button));
  return table;
}

void addPage(std::vector<ControlRow>& rows, int page, std::initializer_list<RowSpec> pageRows) {
  for (const RowSpec& source : pageRows) {
    ControlRow& row = rows.emplace_back(controlRow(source));
    row.container = "Picture1";
    row.containerIndex = page;
  }
}

}  // namespace tollivor
