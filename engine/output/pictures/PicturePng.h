#pragma once
// A picture written as a PNG file (the command-line tool's picture --png and
// the tests' reference images), through the chart export's strip writer.

#include <string>

#include "output/pictures/PixelImage.h"

namespace dv {

// Writes image to path as 24-bit RGB. 0, or the strip writer's 1, 2 or 140.
int WritePicturePng(const PixelImage& image, const std::string& path);

}  // namespace dv
