#include "charts/full/OverlayCommands.h"

#include <commdlg.h>

#include "charts/full/FullChartState.h"
#include "charts/full/ImageOptionsDialog.h"
#include "charts/full/InsertTextDialog.h"
#include "common/StringTable.h"
#include "output/GdiGuards.h"
#include "output/GdiSurface.h"
#include "output/ShownChart.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/FileDialogs.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr int kPictureFilterString = 227;
constexpr int kSlotInsertion = 16, kSlotScaling = 17, kSlotAutoResize = 18;

OverlayState*& Instance() {
  static OverlayState* state = nullptr;
  return state;
}

dv::OverlayView ViewNow() {
  const ChartView& v = State().view;
  return {v.cellWidth, v.cellHeight, v.scrollX, v.scrollY};
}

bool FullChartShown() {
  ChartSlot slot{};
  return State().app.fullChartState >= 2 && ShownChart(&slot) && slot == ChartSlot::kFullChart;
}

bool MouseActive() {
  const AppState& app = State().app;
  return State().settings.fparam[kSlotInsertion] != 0 && FullChartShown() &&
         State().view.zoomLevel > 0 && app.windowReady == 1 && app.chartState >= 1;
}

// The band or the moved item's place, drawn by inverting its outline; a
// second call takes it away again.
void InvertOutline(HWND window, const dv::PixelRect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  ScreenDc dc(window);
  if (!dc) return;
  const RECT edges[] = {{r.left, r.top, r.right, r.top + 1},
                        {r.left, r.bottom - 1, r.right, r.bottom},
                        {r.left, r.top + 1, r.left + 1, r.bottom - 1},
                        {r.right - 1, r.top + 1, r.right, r.bottom - 1}};
  for (const RECT& e : edges) InvertRect(dc.get(), &e);
}

// The editor follows a repaint, a scroll or a zoom that reset chartState.
void Sync() {
  OverlayState& o = Overlay();
  if (State().app.chartState <= 1 && o.editor.state() > 1) o.editor.Reset();
}

void Publish(HWND window) {
  State().app.chartState = std::int16_t(Overlay().editor.state());
  (void)window;
}

// Repaints the chart with its items (which also drops any selection).
void Redraw(HWND window) {
  Publish(window);
  InvalidateRect(window, nullptr, FALSE);
}

bool DefaultChoosePicture(HWND owner) {
  const std::string filter = FilterFromString(dv::StringText(kPictureFilterString));
  auto& buffer = State().app.fileNameBuffer;
  buffer[0] = '\0';
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = DWORD(buffer.size());
  ofn.lpstrTitle = "Insert Picture";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  return GetOpenFileNameA(&ofn) != FALSE;
}

// The screen's measurements for text items.
struct ScreenMeasure {
  ScreenDc dc{nullptr};
  GdiSurface surface{dc.get()};
};

}  // namespace

// The context menu offers only what applies: inserting into a selected free
// rectangle, and deleting or editing the selected item by its kind (a
// picture has alignment 0).
void EnableContextItems(HMENU menu, const OverlayState& o) {
  const int index = o.editor.selected();
  const bool band = o.editor.state() == 2;
  const bool picture = index >= 0 && o.overlays.item(index).alignment == 0;
  const bool text = index >= 0 && !picture;
  auto enable = [menu](UINT id, bool on) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  };
  enable(IDM_CONTEXT_INSERT_IMAGE, band);
  enable(IDM_CONTEXT_INSERT_TEXT, band);
  enable(IDM_CONTEXT_DELETE_IMAGE, picture);
  enable(IDM_CONTEXT_EDIT_TEXT, text);
  enable(IDM_CONTEXT_DELETE_TEXT, text);
}

OverlayState& Overlay() {
  if (!Instance()) Instance() = new OverlayState();
  return *Instance();
}

void ResetOverlayState() {
  delete Instance();
  Instance() = nullptr;
}

void StartOverlays() {
  OverlayState& o = Overlay();
  o.editor.Reset();
  o.overlays.SetChart(dv::OverlayChartOf(Full().chart));
}

dv::OverlayContext OverlayContextNow() {
  const AppState& app = State().app;
  dv::OverlayContext c;
  c.chartFont = State().settings.fonts[dv::kChartFont];
  c.sourceFile = std::string(TextOf(app.currentSource));
  c.scaleToFit = State().settings.fparam[kSlotScaling] == 0;
  c.autoResize = State().settings.fparam[kSlotAutoResize] != 0;
  return c;
}

int DrawFullChartWithOverlays(dv::DrawSurface& surface, int cw, int ch, int page, int screen) {
  return dv::WithOverlays(Full().chart, Overlay().overlays, OverlayContextNow())(surface, cw, ch,
                                                                                 page, screen);
}

