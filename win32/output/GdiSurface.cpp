#include "output/GdiSurface.h"

#include <algorithm>
#include <cstring>

#include "output/PngStripWriter.h"
#include "output/pictures/PixelImage.h"

namespace dv::win {

static_assert(sizeof(LOGFONTA) == sizeof(FontRecord{}.bytes), "a font record is a LOGFONTA");

LOGFONTA ToLogFont(const FontRecord& font) {
  LOGFONTA lf;
  std::memcpy(&lf, font.bytes.data(), sizeof lf);
  lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  return lf;
}

GdiSurface::GdiSurface(HDC dc) : dc_(dc), saved_(dc) {
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  SetBkMode(dc_, TRANSPARENT);
}

GdiSurface::~GdiSurface() {
  // Deselect before the objects are deleted (members go in reverse order:
  // the selections are restored first, then the objects deleted).
  penSelection_.Restore();
  fontSelection_.Restore();
}

FontMetrics GdiSurface::SelectFont(const FontRecord& font) {
  font_ = font;
  LOGFONTA lf = ToLogFont(font);
  GdiObject<HFONT> made(CreateFontIndirectA(&lf));
  FontMetrics m;
  if (!made) return m;
  fontSelection_.Restore();
  fontSelection_ = SelectGuard(dc_, made.get());
  fontObject_ = std::move(made);
  TEXTMETRICA tm{};
  if (GetTextMetricsA(dc_, &tm)) {
    m.height = tm.tmHeight;
    m.externalLeading = tm.tmExternalLeading;
    m.averageCharWidth = tm.tmAveCharWidth;
    m.maxCharWidth = tm.tmMaxCharWidth;
    // The flag is named for the opposite: set means a variable pitch.
    m.fixedPitch = (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
  }
  return m;
}

TextSize GdiSurface::MeasureText(std::string_view text) {
  SIZE size{};
  GetTextExtentPoint32A(dc_, text.data(), int(text.size()), &size);
  return {int(size.cx), int(size.cy)};
}

void GdiSurface::SetTextColour(Colour colour) { SetTextColor(dc_, colour); }

void GdiSurface::SetBackground(Background mode, Colour colour) {
  SetBkMode(dc_, mode == Background::kOpaque ? OPAQUE : TRANSPARENT);
  SetBkColor(dc_, colour);
}

void GdiSurface::SetPen(const Pen& pen) {
  HPEN made = nullptr;
  if (pen.style == PenStyle::kSolid) {
    // A geometric pen with flat ends: a rule ends where it is told to,
    // whatever its width.
    LOGBRUSH brush{BS_SOLID, pen.colour, 0};
    made = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER,
                        DWORD(std::max(1, pen.width)), &brush, 0, nullptr);
  } else {
    made = CreatePen(int(pen.style), std::max(0, pen.width), pen.colour);
  }
  if (!made) return;
  penSelection_.Restore();
  penSelection_ = SelectGuard(dc_, made);
  penObject_.Reset(made);
}

void GdiSurface::SetOrigin(int x, int y) { SetWindowOrgEx(dc_, x, y, nullptr); }

void GdiSurface::Text(int x, int y, std::string_view text) {
  TextOutA(dc_, x, y, text.data(), int(text.size()));
}

void GdiSurface::HorizontalRule(int x1, int x2, int y) {
  MoveToEx(dc_, x1, y, nullptr);
  LineTo(dc_, x2, y);
}

void GdiSurface::VerticalRule(int x, int y1, int y2) {
  MoveToEx(dc_, x, y1, nullptr);
  LineTo(dc_, x, y2);
}

void GdiSurface::FrameBox(int left, int top, int right, int bottom) {
  POINT corners[5] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
  BeginPath(dc_);
  Polyline(dc_, corners, 5);
  CloseFigure(dc_);
  EndPath(dc_);
  StrokePath(dc_);
}

void GdiSurface::FillBox(int left, int top, int right, int bottom, Colour colour) {
  GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  RECT r{left, top, right, bottom};
  FillRect(dc_, &r, brush.get());
}

// The picture's 0x00RRGGBB pixels are a top-down 32-bit DIB as they stand
// (bytes blue, green, red, 0): copied to the device in one call, at the
// picture's own size, on the screen, a printer, a metafile or a strip.
void GdiSurface::Picture(int left, int top, int, int, const PixelImage& image, std::string_view) {
  if (image.empty()) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(dc_, left, top, image.width, image.height, 0, 0, image.width, image.height,
                image.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

Dib24::Dib24(HDC compatibleWith, int width, int height)
    : width_(width), height_(height), memory_(compatibleWith) {
  if (!memory_ || width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: rows bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(memory_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) return;
  selection_ = SelectGuard(memory_.get(), bitmap_.get());
  bits_ = bits;
  std::memset(bits_, 0xFF, PngStripWriter::RowBytes(width) * std::size_t(height));
}

std::span<const std::uint8_t> Dib24::bits() const {
  if (!bits_) return {};
  GdiFlush();
  return {static_cast<const std::uint8_t*>(bits_), PngStripWriter::RowBytes(width_) * std::size_t(height_)};
}

Colour Dib24::PixelAt(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return kWhite;
  GdiFlush();
  const auto* row = static_cast<const std::uint8_t*>(bits_) +
                    std::size_t(height_ - 1 - y) * PngStripWriter::RowBytes(width_);
  return Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
}

}  // namespace dv::win
