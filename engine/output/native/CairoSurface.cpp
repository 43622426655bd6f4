#include "output/native/CairoSurface.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "output/PngStripWriter.h"
#include "output/pictures/PixelImage.h"

namespace dv {

namespace {

// Code page 1252's 0x80-0x9F as Unicode (0 for the five unused codes).
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The dash pattern of a pen style in device pixels (on, off, on, off ...),
// the lengths the Windows cosmetic pens use.
std::span<const int> DashPattern(PenStyle style) {
  static constexpr int kDash[] = {18, 6};
  static constexpr int kDot[] = {3, 3};
  static constexpr int kDashDot[] = {9, 6, 3, 6};
  static constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
  switch (style) {
    case PenStyle::kDash: return kDash;
    case PenStyle::kDot: return kDot;
    case PenStyle::kDashDot: return kDashDot;
    case PenStyle::kDashDotDot: return kDashDotDot;
    case PenStyle::kSolid: break;
  }
  return {};
}

void SetSourceColour(cairo_t* cr, Colour c) {
  cairo_set_source_rgb(cr, RedOf(c) / 255.0, GreenOf(c) / 255.0, BlueOf(c) / 255.0);
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    char32_t u = c;
    if (c >= 0x80 && c < 0xA0) u = kCp1252High[c - 0x80] ? kCp1252High[c - 0x80] : u'?';
    if (u < 0x80) {
      out += char(u);
    } else if (u < 0x800) {
      out += char(0xC0 | (u >> 6));
      out += char(0x80 | (u & 0x3F));
    } else {
      out += char(0xE0 | (u >> 12));
      out += char(0x80 | ((u >> 6) & 0x3F));
      out += char(0x80 | (u & 0x3F));
    }
  }
  return out;
}

std::string CairoSurface::FaceFor(std::string_view face) {
  if (face == "Courier New" || face == "Courier" || face.empty()) return "Liberation Mono";
  if (face == "Arial") return "Liberation Sans";
  if (face == "Times New Roman") return "Liberation Serif";
  return std::string(face);
}

CairoSurface::CairoSurface(int width, int height)
    : width_(std::max(1, width)), height_(std::max(1, height)) {
  image_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_);
  if (cairo_surface_status(image_) != CAIRO_STATUS_SUCCESS) return;
  cr_ = cairo_create(image_);
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(cr_);
    cr_ = nullptr;
    return;
  }
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
  Fill(0, 0, width_, height_, kWhite);
  FontRecord courier;
  courier.bytes[0] = 12;
  SelectFont(courier);
}

CairoSurface::~CairoSurface() {
  if (scaled_) cairo_scaled_font_destroy(scaled_);
  if (cr_) cairo_destroy(cr_);
  if (image_) cairo_surface_destroy(image_);
}

FontMetrics CairoSurface::SelectFont(const FontRecord& font) {
  font_ = font;
  if (!cr_) return metrics_;
  FontFields fields = FontFieldsOf(font);
  std::string face = FaceFor(fields.face);
  cairo_select_font_face(cr_, face.c_str(),
                         fields.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         fields.weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  // The face's proportions, measured large so hinting does not distort them.
  constexpr double kProbe = 1000.0;
  cairo_set_font_size(cr_, kProbe);
  cairo_font_extents_t probe;
  cairo_font_extents(cr_, &probe);
  cairo_text_extents_t x;
  cairo_text_extents(cr_, "x", &x);
  double lineRatio = (probe.ascent + probe.descent) / kProbe;
  double advanceRatio = x.x_advance / kProbe;
  if (lineRatio <= 0) lineRatio = 1;
  if (advanceRatio <= 0) advanceRatio = 0.6;

  // A negative height is the character (em) height, a positive one the cell
  // height; a width is the average character width.
  int requested = fields.height != 0 ? fields.height : 12;
  double em = requested < 0 ? -requested : requested / lineRatio;
  double sx = fields.width > 0 ? fields.width / advanceRatio : em;
  cairo_matrix_t m;
  cairo_matrix_init(&m, sx, 0, 0, em, 0, 0);
  cairo_set_font_matrix(cr_, &m);
  if (scaled_) cairo_scaled_font_destroy(scaled_);
  scaled_ = cairo_scaled_font_reference(cairo_get_scaled_font(cr_));

  double ascentRatio = probe.ascent / (probe.ascent + probe.descent);
  FontMetrics out;
  if (requested > 0) {
    out.height = requested;
  } else {
    out.height = int(std::lround(em * lineRatio));
  }
  ascent_ = int(std::lround(out.height * ascentRatio));
  cairo_text_extents_t t;
  cairo_text_extents(cr_, "x", &t);
  out.averageCharWidth = int(std::lround(t.x_advance));
  cairo_text_extents_t i, w;
  cairo_text_extents(cr_, "i", &i);
  cairo_text_extents(cr_, "W", &w);
  out.fixedPitch = std::lround(i.x_advance) == std::lround(w.x_advance);
  cairo_font_extents_t fe;
  cairo_font_extents(cr_, &fe);
  out.maxCharWidth = std::max(out.averageCharWidth, int(std::lround(fe.max_x_advance)));
  out.externalLeading = 0;
  metrics_ = out;
  return out;
}

TextSize CairoSurface::MeasureText(std::string_view text) {
  if (!cr_) return {};
  std::string utf8 = Cp1252ToUtf8(text);
  cairo_text_extents_t e;
  cairo_text_extents(cr_, utf8.c_str(), &e);
  return {int(std::lround(e.x_advance)), metrics_.height};
}

void CairoSurface::Text(int x, int y, std::string_view text) {
  if (!cr_ || text.empty()) return;
  x -= originX_;
  y -= originY_;
  if (background_ == Background::kOpaque) {
    TextSize size = MeasureText(text);
    Fill(x, y, x + size.width, y + size.height, backgroundColour_);
  }
  std::string utf8 = Cp1252ToUtf8(text);
  SetSourceColour(cr_, textColour_);
  cairo_move_to(cr_, x, y + ascent_);
  cairo_show_text(cr_, utf8.c_str());
  cairo_new_path(cr_);
}

void CairoSurface::Fill(int left, int top, int right, int bottom, Colour colour) {
  if (!image_) return;
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right || top >= bottom) return;
  cairo_surface_flush(image_);
  unsigned char* data = cairo_image_surface_get_data(image_);
  int stride = cairo_image_surface_get_stride(image_);
  std::uint32_t pixel = (std::uint32_t(RedOf(colour)) << 16) | (std::uint32_t(GreenOf(colour)) << 8) |
                        std::uint32_t(BlueOf(colour));
  for (int y = top; y < bottom; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + std::size_t(y) * stride);
    std::fill(row + left, row + right, pixel);
  }
  cairo_surface_mark_dirty(image_);
}

