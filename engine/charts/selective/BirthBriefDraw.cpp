#include "charts/selective/BirthBriefDraw.h"

namespace dv {

namespace {

int RuleLength(const BirthBriefOptions& o, int g) {
  return o.generations == 7 && g >= 5 && g != kConnectingColumn ? 3 : 2;
}

}  // namespace

ItemPlacement PlaceBirthBriefItem(const BirthBriefDrawInput& in, const BirthBriefItem& item, int cw,
                                  int ch) {
  const BirthBriefOptions& o = in.options;
  const int G = o.generations;
  const int g = item.generation;
  const int m = ColumnStepOf(g, G);
  const int shift = (o.width - 20) * m;  // columns a wider chart moves this generation
  const int half = cw / 2;
  const bool base7 = G == 7 && g == 0;
  const bool parents8 = G == 8 && g == 1;
  const int left = in.page.marginLeft;
  const int top = (item.line + in.page.marginTop) * ch;

  ItemPlacement p;
  switch (item.kind) {
    case kItemText:
      p.y = top;
      if (base7 || parents8) {
        p.x = (TextColumnOf(g, G) + left) * cw;
      } else {
        p.x = (TextColumnOf(g, G) + shift + left) * cw + half * m;
      }
      break;
    case kItemConnector: {
      const bool towardsParents = item.source == kTowardsParents;
      int column;
      if (towardsParents) {
        column =
            parents8 ? LineColumnOf(kConnectingColumn, G) : TextColumnOf(g, G) + o.width + shift;
      } else if (base7) {
        column = LineColumnOf(0, G);
      } else {
        column = LineColumnOf(g, G) + shift - (parents8 ? 2 : 0);
      }
      p.x = (column + left) * cw + half * m;
      if (!towardsParents || parents8) {
        if (towardsParents || base7) p.x -= half;
      } else {
        p.x += half;
      }
      p.y = top - ch / 2;
      p.length = RuleLength(o, g) * cw;
      break;
    }
    case kItemVertical:
      p.x = (LineColumnOf(g, G) + shift + left) * cw + half * m;
      p.y = top - ch / 2;
      p.length = ch;  // segments of consecutive lines meet exactly, also for odd cells
      break;
    default:
      break;
  }
  return p;
}

int DrawBirthBrief(const BirthBriefDrawInput& in, DrawSurface& surface, int cw, int ch,
                   int /*page*/, int screen) {
  if (in.tables == nullptr || in.items == nullptr) return 0;
  const BirthBriefPage& page = in.page;
  const bool paper = screen == 0;
  if (paper && page.pageColumns - page.marginLeft - page.marginRight < 6 * in.options.width + 34)
    return kMsgPaperTooSmall;

  surface.SetTextColour(kBlack);
  surface.SetBackground(Background::kTransparent, kWhite);
  surface.SetPen(
      {RulePenWidth(in.lineWidth, ch, in.printerLineHeight, screen), PenStyle::kSolid, kBlack});

  for (const BirthBriefItem& item : *in.items) {
    const ItemPlacement p = PlaceBirthBriefItem(in, item, cw, ch);
    const std::string_view text = ItemText(*in.tables, item);
    if (paper) {
      const int line = item.line + page.marginTop;
      if (line < 1 || line > page.pageLines) return kMsgPaperTooSmall;
      if (item.kind == kItemText &&
          (p.x < cw || p.x + int(text.size()) * cw > page.pageColumns * cw))
        return kMsgPaperTooSmall;
    }
    switch (item.kind) {
      case kItemText:
        if (!text.empty()) surface.Text(p.x, p.y, text);
        break;
      case kItemConnector:
        surface.HorizontalRule(p.x, p.x + p.length, p.y);
        break;
      case kItemVertical:
        surface.VerticalRule(p.x, p.y, p.y + p.length);
        break;
      default:
        break;
    }
  }
  return 0;
}

}  // namespace dv
