#include <cstdio>
#include <string>

#include "Commands.h"
#include "ConsoleText.h"
#include "output/pictures/PictureLoad.h"
#include "output/pictures/PicturePng.h"

namespace dv::cli {

namespace {

bool ParseBox(std::string_view text, int& w, int& h) {
  const std::size_t x = text.find('x');
  return x != std::string_view::npos && ParseInt(text.substr(0, x), w) &&
         ParseInt(text.substr(x + 1), h) && w > 0 && h > 0 && w <= kMaxPictureSide &&
         h <= kMaxPictureSide;
}

}  // namespace

// Decodes one picture file and fits it into a box as an overlay item would:
// prints "picture<TAB>WIDTH<TAB>HEIGHT" (the fitted size) and writes the
// fitted pixels with --png. --downwards-only and --resize stand for the
// "Scale downwards only" option and a resize of the item; --source names the
// data source whose folder is searched for a bare name.
int Picture(Args args) {
  std::string file, png, source;
  PictureFit fit;
  bool haveBox = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    const bool more = i + 1 < args.size();
    if (a == "--box" && more) {
      haveBox = ParseBox(args[++i], fit.boxWidth, fit.boxHeight);
      if (!haveBox) return 2;
    } else if (a == "--png" && more) {
      png = std::string(args[++i]);
    } else if (a == "--source" && more) {
      source = std::string(args[++i]);
    } else if (a == "--downwards-only") {
      fit.scaleToFit = false;
    } else if (a == "--resize") {
      fit.mayStaySmaller = true;
    } else if (a.size() > 1 && a.front() == '-') {
      return 2;
    } else if (file.empty()) {
      file = std::string(a);
    } else {
      return 2;
    }
  }
  if (file.empty() || !haveBox) return 2;
  const std::string path = ResolvePicturePath(file, source);
  if (path.empty()) return PrintMessage(kMsgPicCannotOpen);
  PixelImage fitted;
  std::string detail;
  const int rc = LoadFittedPicture(path, fit, fitted, detail);
  // A name whose extension is none of the five formats: message 249, as
  // the record's picture page says it.
  if (rc == -1) return PrintMessage(kMsgPicNotAPicture, path);
  if (rc != 0) return PrintMessage(rc, detail);
  std::printf("picture\t%d\t%d\n", fitted.width, fitted.height);
  if (!png.empty()) {
    if (int w = WritePicturePng(fitted, png)) return PrintMessage(w, png);
  }
  return 0;
}

}  // namespace dv::cli
