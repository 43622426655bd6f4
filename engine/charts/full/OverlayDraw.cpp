#include "charts/full/OverlayDraw.h"

#include <algorithm>

#include "charts/full/FullChart.h"
#include "charts/full/OverlayText.h"
#include "output/CellDump.h"
#include "output/pictures/PictureLoad.h"

namespace dv {

namespace {

int CeilDiv(int a, int b) { return b > 0 ? (a + b - 1) / b : a; }

// Loads item's picture fitted into a box of w x h pixels.
int LoadInto(const OverlayItem& item, int w, int h, const OverlayContext& context, bool resize,
             PixelImage& out, std::string& detail) {
  out = PixelImage{};
  const std::string path = ResolvePicturePath(item.content, context.sourceFile);
  if (path.empty()) {
    detail = item.content;
    return kMsgPicCannotOpen;
  }
  PictureFit fit;
  fit.boxWidth = w;
  fit.boxHeight = h;
  fit.scaleToFit = context.scaleToFit;
  fit.mayStaySmaller = resize;
  const int rc = LoadFittedPicture(path, fit, out, detail);
  return rc == -1 ? 0 : rc;  // an extension not read: nothing shown, nothing said
}

// Draws a text item with its top-left pixel at (x, y).
void DrawText(Overlays& overlays, int index, DrawSurface& s, int x, int y, int cw, int ch,
              const OverlayContext& context) {
  const OverlayItem& item = overlays.item(index);
  const FontRecord previous = s.CurrentFont();
  s.SelectFont(OverlayFontAt(item.font, context.chartFont, ch));
  // Laid out without resizing: drawing never moves an item.
  const TextLayout t = LayoutTextItem(overlays, index, s, cw, ch, false);
  s.FillBox(x, y, x + t.width, y + t.height, kWhite);
  s.SetTextColour(kBlack);
  for (std::size_t k = 0; k < t.lines.size(); ++k) {
    if (k > 0 && int(k + 1) * t.lineHeight > t.height) break;
    const std::string& line = t.lines[k];
    const int lx = item.alignment == kOverlayCentre
                       ? x + std::max(0, (t.width - s.MeasureText(line).width) / 2)
                       : x + t.unit;
    s.Text(lx, y + int(k) * t.lineHeight, line);
  }
  s.SelectFont(previous);
}

void DrawPicture(OverlayItem& item, DrawSurface& s, int x, int y, int cw, int ch,
                 const OverlayContext& context, bool paper) {
  const int w = item.rect.width() * cw, h = item.rect.height() * ch;
  if (paper) {
    // Rendered afresh at the printer's cell size, leaving the screen's copy.
    PixelImage picture;
    std::string detail;
    LoadInto(item, w, h, context, false, picture, detail);
    if (!picture.empty()) s.Picture(x, y, x + w, y + h, picture, item.content);
    return;
  }
  if (item.renderedWidth != cw || item.renderedHeight != ch) {
    item.loadStatus = LoadInto(item, w, h, context, false, item.picture, item.loadDetail);
    item.renderedWidth = cw;
    item.renderedHeight = ch;
  }
  if (!item.picture.empty()) s.Picture(x, y, x + w, y + h, item.picture, item.content);
}

}  // namespace

int RenderItem(Overlays& overlays, int index, DrawSurface& measure, int cw, int ch,
               const OverlayContext& context, bool resize) {
  if (index < 0 || index >= overlays.count() || cw <= 0 || ch <= 0) return 0;
  OverlayItem& item = overlays.item(index);
  if (item.isText()) {
    const FontRecord previous = measure.CurrentFont();
    measure.SelectFont(OverlayFontAt(item.font, context.chartFont, ch));
    LayoutTextItem(overlays, index, measure, cw, ch, resize && context.autoResize);
    measure.SelectFont(previous);
    return 0;
  }
  const int w = item.rect.width() * cw, h = item.rect.height() * ch;
  item.loadStatus = LoadInto(item, w, h, context, resize, item.picture, item.loadDetail);
  item.renderedWidth = cw;
  item.renderedHeight = ch;
  if (resize && !item.picture.empty()) {
    const CellRect fitted{item.rect.left, item.rect.top,
                          item.rect.left + std::max(1, CeilDiv(item.picture.width, cw)),
                          item.rect.top + std::max(1, CeilDiv(item.picture.height, ch))};
    // The fitted picture is never larger than its box, so its cells are free.
    if (fitted != item.rect && fitted.right <= item.rect.right && fitted.bottom <= item.rect.bottom) {
      item.rect = fitted;
      overlays.RebuildObstacles();
    }
  }
  return item.loadStatus;
}

void DrawOverlays(Overlays& overlays, DrawSurface& s, int cw, int ch, int page, int screen,
                  const OverlayContext& context) {
  const OverlayChart& c = overlays.chart();
  for (int i = 0; i < overlays.count(); ++i) {
    OverlayItem& item = overlays.item(i);
    int x = 0, y = 0;
    if (page > 0) {
      const int itemPage =
          (item.rect.top / c.usableLines) * c.pagesAcross + item.rect.left / c.usableColumns + 1;
      if (itemPage != page) continue;
      x = ((item.rect.left % c.usableColumns) + 1 + c.marginLeft) * cw;
      y = ((item.rect.top % c.usableLines) + 1 + c.marginTop) * ch;
    } else {
      x = (item.rect.left + 1) * cw;
      y = (item.rect.top + 1) * ch;
    }
    if (item.isText())
      DrawText(overlays, i, s, x, y, cw, ch, context);
    else
      DrawPicture(item, s, x, y, cw, ch, context, page > 0 && screen == 0);
  }
}

DrawRoutine WithOverlays(const FullChart& chart, Overlays& overlays, const OverlayContext& context) {
  return [&chart, &overlays, context](DrawSurface& s, int cw, int ch, int page, int screen) {
    const int rc = chart.Draw(s, cw, ch, page, screen);
    if (rc == 0) DrawOverlays(overlays, s, cw, ch, page, screen, context);
    return rc;
  };
}

std::string DumpWithOverlays(const FullChart& chart, Overlays& overlays,
                             const OverlayContext& context, int& status) {
  status = 0;
  std::string out;
  const DrawRoutine draw = WithOverlays(chart, overlays, context);
  for (const PageListEntry& p : chart.Composed().pageList) {
    CellRecorder recorder;
    status = draw(recorder, recorder.cellWidth(), recorder.cellHeight(), p.page, 0);
    out += recorder.Dump(p.page);
    if (status != 0) break;
  }
  return out;
}

}  // namespace dv