void CairoSurface::Rule(bool horizontal, int from, int to, int at) {
  if (from > to) std::swap(from, to);
  int width = std::max(1, pen_.width);
  int near = at - width / 2;
  int far = near + width;
  auto segment = [&](int a, int b) {
    if (horizontal) {
      Fill(a - originX_, near - originY_, b - originX_, far - originY_, pen_.colour);
    } else {
      Fill(near - originX_, a - originY_, far - originX_, b - originY_, pen_.colour);
    }
  };
  std::span<const int> pattern = DashPattern(pen_.style);
  if (pattern.empty()) {
    segment(from, to);
    return;
  }
  std::size_t k = 0;
  for (int p = from; p < to; p += pattern[k], k = (k + 1) % pattern.size()) {
    if (k % 2 == 0) segment(p, std::min(to, p + pattern[k]));
  }
}

void CairoSurface::HorizontalRule(int x1, int x2, int y) { Rule(true, x1, x2, y); }

void CairoSurface::VerticalRule(int x, int y1, int y2) { Rule(false, y1, y2, x); }

void CairoSurface::FrameBox(int left, int top, int right, int bottom) {
  Rule(true, left, right, top);
  Rule(true, left, right, bottom);
  Rule(false, top, bottom, left);
  Rule(false, top, bottom, right);
}

void CairoSurface::FillBox(int left, int top, int right, int bottom, Colour colour) {
  Fill(left - originX_, top - originY_, right - originX_, bottom - originY_, colour);
}

void CairoSurface::Picture(int left, int top, int, int, const PixelImage& image,
                           std::string_view) {
  if (!image_ || image.empty()) return;
  const int x0 = left - originX_, y0 = top - originY_;
  cairo_surface_flush(image_);
  unsigned char* data = cairo_image_surface_get_data(image_);
  const int stride = cairo_image_surface_get_stride(image_);
  // Both hold 0x00RRGGBB pixels: rows are copied, clipped to the image.
  const int from = std::max(0, -x0), to = std::min(image.width, width_ - x0);
  if (from >= to) return;
  for (int y = std::max(0, -y0); y < image.height && y0 + y < height_; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + std::size_t(y0 + y) * stride);
    const std::uint32_t* src = image.pixels.data() + std::size_t(y) * std::size_t(image.width);
    std::copy(src + from, src + to, row + x0 + from);
  }
  cairo_surface_mark_dirty(image_);
}

Colour CairoSurface::PixelAt(int x, int y) {
  if (!image_ || x < 0 || y < 0 || x >= width_ || y >= height_) return kWhite;
  cairo_surface_flush(image_);
  const unsigned char* data = cairo_image_surface_get_data(image_);
  int stride = cairo_image_surface_get_stride(image_);
  std::uint32_t p = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride)[x];
  return Rgb(int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF));
}

void CairoSurface::CopyToBitmapRows(std::span<std::uint8_t> out) {
  if (!image_) return;
  std::size_t rowBytes = PngStripWriter::RowBytes(width_);
  if (out.size() < rowBytes * std::size_t(height_)) return;
  cairo_surface_flush(image_);
  const unsigned char* data = cairo_image_surface_get_data(image_);
  int stride = cairo_image_surface_get_stride(image_);
  for (int y = 0; y < height_; ++y) {
    auto* src = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
    std::uint8_t* dst = out.data() + std::size_t(height_ - 1 - y) * rowBytes;
    for (int x = 0; x < width_; ++x) {
      dst[3 * x] = std::uint8_t(src[x] & 0xFF);             // blue
      dst[3 * x + 1] = std::uint8_t((src[x] >> 8) & 0xFF);  // green
      dst[3 * x + 2] = std::uint8_t((src[x] >> 16) & 0xFF); // red
    }
  }
}

}  // namespace dv
