#include "charts/full/OverlayItems.h"

#include <algorithm>

#include "charts/full/FullChart.h"
#include "charts/full/FullChartStorage.h"

namespace dv {

OverlayChart OverlayChartOf(const FullChart& chart) {
  OverlayChart c;
  const FullChartExtent& e = chart.Extent();
  c.chartColumns = e.chartColumns;
  c.chartLines = e.chartLines;
  c.pageBreaks = !chart.Options().noPageBreaks;
  c.usableColumns = std::max<int>(1, e.usableColumns);
  c.usableLines = std::max<int>(1, e.usableLines);
  c.pagesAcross = std::max<int>(1, e.pagesAcross);
  c.marginLeft = chart.Page().marginLeft;
  c.marginTop = chart.Page().marginTop;
  if (const FullChartStorage* s = chart.Storage()) {
    for (const DisplayItem& it : s->items) {
      if (it.kind == kFcText && it.text >= 0 && std::size_t(it.text) < s->texts.size()) {
        const int len = int(s->texts[std::size_t(it.text)].size());
        c.people.push_back({it.column, it.line, it.column + std::max(1, len), it.line + 1});
      } else if (it.kind == kFcBox) {
        const int w = it.text & 0xFFFF, h = (it.text >> 16) & 0x7FFF;
        c.people.push_back({it.column, it.line - 1, it.column + w, it.line + h});
      }
    }
  }
  const TitlePlace& t = chart.Composed().title;
  if (t.placed && chart.Options().title > 0) {
    c.hasTitle = true;
    c.title = {t.column, t.line, t.column + t.width, t.line + t.height};
  }
  return c;
}

void Overlays::SetChart(OverlayChart chart) {
  chart_ = std::move(chart);
  items_.clear();
  RebuildObstacles();
}

void Overlays::RebuildObstacles(bool afterAdd) {
  obstacles_.clear();
  obstacles_.reserve(chart_.people.size() + items_.size() + 1);
  int id = 0;
  for (const CellRect& r : chart_.people) obstacles_.push_back({r.Enlarged(2), ++id});
  if (chart_.hasTitle) obstacles_.push_back({chart_.title.Enlarged(1), kObstacleTitle});
  for (std::size_t i = 0; i < items_.size(); ++i)
    obstacles_.push_back({items_[i].rect.Enlarged(afterAdd ? 2 : 1), -int(i + 1)});
  std::stable_sort(obstacles_.begin(), obstacles_.end(),
                   [](const Obstacle& a, const Obstacle& b) { return a.rect.top < b.rect.top; });
}

int Overlays::Test(const CellRect& r, int ignore) const {
  if (r.empty()) return kObstacleEdge;
  if (r.bottom > chart_.chartLines - 2 || r.right > chart_.chartColumns - 2 || r.left < 2 ||
      r.top < 2)
    return kObstacleEdge;
  if (chart_.pageBreaks) {
    const int u = chart_.usableColumns, v = chart_.usableLines;
    // The item's cells and one cell around them stay on one page.
    if ((r.left - 1) / u != r.right / u || (r.top - 1) / v != r.bottom / v) return kObstacleEdge;
  }
  const int skip = ignore >= 0 ? -(ignore + 1) : 0;
  for (const Obstacle& o : obstacles_) {
    if (o.rect.top >= r.bottom) break;  // sorted by top: none further down can meet r
    if (o.id != skip && o.rect.Intersects(r)) return o.id;
  }
  return 0;
}

int Overlays::AddItem(const CellRect& r, std::string content, int alignment,
                      const FontRecord& font) {
  if (r.empty() || count() >= kMaxOverlayItems) return -1;
  if (content.size() > kOverlayTextBytes && alignment != kOverlayPicture)
    content.resize(kOverlayTextBytes);
  OverlayItem item;
  item.rect = r;
  item.content = std::move(content);
  item.alignment = alignment;
  item.font = font;
  items_.push_back(std::move(item));
  RebuildObstacles(true);
  return count() - 1;
}

bool Overlays::DeleteItem(int index) {
  if (index < 0 || index >= count()) return false;
  items_.erase(items_.begin() + index);
  RebuildObstacles();
  return true;
}

int Overlays::PlaceItem(int index, const CellRect& r) {
  if (index < 0 || index >= count()) return kObstacleEdge;
  if (int id = Test(r, index)) return id;
  items_[std::size_t(index)].rect = r;
  RebuildObstacles();
  return 0;
}

int Overlays::ItemAt(int column, int line) const {
  for (int i = count() - 1; i >= 0; --i)
    if (items_[std::size_t(i)].rect.Contains(column, line)) return i;
  return -1;
}

int Overlays::ObstacleAt(int column, int line) const {
  if (int i = ItemAt(column, line); i >= 0) return -(i + 1);
  for (const CellRect& r : chart_.people)
    if (r.Contains(column, line)) return 1;
  if (chart_.hasTitle && chart_.title.Contains(column, line)) return kObstacleTitle;
  return 0;
}

}  // namespace dv
