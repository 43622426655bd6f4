#pragma once
// The arithmetic of saving a chart as an image: the file name's extension,
// the strip plan of a PNG export, the progress steps and the metafile frame.

#include <string>
#include <vector>

namespace dv {

// A strip of about one million pixels bounds an export's memory.
inline constexpr int kStripPixels = 1000000;
inline constexpr int kMaxStrips = 200;  // entries of a strip plan

// name + extension (".png", ".emf") when name has no extension: no "." after
// the last "\\" or "/"; names of 252 characters or more are left alone.
std::string WithDefaultExtension(const std::string& name, const std::string& extension);

// The strip plan of a chart drawn whole into each strip: line numbers from 0
// to chartLines, strips of max(1, stripPixels / pixels per line) lines,
// widened when needed so the plan keeps to 200 entries.
std::vector<int> UniformStripPlan(int chartColumns, int chartLines, int cellWidth, int cellHeight,
                                  int stripPixels = kStripPixels);

// The progress bar of an export: range = rows, step = rows / 100; Row()
// counts one row and answers whether the bar moves one step.
class ExportProgress {
 public:
  explicit ExportProgress(int rows) : step_(rows / 100) {}
  int step() const { return step_; }
  bool Row() {
    if (++count_ < step_) return false;
    count_ -= step_;
    return true;
  }

 private:
  int step_;
  int count_ = 0;
};

// The frame of an enhanced metafile of a width x height pixel chart, in
// hundredths of a millimetre of the reference screen.
struct MetafileFrame {
  int left = 0, top = 0, right = 0, bottom = 0;
};
MetafileFrame MetafileFrameFor(int chartWidthPixels, int chartHeightPixels, int screenWidthMm,
                               int screenHeightMm, int screenWidthPixels, int screenHeightPixels);

}  // namespace dv
