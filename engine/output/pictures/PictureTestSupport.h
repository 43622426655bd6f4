#pragma once
// Pictures for the tests: the sample pictures' folder, files read whole, and
// small picture files built byte by byte (hostile ones included).

#include <cstdint>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

namespace dv::test {

using Bytes = std::vector<std::uint8_t>;

inline std::string SamplePicture(const std::string& name) {
  return std::string(DORVANE_TESTDATA) + "/../sample/pictures/" + name;
}

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void Put16(Bytes& b, std::size_t at, unsigned v) {
  b[at] = std::uint8_t(v), b[at + 1] = std::uint8_t(v >> 8);
}
inline void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) b[at + std::size_t(k)] = std::uint8_t(v >> (8 * k));
}

// A BMP with a 40-byte header, bits per pixel, the given colour table
// (0x00RRGGBB entries) and pixel bytes as stored.
inline Bytes MakeBmp(std::int32_t width, std::int32_t height, int bits,
                     const std::vector<std::uint32_t>& table, const Bytes& pixels,
                     std::uint32_t compression = 0) {
  const std::size_t off = 54 + 4 * table.size();
  Bytes b(off, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(b, 2, std::uint32_t(off + pixels.size()));
  Put32(b, 10, std::uint32_t(off));
  Put32(b, 14, 40);
  Put32(b, 18, std::uint32_t(width));
  Put32(b, 22, std::uint32_t(height));
  Put16(b, 26, 1);
  Put16(b, 28, unsigned(bits));
  Put32(b, 30, compression);
  Put32(b, 46, std::uint32_t(table.size()));
  for (std::size_t i = 0; i < table.size(); ++i) Put32(b, 54 + 4 * i, table[i]);
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

// A PCX header for xmax x ymax (+1) pixels, bits and planes, run-length
// encoded, followed by data.
inline Bytes MakePcx(int xmax, int ymax, int bits, int planes, int bytesPerLine,
                     const Bytes& data) {
  Bytes b(128, 0);
  b[0] = 0x0A, b[1] = 5, b[2] = 1, b[3] = std::uint8_t(bits);
  Put16(b, 8, unsigned(xmax));
  Put16(b, 10, unsigned(ymax));
  b[65] = std::uint8_t(planes);
  Put16(b, 66, unsigned(bytesPerLine));
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

// A GIF89a of a screen sw x sh with a two-colour global map (c0, c1) and one
// image at (left, top) of w x h holding the LZW data given (code size 2).
inline Bytes MakeGif(int sw, int sh, std::uint32_t c0, std::uint32_t c1, int left, int top,
                     int w, int h, const Bytes& lzw) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0x80, 0, 0};
  Put16(b, 6, unsigned(sw));
  Put16(b, 8, unsigned(sh));
  for (std::uint32_t c : {c0, c1}) {
    b.push_back(std::uint8_t(c >> 16)), b.push_back(std::uint8_t(c >> 8));
    b.push_back(std::uint8_t(c));
  }
  Bytes d = {0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  Put16(d, 1, unsigned(left));
  Put16(d, 3, unsigned(top));
  Put16(d, 5, unsigned(w));
  Put16(d, 7, unsigned(h));
  b.insert(b.end(), d.begin(), d.end());
  b.push_back(2);
  b.push_back(std::uint8_t(lzw.size()));
  b.insert(b.end(), lzw.begin(), lzw.end());
  b.push_back(0);
  b.push_back(0x3B);
  return b;
}

inline std::span<const std::uint8_t> Span(const Bytes& b) { return {b.data(), b.size()}; }

}  // namespace dv::test
