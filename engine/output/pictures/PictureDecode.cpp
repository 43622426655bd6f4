#include "output/pictures/PictureDecode.h"

#include <new>

namespace dv {

PictureFormat PictureFormatOfName(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return PictureFormat::kNone;
  const std::string_view ext = name.substr(dot);
  if (ext == ".jpg" || ext == ".JPG") return PictureFormat::kJpeg;
  if (ext == ".png" || ext == ".PNG") return PictureFormat::kPng;
  if (ext == ".gif" || ext == ".GIF") return PictureFormat::kGif;
  if (ext == ".pcx" || ext == ".PCX") return PictureFormat::kPcx;
  if (ext == ".bmp" || ext == ".BMP") return PictureFormat::kBmp;
  return PictureFormat::kNone;
}

int AllocatePicture(std::int64_t width, std::int64_t height, PixelImage& out,
                    std::string& detail) {
  out = PixelImage{};
  if (!PictureSizeAccepted(width, height)) {
    detail = std::to_string(width) + " x " + std::to_string(height);
    return width <= 0 || height <= 0 ? kMsgPicDamaged : kMsgPicTooLarge;
  }
  try {
    out.pixels.assign(std::size_t(width) * std::size_t(height), 0xFFFFFFu & 0);
  } catch (const std::bad_alloc&) {
    out.pixels.clear();
    return kMsgPicNoMemory;
  }
  out.width = int(width);
  out.height = int(height);
  return 0;
}

int DecodePicture(std::span<const std::uint8_t> data, PictureFormat format, int scale,
                  PixelImage& out, std::string& detail) {
  out = PixelImage{};
  detail.clear();
  switch (format) {
    case PictureFormat::kJpeg:
      return DecodeJpeg(data, scale, out, detail);
    case PictureFormat::kPng:
      return DecodePng(data, out, detail);
    case PictureFormat::kGif:
      return DecodeGif(data, out, detail);
    case PictureFormat::kPcx:
      return DecodePcx(data, out, detail);
    case PictureFormat::kBmp:
      return DecodeBmp(data, out, detail);
    case PictureFormat::kNone:
      break;
  }
  return kMsgPicDamaged;
}

}  // namespace dv
