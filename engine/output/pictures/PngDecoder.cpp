// PNG pictures through libpng, read from memory. libpng reports a fatal
// error through its jump buffer: the decoder returns from setjmp with the
// library's message as the detail. Transparent pixels are laid over white,
// the colour of the chart's paper.

#include <csetjmp>
#include <cstring>

#include <png.h>

#include "output/pictures/PictureDecode.h"

namespace dv {

namespace {

struct Reader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at;
  char text[200];
};

void ReadData(png_structp png, png_bytep into, png_size_t length) {
  auto* r = static_cast<Reader*>(png_get_io_ptr(png));
  if (length > r->size - r->at) png_error(png, "truncated file");
  std::memcpy(into, r->data + r->at, length);
  r->at += length;
}

void OnError(png_structp png, png_const_charp message) {
  auto* r = static_cast<Reader*>(png_get_error_ptr(png));
  std::strncpy(r->text, message ? message : "error", sizeof r->text - 1);
  r->text[sizeof r->text - 1] = '\0';
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

std::uint32_t OverWhite(const png_byte* p) {
  const unsigned a = p[3];
  auto blend = [a](unsigned c) { return (c * a + 255 * (255 - a) + 127) / 255; };
  return std::uint32_t(blend(p[0])) << 16 | std::uint32_t(blend(p[1])) << 8 | blend(p[2]);
}

}  // namespace

int DecodePng(std::span<const std::uint8_t> data, PixelImage& out, std::string& detail) {
  out = PixelImage{};
  detail.clear();
  if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) {
    detail = "not a PNG file";
    return kMsgPicDamaged;
  }
  Reader reader{data.data(), data.size(), 8, {}};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, OnError, OnWarning);
  if (!png) return kMsgPicNoMemory;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return kMsgPicNoMemory;
  }
  // Rows go straight into out's pixels, four bytes each; the row pointers are
  // a buffer libpng frees with the read struct's memory.
  png_bytepp volatile rows = nullptr;
  volatile int status = 0;
  if (setjmp(png_jmpbuf(png))) {
    if (rows) png_free(png, rows);
    png_destroy_read_struct(&png, &info, nullptr);
    if (status == 0) {
      detail = reader.text;
      status = kMsgPicDamaged;
    }
    out = PixelImage{};
    return status;
  }
  png_set_read_fn(png, &reader, ReadData);
  png_set_sig_bytes(png, 8);
  png_set_chunk_malloc_max(png, 8u * 1024 * 1024);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const int allocated = AllocatePicture(width, height, out, detail);
  if (allocated != 0) {
    status = allocated;
    png_longjmp(png, 1);
  }
  // Everything becomes 8-bit RGBA in the byte order red, green, blue, alpha.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != std::size_t(width) * 4) {
    std::strcpy(reader.text, "unexpected row size");
    png_longjmp(png, 1);
  }
  png_bytepp list = static_cast<png_bytepp>(png_malloc(png, sizeof(png_bytep) * height));
  rows = list;
  for (png_uint_32 y = 0; y < height; ++y)
    list[y] = reinterpret_cast<png_bytep>(out.pixels.data() + std::size_t(y) * width);
  png_read_image(png, list);
  png_free(png, list);
  rows = nullptr;
  png_destroy_read_struct(&png, &info, nullptr);
  // From the bytes R, G, B, A in each pixel to 0x00RRGGBB over white.
  for (std::uint32_t& px : out.pixels) {
    png_byte b[4];
    std::memcpy(b, &px, 4);
    px = OverWhite(b);
  }
  return 0;
}

}  // namespace dv