LRESULT OnOverlayMouse(HWND window, UINT message, WPARAM, LPARAM lParam) {
  if (!MouseActive()) return 0;
  Sync();
  OverlayState& o = Overlay();
  // Signed: a captured mouse can be left of or above the client area.
  const int x = short(LOWORD(lParam)), y = short(HIWORD(lParam));
  switch (message) {
    case WM_LBUTTONDOWN:
      InvertOutline(window, o.editor.band());
      o.editor.LeftDown(x, y, ViewNow());
      if (o.editor.state() >= 3) {
        SetCapture(window);
        SetCursor(LoadCursorA(nullptr, o.editor.state() == 3   ? IDC_CROSS
                                       : o.editor.state() == 8 ? IDC_SIZEALL
                                       : o.editor.state() <= 5 ? IDC_SIZENWSE
                                                               : IDC_SIZENESW));
        InvertOutline(window, o.editor.band());
      }
      break;
    case WM_MOUSEMOVE:
      if (o.editor.state() >= 3 && o.editor.state() <= 8) {
        const dv::PixelRect before = o.editor.band();
        o.editor.Move(x, y);
        const dv::PixelRect after = o.editor.band();
        if (!(before == after)) {
          InvertOutline(window, before);
          InvertOutline(window, after);
        }
        if (o.editor.state() == 1) Redraw(window);  // a move that ran into something ended
      }
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == window) ReleaseCapture();
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_OVERLAY_END, 0), 0);
      return 0;
    case WM_RBUTTONDOWN: {
      if (!o.editor.RightClick(x, y, ViewNow())) break;
      Publish(window);
      HMENU menu = State().ui.contextMenu;
      if (menu) {
        EnableContextItems(menu, o);
        State().app.windowReady = 2;
        POINT p{x, y};
        ClientToScreen(window, &p);
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, window, nullptr);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_CONTEXT_CLOSED, 0), 0);
      }
      return 0;
    }
  }
  Publish(window);
  return 0;
}

void OnOverlayEnd(HWND window, WPARAM, LPARAM) {
  Sync();
  OverlayState& o = Overlay();
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  const int before = o.editor.state();
  if (before < 3) return;
  const dv::PixelRect band = o.editor.band();
  ScreenMeasure measure;
  o.editor.End(measure.surface, OverlayContextNow());
  if (o.editor.state() == 2) {
    Publish(window);  // the band stays on screen, selected
    return;
  }
  InvertOutline(window, band);
  Redraw(window);
}

void OnContextClosed(HWND, WPARAM, LPARAM) {
  if (State().app.windowReady == 2) State().app.windowReady = 1;
}

void OnInsertImage(HWND window, WPARAM, LPARAM) {
  Sync();
  OverlayState& o = Overlay();
  if (o.editor.state() != 2) return;
  InvertOutline(window, o.editor.band());
  const bool chosen = o.choosePicture ? o.choosePicture(window) : DefaultChoosePicture(window);
  if (!chosen) {
    o.editor.Reset();
    Redraw(window);
    return;
  }
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  EnableWindow(window, FALSE);
  ScreenMeasure measure;
  const int index = o.editor.Insert(std::string(TextOf(State().app.fileNameBuffer)),
                                    dv::kOverlayPicture, dv::FontRecord{}, measure.surface,
                                    OverlayContextNow());
  EnableWindow(window, TRUE);
  SetCursor(previous);
  if (index >= 0 && o.overlays.item(index).loadStatus != 0)
    showMessage(window, o.overlays.item(index).loadStatus, false,
                o.overlays.item(index).loadDetail);
  Redraw(window);
}

void OnInsertText(HWND window, WPARAM, LPARAM) {
  Sync();
  OverlayState& o = Overlay();
  if (o.editor.state() != 2) return;
  InvertOutline(window, o.editor.band());
  OverlayTextRecord record;
  if (RunInsertTextDialog(window, record)) {
    ScreenMeasure measure;
    o.editor.Insert(record.text, record.alignment, State().settings.fonts[dv::kFont4],
                    measure.surface, OverlayContextNow());
  } else {
    o.editor.Reset();
  }
  Redraw(window);
}

void OnEditText(HWND window, WPARAM, LPARAM) {
  OverlayState& o = Overlay();
  const int index = o.editor.selected();
  if (index < 0 || index >= o.overlays.count() || !o.overlays.item(index).isText()) return;
  OverlayTextRecord record{o.overlays.item(index).content, o.overlays.item(index).alignment};
  if (RunInsertTextDialog(window, record)) {
    ScreenMeasure measure;
    o.editor.EditText(record.text, record.alignment, measure.surface, OverlayContextNow());
  }
  o.editor.Reset();
  Redraw(window);
}

void OnDeleteItem(HWND window, WPARAM, LPARAM) {
  OverlayState& o = Overlay();
  if (o.editor.selected() < 0) return;
  o.editor.DeleteSelected();
  Redraw(window);
}

void OnOverlayRefit(HWND window, WPARAM, LPARAM) {
  OverlayState& o = Overlay();
  const ChartView& v = State().view;
  if (v.cellWidth <= 0 || v.cellHeight <= 0) return;
  ScreenMeasure measure;
  const dv::OverlayContext context = OverlayContextNow();
  for (int i = 0; i < o.overlays.count(); ++i)
    dv::RenderItem(o.overlays, i, measure.surface, v.cellWidth, v.cellHeight, context, false);
  o.editor.Reset();
  Redraw(window);
}

void RunOverlayImageOptions(HWND window) {
  dv::Settings& settings = State().settings;
  ImageOptions options = ImageOptions::FromSettings(settings);
  const int scaling = options.scaling;
  if (!RunImageOptionsDialog(window, options)) return;
  options.ToSettings(settings);
  if (options.scaling != scaling && FullChartShown())
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_OVERLAY_REFIT, 0), 0);
}

}  // namespace dv::win
