#include "charts/selective/SelectiveChart.h"

#include <algorithm>

#include "charts/selective/ChartFileRead.h"
#include "charts/selective/ManualFormat.h"

namespace dv {

int SelectiveChart::Run(const SelectiveGatherInput& in, const SelectivePage& page,
                        const SelectivePrompter& prompter) {
  Release();
  options_ = in.options;
  page_ = page;
  if (int rc = SelectiveExtentFor(page_, extent_)) {
    prompter.Show(rc);
    return rc;
  }
  tables_ = std::make_unique<SelectiveTables>();
  int rc = GatherSelectiveTree(in, *tables_, prompter);
  if (rc == 0 && !in.extract) rc = Relayout(page, prompter);
  if (rc != 0) Release();
  return rc;
}

int SelectiveChart::RunChartFile(const std::string& path, const SelectiveOptions& options,
                                 const SelectivePage& page, const SelectivePrompter& prompter) {
  Release();
  options_ = options;
  page_ = page;
  if (int rc = SelectiveExtentFor(page_, extent_)) {
    prompter.Show(rc);
    return rc;
  }
  // With the manual format armed, the file's own section gives the shifts.
  if (options.manualFormat) {
    std::vector<ManualShift> list;
    if (ReadManualFormatFile(path, list) != 0) {
      prompter.Show(kMsgReadMaskError);
      return kMsgReadMaskError;
    }
    shifts_ = std::move(list);
  }
  tables_ = std::make_unique<SelectiveTables>();
  int rc = ReadTreeChartFile(path, options_, *tables_, prompter);
  if (rc == 0) rc = Relayout(page, prompter);
  if (rc != 0) Release();
  return rc;
}

int SelectiveChart::Relayout(const SelectivePage& page, const SelectivePrompter& prompter) {
  if (!tables_) return kMsgCannotGenerateTree;
  page_ = page;
  items_.clear();
  if (int rc = SelectiveExtentFor(page_, extent_)) {
    prompter.Show(rc);
    return rc;
  }
  int rc = LayoutSelectiveTree(*tables_, options_, extent_, shifts_, prompter, layout_);
  if (rc == 0) rc = FormatSelectiveTree(*tables_, options_, layout_, prompter, items_);
  if (rc == 0 && items_.empty()) rc = kMsgCannotGenerateTree;
  return rc;
}

void SelectiveChart::Release() {
  tables_.reset();
  std::vector<SelectiveItem>().swap(items_);
  layout_ = {};
  extent_ = {};
}

void SelectiveChart::SetPen(int lineWidth, int printerLineHeight) {
  lineWidth_ = lineWidth;
  printerLineHeight_ = printerLineHeight;
}

int SelectiveChart::Draw(DrawSurface& surface, int cw, int ch, int /*page*/, int screen) const {
  if (!tables_) return 0;
  surface.SetTextColour(kBlack);
  surface.SetBackground(Background::kTransparent, kWhite);
  surface.SetPen(
      {RulePenWidth(lineWidth_, ch, printerLineHeight_, screen), PenStyle::kSolid, kBlack});
  const int firstColumn = page_.marginLeft, lastColumn = page_.pageColumns - page_.marginRight;
  const int firstLine = page_.marginTop, lastLine = page_.pageLines - page_.marginBottom;
  for (const SelectiveItem& it : items_) {
    const int column = it.column + page_.marginLeft;
    const int line = it.line + page_.marginTop;
    int endColumn = column, endLine = line;
    if (it.kind == kTextItem) endColumn = column + int(it.text.size());
    if (it.kind == kHorizontalItem) endColumn = column + it.length;
    if (it.kind == kVerticalItem) endLine = line + std::max<int>(it.length, 1);
    if (column < firstColumn || endColumn > lastColumn) return kMsgWidthOverrun;
    if (line < firstLine || endLine > lastLine + 1) return kMsgVerticalFormat;
    const int x = column * cw, y = line * ch;
    switch (it.kind) {
      case kTextItem:
        if (!it.text.empty()) surface.Text(x, y, it.text);
        break;
      case kHorizontalItem:
        surface.HorizontalRule(x, x + it.length * cw, y - ch / 2);
        break;
      case kVerticalItem:
        surface.VerticalRule(x, y - ch / 2, y - ch / 2 + std::max<int>(it.length, 1) * ch);
        break;
      default:
        break;
    }
  }
  return 0;
}

bool SelectiveChart::Overflows(DrawSurface& surface, int cellWidth) const {
  for (const SelectiveItem& it : items_) {
    if (it.kind != kTextItem || it.text.empty()) continue;
    if (surface.MeasureText(it.text).width > int(it.text.size()) * cellWidth) return true;
  }
  return false;
}

std::string SelectiveChart::Groups(
    const std::function<std::string(bool family, std::int32_t index)>& xref) const {
  std::string out;
  if (!tables_) return out;
  const SelectiveTables& t = *tables_;
  auto listGroup = [&](int slot, int gi) {
    const FamilyGroup& g = t.groups[gi];
    out += std::to_string(slot) + "\t" + std::to_string(g.key) + "\t" + xref(true, g.family) +
           "\t" + xref(false, g.husbandId) + "\t" + xref(false, g.wifeId) + "\t";
    bool first = true;
    for (std::uint16_t c : g.children) {
      if (c == 0) break;
      if (!first) out += ",";
      out += xref(false, t.children[c].individual);
      first = false;
    }
    out += "\n";
  };
  // Walk order: the groups in the order they were gathered, as far as the
  // chart still shows them on its lines of descent.
  std::vector<int> shown;
  for (int s = t.startSlot; s <= layout_.endSlot; ++s)
    for (int gi : t.GroupsOf(s)) shown.push_back(gi);
  std::sort(shown.begin(), shown.end());
  for (int gi : shown) listGroup(t.groups[gi].slot, gi);
  return out;
}

}  // namespace dv
