// BMP pictures, read by our own code (the Windows program could let the
// system load them, but the command-line tool and the tests read the same
// files natively, and one reader checks every size the same way). Read:
// the core (12-byte) and info (40, 52, 56, 108, 124-byte) headers; 1, 4 and
// 8 bits with a colour table, 16 and 32 bits plain or with bit fields, 24
// bits; run-length 8 and 4-bit data; rows bottom-up or top-down.

#include <algorithm>
#include <array>
#include <bit>

#include "output/pictures/PictureDecode.h"

namespace dv {

namespace {

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}
int Le16(const std::uint8_t* p) { return p[0] | p[1] << 8; }

// A colour channel from a bit field, scaled to 0..255.
struct Field {
  std::uint32_t mask = 0;
  int shift = 0, bits = 0;
  explicit Field(std::uint32_t m = 0) : mask(m) {
    if (!m) return;
    shift = std::countr_zero(m);
    bits = std::popcount(m >> shift);
    if (bits > 8) shift += bits - 8, bits = 8;
  }
  std::uint32_t operator()(std::uint32_t v) const {
    if (!mask) return 0;
    const std::uint32_t x = (v >> shift) & ((1u << bits) - 1);
    return bits == 8 ? x : (x * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1);
  }
};

int Bad(PixelImage& out, std::string& detail, const char* what) {
  out = PixelImage{};
  detail = what;
  return kMsgPicDamaged;
}

}  // namespace

