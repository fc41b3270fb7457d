#include "forms/Platform.h"

namespace tollivor::forms {

ControlRow controlRow(const RowSpec& spec) {
  ControlRow row;
  row.kind = spec.kind;
  row.name = spec.name;
  row.index = spec.index;
  row.caption = spec.caption;
  row.rect = spec.rect;
  row.line = spec.line;
  if (spec.font.name) row.font = Font{spec.font.name, spec.font.points, spec.font.bold};
  row.flags = spec.flags;
  row.container = spec.container;
  row.containerIndex = spec.containerIndex;
  row.tabs.assign(spec.tabs.begin(), spec.tabs.end());
  row.tabsPerRow = spec.tabsPerRow;
  return row;
}

std::vector<ControlRow> controlRows(std::initializer_list<RowSpec> specs) {
  std::vector<ControlRow> rows;
  rows.reserve(specs.size());
  for (const RowSpec& spec : specs) rows.push_back(controlRow(spec));
  return rows;
}

}  // namespace tollivor::forms
