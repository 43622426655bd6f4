// GIF pictures through giflib 5, read from memory record by record. Every
// image of the file is decoded onto a canvas of the logical screen's size,
// first filled with the background colour index, at its own position (an
// interlaced image in the four GIF passes), later images over earlier ones;
// the canvas is then coloured through the last image's own colour map, else
// the global one. An image reaching outside the screen is refused before
// anything is written, so the canvas is never overrun.

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <vector>

#include "output/pictures/PictureDecode.h"

namespace dv {

namespace {

struct Source {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at;
};

int ReadData(GifFileType* gif, GifByteType* into, int length) {
  auto* s = static_cast<Source*>(gif->UserData);
  if (length <= 0) return 0;
  const std::size_t n = std::min<std::size_t>(std::size_t(length), s->size - s->at);
  if (n == 0) return 0;  // an empty file has no bytes to copy from (data may be null)
  std::memcpy(into, s->data + s->at, n);
  s->at += n;
  return int(n);
}

struct Palette {
  std::array<std::uint32_t, 256> colours{};
  int count = 0;
  void Take(const ColorMapObject* map) {
    count = 0;
    if (!map || !map->Colors) return;
    count = std::clamp(map->ColorCount, 0, 256);
    for (int i = 0; i < count; ++i) {
      const GifColorType& c = map->Colors[i];
      colours[std::size_t(i)] = std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue;
    }
  }
  // An index outside the map is black.
  std::uint32_t operator[](int index) const {
    return index < count ? colours[std::size_t(index)] : 0;
  }
};

// Closes the file on every path.
struct GifCloser {
  GifFileType* gif;
  ~GifCloser() {
    int error = 0;
    if (gif) DGifCloseFile(gif, &error);
  }
};

int Failed(GifFileType* gif, std::string& detail) {
  const char* text = GifErrorString(gif ? gif->Error : D_GIF_ERR_READ_FAILED);
  detail = text ? text : "GIF error";
  return gif && gif->Error == D_GIF_ERR_NOT_ENOUGH_MEM ? kMsgPicNoMemory : kMsgPicDamaged;
}

}  // namespace

int DecodeGif(std::span<const std::uint8_t> data, PixelImage& out, std::string& detail) {
  out = PixelImage{};
  detail.clear();
  Source source{data.data(), data.size(), 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&source, ReadData, &error);
  if (!gif) {
    const char* text = GifErrorString(error);
    detail = text ? text : "not a GIF file";
    return error == D_GIF_ERR_NOT_ENOUGH_MEM ? kMsgPicNoMemory : kMsgPicDamaged;
  }
  GifCloser closer{gif};
  const int sw = gif->SWidth, sh = gif->SHeight;
  if (int rc = AllocatePicture(sw, sh, out, detail)) return rc;
  std::vector<GifPixelType> canvas, line;
  try {
    canvas.assign(std::size_t(sw) * std::size_t(sh), GifPixelType(gif->SBackGroundColor));
    line.resize(std::size_t(sw));
  } catch (const std::bad_alloc&) {
    out = PixelImage{};
    return kMsgPicNoMemory;
  }
  Palette global, last;
  global.Take(gif->SColorMap);
  bool haveOwn = false;
  int images = 0;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) return out = {}, Failed(gif, detail);
    if (type == TERMINATE_RECORD_TYPE) break;
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return out = {}, Failed(gif, detail);
      while (block)
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return out = {}, Failed(gif, detail);
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(gif) == GIF_ERROR) return out = {}, Failed(gif, detail);
    ++images;
    const GifImageDesc& d = gif->Image;
    if (d.Left < 0 || d.Top < 0 || d.Width <= 0 || d.Height <= 0 ||
        std::int64_t(d.Left) + d.Width > sw || std::int64_t(d.Top) + d.Height > sh) {
      out = {};
      detail = "Image " + std::to_string(images) +
               " is not confined to screen dimension, aborted.";
      return kMsgPicDamaged;
    }
    haveOwn = d.ColorMap != nullptr;
    if (haveOwn) last.Take(d.ColorMap);
    // The rows in file order: straight, or the interlaced passes.
    static constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    const int passes = d.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
      const int start = d.Interlace ? kStart[pass] : 0, step = d.Interlace ? kStep[pass] : 1;
      for (int y = start; y < d.Height; y += step) {
        if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR)
          return out = {}, Failed(gif, detail);
        std::memcpy(canvas.data() + std::size_t(d.Top + y) * std::size_t(sw) + std::size_t(d.Left),
                    line.data(), std::size_t(d.Width));
      }
    }
  }
  if (images == 0) {
    out = {};
    detail = "no image in the file";
    return kMsgPicDamaged;
  }
  const Palette& map = haveOwn ? last : global;
  for (std::size_t i = 0; i < canvas.size(); ++i) out.pixels[i] = map[canvas[i]];
  return 0;
}

}  // namespace dv
