#pragma once
// In-process tests of the chart window, printing and the image export: the
// main window (hidden, with a known client size), the test chart registered
// as the chart shown, with the size, pages and draw routine a test asks for,
// and a print device that records the printing calls.

#include <gtest/gtest.h>
#include <png.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "output/ChartWindow.h"
#include "output/GdiGuards.h"
#include "output/GdiSurface.h"
#include "output/PrintChart.h"
#include "output/PrintSetup.h"
#include "output/ShownChart.h"
#include "output/TestChart.h"
#include "resources/resource.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {

// The printer of these tests: a recording wrapper over the printing calls.
// Every call is written to a shared log, and the drawing goes into an
// enhanced metafile made on the screen, so the draw routine, the fonts and
// the page measurement run on a real device context (the metafile answers
// the screen's resolution) while no spooler is involved. Calls can be made
// to fail to follow the error paths.
class RecordingPrinter final : public PrintDevice {
 public:
  RecordingPrinter(std::vector<std::string>& log, int failStartDoc, int failStartPageAt)
      : log_(log), failStartDoc_(failStartDoc), failStartPageAt_(failStartPageAt) {
    ScreenDc screen;
    dc_ = CreateEnhMetaFileA(screen.get(), nullptr, nullptr, nullptr);
  }
  ~RecordingPrinter() override {
    if (dc_) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
  }
  HDC dc() const override { return dc_; }
  int SetAbortProc(ABORTPROC proc) override {
    log_.push_back(proc == PrintAbortProc ? "SetAbortProc" : "SetAbortProc(other)");
    return 1;
  }
  int StartDoc(const char* name) override {
    log_.push_back(std::string("StartDoc ") + name);
    return failStartDoc_ ? -1 : 1;
  }
  int StartPage() override {
    ++pages_;
    log_.push_back("StartPage");
    return pages_ == failStartPageAt_ ? -1 : 1;
  }
  int EndPage() override {
    log_.push_back("EndPage");
    return 1;
  }
  int EndDoc() override {
    log_.push_back("EndDoc");
    return 1;
  }
  int AbortDoc() override {
    log_.push_back("AbortDoc");
    return 1;
  }

 private:
  std::vector<std::string>& log_;
  HDC dc_ = nullptr;
  int failStartDoc_;
  int failStartPageAt_;
  int pages_ = 0;
};

inline constexpr int kClientWidth = 640;
inline constexpr int kClientHeight = 480;

class ChartTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    window_ = Start("");
    ASSERT_NE(window_, nullptr);
    // The client area the tests compute with; the window stays hidden.
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, GetWindowLongA(window_, GWL_STYLE), TRUE);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    SendMessageA(window_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(kClientWidth, kClientHeight));
    part_.draw = dv::testing::DrawTestChart;
    part_.extent = [this] { return extent_; };
    part_.release = [this] { ++released_; };
  }

  void TearDown() override {
    UnregisterShownChart(ChartSlot::kSelectiveTree);
    ShellTest::TearDown();
  }

  // Registers the test chart as the Selective Tree's, marks it computed and
  // sends command 32.
  void ShowChart(int columns, int lines) {
    extent_.chartColumns = columns;
    extent_.chartLines = lines;
    RegisterShownChart(ChartSlot::kSelectiveTree, part_);
    State().app.selectiveChartState = 2;
    SendMessageA(window_, WM_COMMAND, IDM_SHOW_CHART, 0);
  }

  void Command(int id) { SendMessageA(window_, WM_COMMAND, id, 0); }
  void Scroll(bool vertical, int code, int thumb = 0) {
    SendMessageA(window_, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, thumb), 0);
  }

  // The client area as the window paints it.
  void PaintInto(Dib24& image) { SendMessageA(window_, WM_PRINTCLIENT, WPARAM(image.dc()), PRF_CLIENT); }

  // The test chart drawn straight onto a bitmap, scrolled like the view.
  void DrawDirect(Dib24& image, int originX, int originY) {
    const auto& view = State().view;
    GdiSurface surface(image.dc());
    surface.SetOrigin(originX, originY);
    surface.SelectFont(*State().app.screenFont);
    dv::testing::DrawTestChart(surface, view.cellWidth, view.cellHeight, 0, 1);
  }

  static int CountNonWhite(const Dib24& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += image.PixelAt(x, y) != dv::kWhite;
    return n;
  }

  static int CountDifferent(const Dib24& a, const Dib24& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) n += a.PixelAt(x, y) != b.PixelAt(x, y);
    return n;
  }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes_) texts.push_back(box.text);
    return texts;
  }

  HWND window_ = nullptr;
  ShownChartPart part_;
  ChartExtent extent_;
  int released_ = 0;
};

// The pixels of a PNG file as RGB rows, top row first.
struct PngPixels {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
  dv::Colour At(int x, int y) const {
    const std::uint8_t* p = &rgb[(std::size_t(y) * width + x) * 3];
    return dv::Rgb(p[0], p[1], p[2]);
  }
};

inline bool ReadPngPixels(const std::string& path, PngPixels& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  out.width = int(image.width);
  out.height = int(image.height);
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  const bool ok = png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return ok;
}

}  // namespace dv::win::test