int DecodeBmp(std::span<const std::uint8_t> data, PixelImage& out, std::string& detail) {
  out = PixelImage{};
  detail.clear();
  if (data.size() < 26 || data[0] != 'B' || data[1] != 'M') return Bad(out, detail, "not a BMP file");
  const std::uint8_t* d = data.data();
  const std::size_t size = data.size();
  const std::uint32_t offBits = Le32(d + 10), headerSize = Le32(d + 14);
  std::int64_t width = 0, height = 0;
  int bits = 0;
  std::uint32_t compression = 0, used = 0;
  std::size_t tableEntry = 4;
  if (headerSize == 12) {
    width = Le16(d + 18);
    height = std::int16_t(Le16(d + 20));
    bits = Le16(d + 24);
    tableEntry = 3;
  } else if (headerSize >= 40 && headerSize <= 124 && 14 + std::size_t(headerSize) <= size) {
    width = std::int32_t(Le32(d + 18));
    height = std::int32_t(Le32(d + 22));
    bits = Le16(d + 28);
    compression = Le32(d + 30);
    used = Le32(d + 46);
  } else {
    return Bad(out, detail, "unknown BMP header");
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0) return Bad(out, detail, "bad size");
  // Bit fields follow a 40-byte header, or sit inside a larger one.
  std::uint32_t masks[3] = {0, 0, 0};
  std::size_t tableAt = 14 + headerSize;
  if (compression == 3 || compression == 6) {
    // The three masks take the 12 bytes after the first 40 of the header:
    // inside a header of 52 bytes or more, else after it (and before the
    // colour table).
    const std::size_t masksEnd = 14 + 40 + 12;
    if (masksEnd > size) return Bad(out, detail, "truncated data");
    tableAt = std::max(tableAt, masksEnd);
    for (int k = 0; k < 3; ++k) masks[k] = Le32(d + 14 + 40 + 4 * k);
  } else if (bits == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  } else if (bits == 32) {
    masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  }
  const bool rle = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
  const bool fields = compression == 3 && (bits == 16 || bits == 32);
  const bool plain = compression == 0 &&
                     (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
  if (!rle && !fields && !plain) {
    detail = "can't handle " + std::to_string(bits) + " bits per pixel with compression " +
             std::to_string(compression);
    return kMsgPicDamaged;
  }
  if (int rc = AllocatePicture(width, height, out, detail)) return rc;

  // The colour table: "used" entries, all 2^bits when 0; entries missing
  // from the file and indices beyond the table are black.
  std::array<std::uint32_t, 256> table{};
  if (bits <= 8) {
    std::size_t entries = used && used <= 256 ? used : std::size_t(1) << bits;
    for (std::size_t i = 0; i < entries && tableAt + (i + 1) * tableEntry <= size; ++i) {
      const std::uint8_t* e = d + tableAt + i * tableEntry;
      table[i] = std::uint32_t(e[2]) << 16 | std::uint32_t(e[1]) << 8 | e[0];
    }
  }
  if (offBits >= size) return Bad(out, detail, "truncated data");
  const std::uint8_t* pixels = d + offBits;
  const std::size_t available = size - offBits;
  auto put = [&](std::int64_t x, std::int64_t row, std::uint32_t colour) {
    const std::int64_t y = topDown ? row : height - 1 - row;
    out.pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = colour;
  };

  if (rle) {
    // Pixels the runs do not write (skipped by a delta, or after an early
    // end of the picture) take the table's first colour.
    for (std::uint32_t& p : out.pixels) p = table[0];
    std::size_t at = 0;
    std::int64_t x = 0, row = 0;
    while (row < height) {
      if (at + 2 > available) return Bad(out, detail, "truncated data");
      const int count = pixels[at], value = pixels[at + 1];
      at += 2;
      if (count > 0) {
        for (int i = 0; i < count && x < width; ++i, ++x) {
          const int index = bits == 8 ? value : (i % 2 ? value & 0x0F : value >> 4);
          put(x, row, table[std::size_t(index)]);
        }
      } else if (value == 0) {
        x = 0, ++row;
      } else if (value == 1) {
        break;
      } else if (value == 2) {
        if (at + 2 > available) return Bad(out, detail, "truncated data");
        x += pixels[at], row += pixels[at + 1];
        at += 2;
      } else {
        // value literal pixels, padded to a 16-bit boundary.
        const std::size_t bytes = bits == 8 ? std::size_t(value) : (std::size_t(value) + 1) / 2;
        if (at + bytes > available) return Bad(out, detail, "truncated data");
        for (int i = 0; i < value; ++i, ++x) {
          if (x >= width) continue;
          const std::uint8_t b = pixels[at + (bits == 8 ? std::size_t(i) : std::size_t(i) / 2)];
          const int index = bits == 8 ? b : (i % 2 ? b & 0x0F : b >> 4);
          put(x, row, table[std::size_t(index)]);
        }
        at += (bytes + 1) & ~std::size_t(1);
      }
    }
    return 0;
  }

  const std::size_t stride = ((std::size_t(width) * std::size_t(bits) + 31) / 32) * 4;
  if (stride * std::size_t(height) > available) {
    // A short last row is accepted only when the rows' pixels are there.
    const std::size_t need = stride * std::size_t(height - 1) + (std::size_t(width) * bits + 7) / 8;
    if (need > available) return Bad(out, detail, "truncated data");
  }
  const Field red(masks[0]), green(masks[1]), blue(masks[2]);
  for (std::int64_t row = 0; row < height; ++row) {
    const std::uint8_t* line = pixels + std::size_t(row) * stride;
    for (std::int64_t x = 0; x < width; ++x) {
      std::uint32_t colour = 0;
      switch (bits) {
        case 1:
        case 4:
        case 8: {
          const std::size_t bit = std::size_t(x) * std::size_t(bits);
          const int index = (line[bit / 8] >> (8 - bits - int(bit % 8))) & ((1 << bits) - 1);
          colour = table[std::size_t(index)];
          break;
        }
        case 16: {
          const std::uint32_t v = std::uint32_t(Le16(line + 2 * x));
          colour = red(v) << 16 | green(v) << 8 | blue(v);
          break;
        }
        case 24: {
          const std::uint8_t* p = line + 3 * x;
          colour = std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
          break;
        }
        default: {
          const std::uint32_t v = Le32(line + 4 * x);
          colour = red(v) << 16 | green(v) << 8 | blue(v);
          break;
        }
      }
      put(x, row, colour);
    }
  }
  return 0;
}

}  // namespace dv
