// JPEG pictures through the libjpeg API (libjpeg-turbo). libjpeg reports a
// fatal error by calling error_exit, which by default ends the process: here
// it jumps back to the decoder, which destroys the decompressor and returns
// the library's own message as the detail of a message id.

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "output/pictures/PictureDecode.h"

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace dv {

namespace {

// Warnings are silent, except a premature end of the data: a truncated file
// is a damaged picture. Progressive files may not run to more than this many
// scans (a file of endless tiny scans would keep the decoder busy forever).
constexpr int kMaxJpegScans = 500;
// The memory libjpeg may take for one picture (its own buffers; the
// decoded pixels are counted by the pixel cap).
constexpr long kMaxJpegMemory = 256L * 1024 * 1024;

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char text[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, err->text);
  std::longjmp(err->jump, 1);
}

void EmitMessage(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) ErrorExit(info);
}

void OutputMessage(j_common_ptr) {}

void Progress(j_common_ptr info) {
  if (!info->is_decompressor) return;
  auto* d = reinterpret_cast<j_decompress_ptr>(info);
  if (d->input_scan_number > kMaxJpegScans) {
    std::snprintf(reinterpret_cast<ErrorManager*>(info->err)->text, JMSG_LENGTH_MAX,
                  "more than %d scans", kMaxJpegScans);
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
  }
}

void SetUp(jpeg_decompress_struct& info, ErrorManager& err, jpeg_progress_mgr& progress) {
  info.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.emit_message = EmitMessage;
  err.pub.output_message = OutputMessage;
  err.text[0] = '\0';
  progress.progress_monitor = Progress;
}

// The decoding itself, free of C++ objects with destructors between the
// setjmp and any longjmp.
int Decode(const std::uint8_t* data, std::size_t size, int scale, PixelImage& out,
           std::string& detail, bool headerOnly, int& width, int& height) {
  jpeg_decompress_struct info;
  ErrorManager err;
  jpeg_progress_mgr progress;
  std::memset(&info, 0, sizeof info);
  std::memset(&progress, 0, sizeof progress);
  SetUp(info, err, progress);
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    detail = err.text;
    out = PixelImage{};
    return kMsgPicDamaged;
  }
  jpeg_create_decompress(&info);
  info.progress = &progress;
  info.mem->max_memory_to_use = kMaxJpegMemory;
  jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  width = int(info.image_width);
  height = int(info.image_height);
  if (headerOnly) {
    jpeg_destroy_decompress(&info);
    return 0;
  }
  info.scale_num = 1;
  info.scale_denom = unsigned(scale == 2 || scale == 4 || scale == 8 ? scale : 1);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_calc_output_dimensions(&info);
  if (int rc = AllocatePicture(info.output_width, info.output_height, out, detail)) {
    jpeg_destroy_decompress(&info);
    return rc;
  }
  jpeg_start_decompress(&info);
  const int channels = info.output_components;
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             info.output_width * JDIMENSION(channels), 1);
  // Adobe writes CMYK inverted; the decoder says so through its marker.
  const bool inverted = info.saw_Adobe_marker;
  while (info.output_scanline < info.output_height) {
    const int y = int(info.output_scanline);
    if (jpeg_read_scanlines(&info, row, 1) != 1) break;
    std::uint32_t* dst = out.pixels.data() + std::size_t(y) * std::size_t(out.width);
    const JSAMPLE* p = row[0];
    for (int x = 0; x < out.width; ++x, p += channels) {
      if (channels == 4) {
        int c = p[0], m = p[1], ye = p[2], k = p[3];
        if (!inverted) c = 255 - c, m = 255 - m, ye = 255 - ye, k = 255 - k;
        const std::uint32_t r = std::uint32_t(c * k / 255), g = std::uint32_t(m * k / 255),
                            b = std::uint32_t(ye * k / 255);
        dst[x] = r << 16 | g << 8 | b;
      } else if (channels == 3) {
        dst[x] = std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
      } else {
        dst[x] = std::uint32_t(p[0]) * 0x010101u;
      }
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return 0;
}

}  // namespace

int DecodeJpeg(std::span<const std::uint8_t> data, int scale, PixelImage& out,
               std::string& detail) {
  out = PixelImage{};
  detail.clear();
  if (data.empty()) {
    detail = "empty file";
    return kMsgPicDamaged;
  }
  int w = 0, h = 0;
  return Decode(data.data(), data.size(), scale, out, detail, false, w, h);
}

bool PeekJpegSize(std::span<const std::uint8_t> data, int& width, int& height) {
  width = height = 0;
  if (data.empty()) return false;
  PixelImage none;
  std::string detail;
  return Decode(data.data(), data.size(), 1, none, detail, true, width, height) == 0 &&
         width > 0 && height > 0;
}

}  // namespace dv
