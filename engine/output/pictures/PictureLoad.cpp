#include "output/pictures/PictureLoad.h"

#include <cstdio>

#include "common/SafeFile.h"

namespace dv {

namespace {

bool CanOpen(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

}  // namespace

std::string ResolvePicturePath(std::string_view name, std::string_view sourceFile) {
  const std::size_t first = name.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  name.remove_prefix(first);
  if (name.size() > kMaxPicturePath) return {};
  std::string path(name);
  if (CanOpen(path)) return path;
  const std::size_t cut = name.find_last_of("\\/");
  const std::string_view bare = cut == std::string_view::npos ? name : name.substr(cut + 1);
  const std::size_t folderEnd = sourceFile.find_last_of("\\/");
  if (bare.empty() || folderEnd == std::string_view::npos) return {};
  // The folder keeps its separator; the joined path must stay within bounds.
  if (folderEnd + 1 + bare.size() > kMaxPicturePath) return {};
  path.assign(sourceFile.substr(0, folderEnd + 1));
  path.append(bare);
  return CanOpen(path) ? path : std::string();
}

int ReadPictureFile(const std::string& path, std::string& bytes) {
  switch (ReadWholeFileUpTo(path, kMaxPictureFileBytes, bytes)) {
    case ReadFileResult::kRead:
      return 0;
    case ReadFileResult::kTooLarge:
      return kMsgPicTooLarge;
    case ReadFileResult::kCannotRead:
      break;
  }
  return kMsgPicCannotOpen;
}

int LoadFittedPicture(const std::string& path, const PictureFit& fit, PixelImage& fitted,
                      std::string& detail) {
  fitted = PixelImage{};
  detail.clear();
  if (fit.boxWidth <= 0 || fit.boxHeight <= 0 || path.empty()) return -1;
  const PictureFormat format = PictureFormatOfName(path);
  if (format == PictureFormat::kNone) return -1;
  std::string bytes;
  if (int rc = ReadPictureFile(path, bytes)) {
    if (rc == kMsgPicTooLarge) detail = "file of " + path;
    return rc;
  }
  const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                           bytes.size());
  int scale = 1;
  int w = 0, h = 0;
  if (format == PictureFormat::kJpeg && fit.scaleToFit && PeekJpegSize(data, w, h))
    scale = JpegScaleDenominator(w, h, fit.boxWidth, fit.boxHeight);
  PixelImage picture;
  if (int rc = DecodePicture(data, format, scale, picture, detail)) return rc;
  const PictureSize size = FitPicture(picture.width, picture.height, fit.boxWidth, fit.boxHeight,
                                      fit.mayStaySmaller && !fit.scaleToFit);
  fitted = ScalePixels(picture, size.width, size.height);
  return fitted.empty() ? kMsgPicNoMemory : 0;
}

}  // namespace dv
