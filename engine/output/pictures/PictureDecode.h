#pragma once
// Picture decoding from memory: JPEG (libjpeg), PNG (libpng), GIF (giflib)
// and our own PCX and BMP readers, behind one call. Picture files are
// untrusted input: every decoder checks the dimensions before it allocates
// (PictureSizeAccepted), reads only inside the data it was given, turns
// colour indices outside the colour map into black, and answers a damaged or
// truncated file with a message id and a detail text; none writes a file.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "output/pictures/PixelImage.h"

namespace dv {

inline constexpr int kMsgPicNoMemory = 245;    // "Failed to allocate memory required, aborted."
inline constexpr int kMsgPicDamaged = 246;     // "The picture cannot be read: " + detail
inline constexpr int kMsgPicTooLarge = 247;    // "The picture is too large ..." + W x H
inline constexpr int kMsgPicCannotOpen = 248;  // "Can't open input file name."
inline constexpr int kMsgPicNotAPicture = 249; // "This file is not a JPEG, PNG, GIF, PCX or BMP picture: " + name

enum class PictureFormat { kNone, kJpeg, kPng, kGif, kPcx, kBmp };

// The format named by the extension after the last '.': exactly ".jpg" or
// ".JPG", ".png" or ".PNG", ".gif" or ".GIF", ".pcx" or ".PCX", ".bmp" or
// ".BMP"; any other spelling (".Jpg") is kNone.
PictureFormat PictureFormatOfName(std::string_view name);

// Decodes data as format into out. scaleDenominator (1, 2, 4 or 8) is the
// JPEG decoder's scale and ignored by the others. Returns 0, or a message id
// with detail holding the suffix text (the decoder's own words, the size).
int DecodePicture(std::span<const std::uint8_t> data, PictureFormat format, int scaleDenominator,
                  PixelImage& out, std::string& detail);

// The decoders one by one (the fuzz targets call them directly).
int DecodeJpeg(std::span<const std::uint8_t> data, int scaleDenominator, PixelImage& out,
               std::string& detail);
int DecodePng(std::span<const std::uint8_t> data, PixelImage& out, std::string& detail);
int DecodeGif(std::span<const std::uint8_t> data, PixelImage& out, std::string& detail);
int DecodePcx(std::span<const std::uint8_t> data, PixelImage& out, std::string& detail);
int DecodeBmp(std::span<const std::uint8_t> data, PixelImage& out, std::string& detail);

// The size the picture declares, read from its header without decoding;
// false when the header cannot be read. The JPEG scale is chosen from it.
bool PeekJpegSize(std::span<const std::uint8_t> data, int& width, int& height);

// Allocates out for width x height after checking the caps; returns 0,
// kMsgPicTooLarge (detail "W x H") or kMsgPicNoMemory.
int AllocatePicture(std::int64_t width, std::int64_t height, PixelImage& out,
                    std::string& detail);

}  // namespace dv
