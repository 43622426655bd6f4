#pragma once
// Loading one picture for an overlay item: finding the file (as named, else
// by its bare name in the data source's folder), reading it into memory,
// decoding it by its extension and fitting it into the item's box. Nothing
// is written to disk on the way.

#include <string>
#include <string_view>

#include "output/pictures/PictureDecode.h"

namespace dv {

// The longest path a picture may have (the Windows path limit less its NUL).
inline constexpr std::size_t kMaxPicturePath = 259;
// The largest picture file read into memory.
inline constexpr std::size_t kMaxPictureFileBytes = 64u * 1024 * 1024;

// The file to read for a picture named name: leading blanks skipped; the
// name itself when that file can be opened, else the part after the last
// backslash (or slash) in the folder of sourceFile. Empty when neither
// exists or a joined path would be longer than kMaxPicturePath.
std::string ResolvePicturePath(std::string_view name, std::string_view sourceFile);

// How a picture is fitted (the "Image options" and the caller's mode).
struct PictureFit {
  int boxWidth = 0, boxHeight = 0;  // pixels
  bool scaleToFit = true;           // "Scale images to fit" (else "Scale downwards only")
  bool mayStaySmaller = false;      // a resize (mode -1): downwards-only keeps small pictures
};

// Reads path whole into bytes. 0, kMsgPicCannotOpen, or kMsgPicTooLarge for
// a file over kMaxPictureFileBytes.
int ReadPictureFile(const std::string& path, std::string& bytes);

// Decodes the picture file at path (format by its extension) and scales it
// to its fitted size in the box. Returns 0, -1 when the extension is not one
// of the five (nothing loaded, nothing said), or a message id with detail.
int LoadFittedPicture(const std::string& path, const PictureFit& fit, PixelImage& fitted,
                      std::string& detail);

}  // namespace dv
