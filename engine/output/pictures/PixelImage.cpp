#include "output/pictures/PixelImage.h"

#include <algorithm>

namespace dv {

bool PictureSizeAccepted(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

PictureSize FitPicture(int pw, int ph, int bw, int bh, bool keepSmaller) {
  if (pw <= 0 || ph <= 0 || bw <= 0 || bh <= 0) return {0, 0};
  PictureSize s;
  // Height limits when ph / bh >= pw / bw, i.e. ph * bw >= pw * bh.
  if (std::int64_t(ph) * bw >= std::int64_t(pw) * bh) {
    if (keepSmaller && ph <= bh) return {pw, ph};
    s.height = bh;
    s.width = int(std::int64_t(pw) * bh / ph);
  } else {
    if (keepSmaller && pw <= bw) return {pw, ph};
    s.width = bw;
    s.height = int(std::int64_t(ph) * bw / pw);
  }
  s.width = std::clamp(s.width, 1, bw);
  s.height = std::clamp(s.height, 1, bh);
  return s;
}

int JpegScaleDenominator(int pw, int ph, int bw, int bh) {
  if (pw <= 0 || ph <= 0 || bw <= 0 || bh <= 0) return 1;
  const bool heightLimits = std::int64_t(ph) * bw >= std::int64_t(pw) * bh;
  const std::int64_t side = heightLimits ? ph : pw;
  const std::int64_t box = heightLimits ? bh : bw;
  for (int d : {8, 4, 2})
    if (side >= d * box) return d;
  return 1;
}

PixelImage ScalePixels(const PixelImage& src, int width, int height) {
  PixelImage out;
  if (src.empty() || width <= 0 || height <= 0 || !PictureSizeAccepted(width, height)) return out;
  out.width = width;
  out.height = height;
  out.pixels.resize(std::size_t(width) * std::size_t(height));
  if (width == src.width && height == src.height) {
    out.pixels = src.pixels;
    return out;
  }
  for (int y = 0; y < height; ++y) {
    // Source rows y0..y1 (exclusive) cover target row y.
    const int y0 = int(std::int64_t(y) * src.height / height);
    const int y1 = std::max(y0 + 1, int(std::int64_t(y + 1) * src.height / height));
    for (int x = 0; x < width; ++x) {
      const int x0 = int(std::int64_t(x) * src.width / width);
      const int x1 = std::max(x0 + 1, int(std::int64_t(x + 1) * src.width / width));
      std::uint64_t r = 0, g = 0, b = 0, n = 0;
      for (int sy = y0; sy < y1; ++sy)
        for (int sx = x0; sx < x1; ++sx) {
          const std::uint32_t p = src.at(sx, sy);
          r += (p >> 16) & 0xFF;
          g += (p >> 8) & 0xFF;
          b += p & 0xFF;
          ++n;
        }
      out.pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
          std::uint32_t(((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 | ((b + n / 2) / n));
    }
  }
  return out;
}

}  // namespace dv
