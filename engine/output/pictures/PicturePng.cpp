#include "output/pictures/PicturePng.h"

#include "output/PngStripWriter.h"

namespace dv {

int WritePicturePng(const PixelImage& image, const std::string& path) {
  if (image.empty()) return kCannotGenerateImage;
  PngStripWriter writer;
  if (int rc = writer.Open(path, image.width, image.height)) return rc;
  if (int rc = writer.BeginStrip(image.height)) return rc;
  const std::size_t rowBytes = PngStripWriter::RowBytes(image.width);
  auto strip = writer.strip();
  for (int y = 0; y < image.height; ++y) {
    // The strip is a bottom-up bitmap: the picture's top row goes last.
    std::uint8_t* row = strip.data() + std::size_t(image.height - 1 - y) * rowBytes;
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.at(x, y);
      row[3 * x] = std::uint8_t(p);
      row[3 * x + 1] = std::uint8_t(p >> 8);
      row[3 * x + 2] = std::uint8_t(p >> 16);
    }
  }
  if (int rc = writer.WriteStrip()) return rc;
  return writer.Finish();
}

}  // namespace dv
