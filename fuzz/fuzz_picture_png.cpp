// Fuzzes the Png picture decoder with arbitrary bytes: damaged headers,
// hostile sizes, bad colour maps and truncated data must give a message,
// never a crash, an over-read or an allocation past the pixel cap.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "output/pictures/PictureDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  dv::PixelImage out;
  std::string detail;
  const int rc = dv::DecodePng(bytes, out, detail);
  // A decoded picture is whole: its pixels match its size.
  if (rc == 0 && out.pixels.size() != std::size_t(out.width) * std::size_t(out.height))
    __builtin_trap();
  return 0;
}
