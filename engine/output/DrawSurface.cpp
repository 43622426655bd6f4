#include "output/DrawSurface.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace dv {

namespace {

// The record is a LOGFONTA image (little-endian): height at 0, width at 4,
// weight at 16, italic at 20, the face name from 28 (32 bytes, NUL-ended).
std::int32_t Int32At(const FontRecord& f, int offset) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | f.bytes[offset + i];
  return std::int32_t(v);
}

}  // namespace

FontFields FontFieldsOf(const FontRecord& font) {
  FontFields fields;
  fields.height = Int32At(font, 0);
  fields.width = Int32At(font, 4);
  fields.weight = Int32At(font, 16);
  fields.italic = font.bytes[20] != 0;
  const auto* face = reinterpret_cast<const char*>(font.bytes.data() + 28);
  fields.face.assign(face, strnlen(face, 32));
  return fields;
}

int RulePenWidth(int lineWidth, int cellHeight, int printerLineHeight, int screen) {
  if (screen == 0 || printerLineHeight <= 0) return lineWidth;
  return cellHeight * lineWidth / printerLineHeight;
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long n = static_cast<long long>(a) * b;
  long long d = c;
  bool negative = (n < 0) != (d < 0);
  n = std::llabs(n);
  d = std::llabs(d);
  long long q = (n + d / 2) / d;
  if (negative) q = -q;
  if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
  return int(q);
}

}  // namespace dv
