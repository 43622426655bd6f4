#include "ChartDump.h"

#include <cstdio>

#include "ConsoleText.h"
#include "common/SafeFile.h"
#include "output/CellDump.h"
#if !defined(_WIN32)
#include "native/ChartPng.h"
#endif

namespace dv::cli {

int WriteChartDump(const DrawRoutine& draw, int page, int screen, const std::string& path) {
  int status = 0;
  std::string dump = DumpDrawing(draw, page, screen, status);
  if (int rc = WriteTextFile(path, dump)) return rc;
  return status;
}

int WriteTextFile(const std::string& path, const std::string& text) {
  const bool toStdout = path == "-";
  std::FILE* out = toStdout ? stdout : std::fopen(path.c_str(), "wb");
  if (out == nullptr) return kMsgCannotOpenForOutput;
  bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  written = (toStdout ? std::fflush(out) == 0 : std::fclose(out) == 0) && written;
  if (written) return 0;
  // A disk that filled up part way: no half-written file is left behind.
  if (!toStdout) RemovePartialFile(path);
  return kMsgErrorWritingFile;
}

int ExportChartPng(const DrawRoutine& draw, int chartColumns, int chartLines, int zoom,
                   const std::string& path) {
#if defined(_WIN32)
  (void)draw, (void)chartColumns, (void)chartLines, (void)zoom, (void)path;
  return PrintMessage(kMsgPngNativeOnly);
#else
  ChartImage image;
  image.chartColumns = chartColumns;
  image.chartLines = chartLines;
  image.chartFont = DefaultChartFont();
  image.zoom = zoom;
  if (int rc = RenderChartPng(draw, image, path)) return PrintMessage(rc, rc == 2 ? path : "");
  return 0;
#endif
}

}  // namespace dv::cli
