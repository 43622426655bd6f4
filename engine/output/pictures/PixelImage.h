#pragma once
// A decoded picture in memory and the two sizes it is drawn at: the fitted
// size inside an item's box, and the pixels scaled to that size.

#include <cstdint>
#include <vector>

namespace dv {

// Pixels top-down, each 0x00RRGGBB: the byte order blue, green, red, 0 of a
// 32-bit device-independent bitmap and of cairo's RGB24 surfaces alike.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  bool empty() const { return width <= 0 || height <= 0; }
  std::uint32_t at(int x, int y) const {
    return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
  }
};

// The largest picture accepted, decoded: 16,777,216 pixels (4096 x 4096,
// 64 MB at four bytes a pixel) and at most 32,767 pixels on a side. A JPEG
// is measured after the decoder's scaling.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t(1) << 24;
inline constexpr int kMaxPictureSide = 32767;

// True when width x height (computed in 64 bits) is within the caps.
bool PictureSizeAccepted(std::int64_t width, std::int64_t height);

struct PictureSize {
  int width = 0;
  int height = 0;
};

// Fits a picture of pictureWidth x pictureHeight into a box keeping its
// proportions. The limiting side is chosen by cross-multiplication
// (pictureHeight x boxWidth against pictureWidth x boxHeight) so the result
// never exceeds the box; with keepSmaller a picture smaller than the box in
// the limiting direction keeps its natural size. Never less than 1 x 1.
PictureSize FitPicture(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight,
                       bool keepSmaller);

// The JPEG decoder's scale for a box: 8, 4 or 2 when the picture's limiting
// side is at least that many times the box's, else 1.
int JpegScaleDenominator(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);

// The picture stretched or shrunk to width x height: each target pixel is
// the average of the source pixels it covers (the nearest one when
// enlarging). An empty image for an empty source or size.
PixelImage ScalePixels(const PixelImage& source, int width, int height);

}  // namespace dv
