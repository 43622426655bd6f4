#pragma once
// The drawing surface of the command-line tool and the native tests: draws
// into an RGB image with cairo, text through fontconfig and FreeType in a
// metric-compatible face ("Courier New" is drawn in Liberation Mono, "Arial"
// in Liberation Sans, "Times New Roman" in Liberation Serif), without
// anti-aliasing so that the pixels are stable. Built natively only.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "output/DrawSurface.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo_scaled_font cairo_scaled_font_t;

namespace dv {

class CairoSurface final : public DrawSurface {
 public:
  // A white image of width x height pixels.
  CairoSurface(int width, int height);
  ~CairoSurface() override;
  CairoSurface(const CairoSurface&) = delete;
  CairoSurface& operator=(const CairoSurface&) = delete;

  bool ok() const { return cr_ != nullptr; }
  int width() const { return width_; }
  int height() const { return height_; }

  // The colour of pixel (x, y) of the image (not moved by the origin).
  Colour PixelAt(int x, int y);
  // Copies the image into bitmap rows: bottom-up, blue-green-red, each row
  // of PngStripWriter::RowBytes(width) bytes (the layout the PNG strip
  // writer takes). out must hold height rows.
  void CopyToBitmapRows(std::span<std::uint8_t> out);

  // The face a font record's face name is drawn in.
  static std::string FaceFor(std::string_view face);

  FontMetrics SelectFont(const FontRecord& font) override;
  const FontRecord& CurrentFont() const override { return font_; }
  TextSize MeasureText(std::string_view text) override;
  void SetTextColour(Colour colour) override { textColour_ = colour; }
  void SetBackground(Background mode, Colour colour) override {
    background_ = mode;
    backgroundColour_ = colour;
  }
  void SetPen(const Pen& pen) override { pen_ = pen; }
  void SetOrigin(int x, int y) override {
    originX_ = x;
    originY_ = y;
  }
  void Text(int x, int y, std::string_view text) override;
  void HorizontalRule(int x1, int x2, int y) override;
  void VerticalRule(int x, int y1, int y2) override;
  void FrameBox(int left, int top, int right, int bottom) override;
  void FillBox(int left, int top, int right, int bottom, Colour colour) override;
  void Picture(int left, int top, int right, int bottom, const PixelImage& image,
               std::string_view name) override;

 private:
  void Fill(int left, int top, int right, int bottom, Colour colour);  // image pixels
  // A rule along one axis in the current pen, dashed as its style says.
  void Rule(bool horizontal, int from, int to, int at);

  int width_;
  int height_;
  cairo_surface_t* image_ = nullptr;
  cairo_t* cr_ = nullptr;
  cairo_scaled_font_t* scaled_ = nullptr;
  FontRecord font_{};
  FontMetrics metrics_{};
  int ascent_ = 0;
  Colour textColour_ = kBlack;
  Background background_ = Background::kTransparent;
  Colour backgroundColour_ = kWhite;
  Pen pen_{};
  int originX_ = 0;
  int originY_ = 0;
};

// Text of code page 1252 as UTF-8.
std::string Cp1252ToUtf8(std::string_view text);

}  // namespace dv
