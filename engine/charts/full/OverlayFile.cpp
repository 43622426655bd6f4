#include "charts/full/OverlayFile.h"

#include <charconv>

namespace dv {

namespace {

// The next blank-separated word of rest, taken off it.
std::string_view NextWord(std::string_view& rest) {
  const std::size_t start = rest.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    rest = {};
    return {};
  }
  rest.remove_prefix(start);
  const std::size_t end = rest.find_first_of(" \t");
  const std::string_view word = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
  return word;
}

bool Number(std::string_view word, int& value) {
  const auto r = std::from_chars(word.data(), word.data() + word.size(), value);
  return r.ec == std::errc() && r.ptr == word.data() + word.size() && value >= 0 &&
         value <= 1000000;
}

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
      out += text[i + 1] == 'n' ? '\n' : '\\';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

std::vector<OverlayLine> ParseOverlayFile(std::string_view text) {
  std::vector<OverlayLine> out;
  int number = 0;
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    std::string_view rest = text.substr(0, nl);
    text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    ++number;
    if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
    const std::size_t first = rest.find_first_not_of(" \t");
    if (first == std::string_view::npos || rest[first] == '#') continue;
    OverlayLine line;
    line.line = number;
    const std::string_view kind = NextWord(rest);
    int* edges[4] = {&line.rect.left, &line.rect.top, &line.rect.right, &line.rect.bottom};
    bool ok = kind == "image" || kind == "text";
    for (int* edge : edges) ok = ok && Number(NextWord(rest), *edge);
    if (ok && kind == "text") {
      const std::string_view align = NextWord(rest);
      line.alignment = align == "left" ? kOverlayLeft : align == "centre" ? kOverlayCentre : -1;
      ok = line.alignment > 0;
    }
    // The rest after one separator is the path or the text, blanks and all.
    if (ok && !rest.empty()) rest.remove_prefix(1);
    if (ok && rest.empty()) ok = false;
    if (!ok) {
      line.error = "bad line";
    } else {
      line.content = kind == "text" ? Unescape(rest) : std::string(rest);
    }
    out.push_back(std::move(line));
  }
  return out;
}

std::string RefusalReason(int id, const std::vector<int>& itemLines) {
  if (id == kObstacleEdge) return "page edge";
  if (id == kObstacleTitle) return "title";
  if (id > 0) return "person";
  const std::size_t index = std::size_t(-id - 1);
  return "item " + std::to_string(index < itemLines.size() ? itemLines[index] : 0);
}

std::vector<OverlayOutcome> PlaceOverlayLines(Overlays& overlays,
                                              const std::vector<OverlayLine>& lines,
                                              const FontRecord& font, DrawSurface& measure, int cw,
                                              int ch, const OverlayContext& context) {
  std::vector<OverlayOutcome> out;
  std::vector<int> itemLines;  // file line of each item
  for (const OverlayLine& l : lines) {
    OverlayOutcome o;
    o.line = l.line;
    if (!l.error.empty()) {
      o.reason = l.error;
    } else if (l.rect.empty()) {
      o.reason = "empty rectangle";
    } else if (overlays.count() >= kMaxOverlayItems) {
      o.reason = "too many items";
    } else if (int id = overlays.Test(l.rect)) {
      o.reason = RefusalReason(id, itemLines);
    } else {
      const int index = overlays.AddItem(l.rect, l.content, l.alignment, font);
      itemLines.push_back(l.line);
      o.placed = true;
      o.message = RenderItem(overlays, index, measure, cw, ch, context, true);
      o.detail = overlays.item(index).loadDetail;
      overlays.RebuildObstacles();
    }
    out.push_back(std::move(o));
  }
  return out;
}

}  // namespace dv
