// PCX pictures, read by our own code: no maintained library offers PCX
// decoding as a call (netpbm has it only inside its conversion program).
// The layouts read are those ZSoft's format defines and painting programs
// write: 1 bit with 1 to 4 planes (2 colours, or the 16-colour header
// palette), 2 or 4 bits in one plane (header palette), 8 bits in one plane
// (the 256-colour palette after the image, else grey levels) and 8 bits in 3
// or 4 planes (red, green, blue planes; a fourth plane is ignored). The
// run-length data is decoded as one stream across lines, as encoders write
// it; data that ends early is a damaged file.

#include <array>
#include <cstring>
#include <vector>

#include "output/pictures/PictureDecode.h"

namespace dv {

namespace {

constexpr std::size_t kHeaderSize = 128;

int Le16(const std::uint8_t* p) { return p[0] | p[1] << 8; }

}  // namespace

int DecodePcx(std::span<const std::uint8_t> data, PixelImage& out, std::string& detail) {
  out = PixelImage{};
  detail.clear();
  if (data.size() < kHeaderSize || data[0] != 0x0A) {
    detail = "not a PCX file";
    return kMsgPicDamaged;
  }
  const std::uint8_t* h = data.data();
  const int encoding = h[2], bits = h[3], planes = h[65], bytesPerLine = Le16(h + 66);
  const int xmin = Le16(h + 4), ymin = Le16(h + 6), xmax = Le16(h + 8), ymax = Le16(h + 10);
  const bool supported = (bits == 1 && planes >= 1 && planes <= 4) ||
                         ((bits == 2 || bits == 4) && planes == 1) ||
                         (bits == 8 && (planes == 1 || planes == 3 || planes == 4));
  if (!supported) {
    detail = "can't handle " + std::to_string(bits) + " bits per pixel image with " +
             std::to_string(planes) + " planes";
    return kMsgPicDamaged;
  }
  if (xmax < xmin || ymax < ymin || encoding > 1) {
    detail = "bad header";
    return kMsgPicDamaged;
  }
  const int width = xmax - xmin + 1, height = ymax - ymin + 1;
  if (std::int64_t(bytesPerLine) * 8 < std::int64_t(width) * bits) {
    detail = "bytes per line too small for the width";
    return kMsgPicDamaged;
  }
  if (int rc = AllocatePicture(width, height, out, detail)) return rc;

  // The colours of 1 to 4 bit pictures: the header palette (two colours
  // black and white for a plain 1-bit picture).
  std::array<std::uint32_t, 256> palette{};
  for (int i = 0; i < 16; ++i)
    palette[std::size_t(i)] = std::uint32_t(h[16 + 3 * i]) << 16 |
                              std::uint32_t(h[17 + 3 * i]) << 8 | h[18 + 3 * i];
  if (bits == 1 && planes == 1) {
    palette[0] = 0x000000;
    palette[1] = 0xFFFFFF;
  }
  if (bits == 8 && planes == 1) {
    // The 256-colour palette: 0x0C and 768 bytes at the end of the file.
    const std::size_t n = data.size();
    const bool tail = n >= kHeaderSize + 769 && data[n - 769] == 0x0C;
    for (int i = 0; i < 256; ++i)
      palette[std::size_t(i)] =
          tail ? std::uint32_t(data[n - 768 + 3 * std::size_t(i)]) << 16 |
                     std::uint32_t(data[n - 767 + 3 * std::size_t(i)]) << 8 |
                     data[n - 766 + 3 * std::size_t(i)]
               : std::uint32_t(i) * 0x010101u;
  }

  const std::size_t lineBytes = std::size_t(bytesPerLine) * std::size_t(planes);
  std::vector<std::uint8_t> scan(lineBytes);
  std::size_t at = kHeaderSize;
  std::uint8_t runValue = 0;
  std::size_t runLeft = 0;
  for (int y = 0; y < height; ++y) {
    // One scan line: all planes one after the other.
    for (std::size_t i = 0; i < lineBytes; ++i) {
      if (encoding == 0) {
        if (at >= data.size()) return out = {}, detail = "truncated data", kMsgPicDamaged;
        scan[i] = data[at++];
        continue;
      }
      if (runLeft == 0) {
        if (at >= data.size()) return out = {}, detail = "truncated data", kMsgPicDamaged;
        const std::uint8_t b = data[at++];
        if ((b & 0xC0) == 0xC0) {
          if (at >= data.size()) return out = {}, detail = "truncated data", kMsgPicDamaged;
          runLeft = b & 0x3F;
          runValue = data[at++];
        } else {
          runLeft = 1;
          runValue = b;
        }
        if (runLeft == 0) {  // a run of none: nothing to write
          --i;
          continue;
        }
      }
      scan[i] = runValue;
      --runLeft;
    }
    std::uint32_t* dst = out.pixels.data() + std::size_t(y) * std::size_t(width);
    for (int x = 0; x < width; ++x) {
      std::uint32_t colour = 0;
      if (bits == 8 && planes >= 3) {
        colour = std::uint32_t(scan[std::size_t(x)]) << 16 |
                 std::uint32_t(scan[std::size_t(bytesPerLine + x)]) << 8 |
                 scan[std::size_t(2 * bytesPerLine + x)];
      } else if (bits == 8) {
        colour = palette[scan[std::size_t(x)]];
      } else if (bits == 1) {
        int index = 0;
        for (int p = 0; p < planes; ++p) {
          const std::uint8_t byte = scan[std::size_t(p * bytesPerLine + x / 8)];
          index |= ((byte >> (7 - x % 8)) & 1) << p;
        }
        colour = palette[std::size_t(index)];
      } else {  // 2 or 4 bits, one plane
        const int perByte = 8 / bits;
        const std::uint8_t byte = scan[std::size_t(x / perByte)];
        const int shift = 8 - bits * (x % perByte + 1);
        colour = palette[std::size_t((byte >> shift) & ((1 << bits) - 1))];
      }
      dst[x] = colour;
    }
  }
  return 0;
}

}  // namespace dv
