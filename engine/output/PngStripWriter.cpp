#include "output/PngStripWriter.h"

#include <png.h>

#include <csetjmp>
#include <new>

#include "common/SafeFile.h"

namespace dv {

std::size_t PngStripWriter::RowBytes(int width) {
  return (std::size_t(width) * 3 + 3) & ~std::size_t(3);
}

PngStripWriter::~PngStripWriter() { Abandon(); }

void PngStripWriter::OnError(png_structp png, png_const_charp) {
  // Back to the setjmp of the call that handed work to the encoder.
  png_longjmp(png, 1);
}

void PngStripWriter::OnWarning(png_structp, png_const_charp) {}

void PngStripWriter::OnWrite(png_structp png, png_bytep data, std::size_t length) {
  auto* self = static_cast<PngStripWriter*>(png_get_io_ptr(png));
  if (std::fwrite(data, 1, length, self->file_) != length) png_error(png, "write failed");
}

void PngStripWriter::OnFlush(png_structp png) {
  auto* self = static_cast<PngStripWriter*>(png_get_io_ptr(png));
  if (std::fflush(self->file_) != 0) png_error(png, "flush failed");
}

void PngStripWriter::Abandon() {
  if (png_) png_destroy_write_struct(&png_, info_ ? &info_ : nullptr);
  png_ = nullptr;
  info_ = nullptr;
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
    RemovePartialFile(path_);
  }
  std::vector<std::uint8_t>().swap(buffer_);
  stripRows_ = 0;
}

int PngStripWriter::Open(const std::string& path, int width, int height) {
  Abandon();
  if (width <= 0 || height <= 0) return kErrorWritingImageFile;
  path_ = path;
  width_ = width;
  height_ = height;
  rowsWritten_ = 0;
  hadStrip_ = false;
  peakStripBytes_ = 0;
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return kCannotOpenFile;

  png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
  if (png_) info_ = png_create_info_struct(png_);
  if (!png_ || !info_) {
    Abandon();
    return kErrorWritingImageFile;
  }
  if (setjmp(png_jmpbuf(png_))) {
    Abandon();
    return kErrorWritingImageFile;
  }
  png_set_write_fn(png_, this, OnWrite, OnFlush);
  png_set_IHDR(png_, info_, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png_, info_);
  // The rows arrive as a bitmap stores them: blue, green, red.
  png_set_bgr(png_);
  return 0;
}

int PngStripWriter::BeginStrip(int rows) {
  int failure = hadStrip_ ? kErrorWritingImageFile : kCannotAllocateMemory;
  if (!png_ || rows <= 0) return failure;
  std::size_t bytes = RowBytes(width_) * std::size_t(rows);
  try {
    if (bytes > buffer_.capacity()) std::vector<std::uint8_t>().swap(buffer_);  // never two strips at once
    buffer_.assign(bytes, 0xFF);
  } catch (const std::bad_alloc&) {
    Abandon();
    return failure;
  }
  if (buffer_.capacity() > peakStripBytes_) peakStripBytes_ = buffer_.capacity();
  stripRows_ = rows;
  hadStrip_ = true;
  return 0;
}

int PngStripWriter::WriteStrip() {
  if (!png_ || stripRows_ <= 0 || rowsWritten_ + stripRows_ > height_) {
    Abandon();
    return kErrorWritingImageFile;
  }
  if (setjmp(png_jmpbuf(png_))) {
    Abandon();
    return kErrorWritingImageFile;
  }
  std::size_t stride = RowBytes(width_);
  for (int i = 0; i < stripRows_; ++i) {
    png_write_row(png_, buffer_.data() + std::size_t(stripRows_ - 1 - i) * stride);
    ++rowsWritten_;
    if (progress_) progress_(rowsWritten_);
  }
  return 0;
}

int PngStripWriter::Finish() {
  if (!png_ || rowsWritten_ != height_) {
    Abandon();
    return kErrorWritingImageFile;
  }
  if (setjmp(png_jmpbuf(png_))) {
    Abandon();
    return kErrorWritingImageFile;
  }
  png_write_end(png_, nullptr);
  png_destroy_write_struct(&png_, &info_);
  png_ = nullptr;
  info_ = nullptr;
  std::vector<std::uint8_t>().swap(buffer_);
  stripRows_ = 0;
  std::FILE* f = file_;
  file_ = nullptr;
  if (std::fclose(f) != 0) {
    RemovePartialFile(path_);
    return kErrorWritingImageFile;
  }
  return 0;
}

}  // namespace dv
