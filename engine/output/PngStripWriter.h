#pragma once
// Writes a chart image as a PNG file fed strip by strip, so that a chart of
// any height is exported with the memory of one strip. Each strip arrives as
// a 24-bit device-independent bitmap gives it: rows bottom-up, bytes
// blue-green-red, each row padded to a multiple of 4 bytes; the file is RGB,
// 8 bits per channel, not interlaced, written top to bottom.
//
// Failures are string ids: 2 "Cannot open file", 1 "Cannot allocate memory",
// 140 "Error writing image file". After a failure the writer is closed and
// the incomplete file removed.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

// libpng's encoder handles, declared here so users need not include png.h.
struct png_struct_def;
struct png_info_def;

namespace dv {

inline constexpr int kCannotAllocateMemory = 1;
inline constexpr int kCannotOpenFile = 2;
inline constexpr int kChartTooLargeToStoreImage = 139;
inline constexpr int kErrorWritingImageFile = 140;
inline constexpr int kCannotGenerateImage = 143;

class PngStripWriter {
 public:
  PngStripWriter() = default;
  ~PngStripWriter();
  PngStripWriter(const PngStripWriter&) = delete;
  PngStripWriter& operator=(const PngStripWriter&) = delete;

  // Bytes of one bitmap row of width pixels (24 bits, padded to 4 bytes).
  static std::size_t RowBytes(int width);

  // Called after each row written with the number of rows written so far.
  void SetProgress(std::function<void(int rows)> progress) { progress_ = std::move(progress); }

  // Creates path and writes the header of a width x height image. 0, 2 or 140.
  int Open(const std::string& path, int width, int height);

  // Makes the buffer of the next strip, rows rows high, replacing the
  // previous strip's. 0, or 1 when it cannot be allocated (140 when a strip
  // buffer existed before: the export had already started writing).
  int BeginStrip(int rows);
  // The current strip's pixels, bottom-up BGR rows of RowBytes(width).
  std::span<std::uint8_t> strip() { return buffer_; }
  int stripRows() const { return stripRows_; }

  // Hands the current strip to the encoder, top row first. 0 or 140 (also
  // when the strips would run past the image's height).
  int WriteStrip();

  // Writes the end of the file and closes it: 0, or 140 when not all rows
  // were written or the file could not be completed.
  int Finish();

  int width() const { return width_; }
  int height() const { return height_; }
  int rowsWritten() const { return rowsWritten_; }
  // The largest strip buffer held at any time, in bytes.
  std::size_t peakStripBytes() const { return peakStripBytes_; }

 private:
  static void OnError(struct png_struct_def* png, const char* message);
  static void OnWarning(struct png_struct_def* png, const char* message);
  static void OnWrite(struct png_struct_def* png, unsigned char* data, std::size_t length);
  static void OnFlush(struct png_struct_def* png);
  void Abandon();  // releases the encoder, closes and removes the file

  struct png_struct_def* png_ = nullptr;
  struct png_info_def* info_ = nullptr;
  std::FILE* file_ = nullptr;
  std::string path_;
  int width_ = 0;
  int height_ = 0;
  int rowsWritten_ = 0;
  int stripRows_ = 0;
  bool hadStrip_ = false;
  std::vector<std::uint8_t> buffer_;
  std::size_t peakStripBytes_ = 0;
  std::function<void(int)> progress_;
};

}  // namespace dv
