#pragma once
// The drawing surface on a Windows device context: the window, the printer,
// an enhanced metafile or a memory bitmap. The chart's draw routine draws
// through it; the caller owns the device context and has set its mapping,
// origin and clipping. Everything the surface creates or selects is
// released, and the context's state restored, when it is destroyed.

#include <windows.h>

#include <cstdint>
#include <span>

#include "output/DrawSurface.h"
#include "output/GdiGuards.h"

namespace dv::win {

// The font record as the LOGFONTA it is an image of.
LOGFONTA ToLogFont(const FontRecord& font);

class GdiSurface final : public DrawSurface {
 public:
  explicit GdiSurface(HDC dc);
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  HDC dc() const { return dc_; }

  FontMetrics SelectFont(const FontRecord& font) override;
  const FontRecord& CurrentFont() const override { return font_; }
  TextSize MeasureText(std::string_view text) override;
  void SetTextColour(Colour colour) override;
  void SetBackground(Background mode, Colour colour) override;
  void SetPen(const Pen& pen) override;
  void SetOrigin(int x, int y) override;
  void Text(int x, int y, std::string_view text) override;
  void HorizontalRule(int x1, int x2, int y) override;
  void VerticalRule(int x, int y1, int y2) override;
  void FrameBox(int left, int top, int right, int bottom) override;
  void FillBox(int left, int top, int right, int bottom, Colour colour) override;
  void Picture(int left, int top, int right, int bottom, const PixelImage& image,
               std::string_view name) override;

 private:
  HDC dc_;
  SavedDc saved_;  // restored after the guards below have put their objects back
  FontRecord font_{};
  GdiObject<HFONT> fontObject_;
  SelectGuard fontSelection_;
  GdiObject<HPEN> penObject_;
  SelectGuard penSelection_;
};

// A 24-bit device-independent bitmap selected into its own memory context,
// rows bottom-up (the layout the PNG strip writer takes), filled white.
class Dib24 {
 public:
  Dib24(HDC compatibleWith, int width, int height);
  Dib24(const Dib24&) = delete;
  Dib24& operator=(const Dib24&) = delete;

  bool ok() const { return bits_ != nullptr; }
  HDC dc() const { return memory_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // The pixels: height rows of RowBytes(width), the bottom row first.
  std::span<const std::uint8_t> bits() const;
  Colour PixelAt(int x, int y) const;  // (0, 0) is the top-left pixel

 private:
  int width_;
  int height_;
  MemoryDc memory_;
  GdiObject<HBITMAP> bitmap_;
  SelectGuard selection_;
  void* bits_ = nullptr;
};

}  // namespace dv::win
