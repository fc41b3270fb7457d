#include "forms/ControlTable.h"

namespace tollivor::forms {

ControlRow controlRow(const RowSpec& source) {
  ControlRow row;
  row.kind = source.kind;
  row.name = source.name;
  row.index = source.index;
  row.caption = source.caption;
  row.rect = source.rect;
  row.line = source.line;
  if (source.font.name) row.font = Font{source.font.name, source.font.points, source.font.bold};
  row.flags = source.flags;
  row.container = source.container;
  row.containerIndex = source.containerIndex;
  row.tabs.assign(source.tabs.begin(), source.tabs.end());
  row.tabsPerRow = source.tabsPerRow;
  row.foreColour = source.foreColour;
  return row;
}

std::vector<ControlRow> controlRows(std::initializer_list<RowSpec> sources) {
  std::vector<ControlRow> rows;
  rows.reserve(sources.size());
  for (const RowSpec& source : sources) rows.push_back(controlRow(source));
  return rows;
}

}  // namespace tollivor::forms
