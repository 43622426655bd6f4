// Encoding speed of the PNG strip writer and the memory it holds: the
// "strip_bytes" counter stays at one strip whatever the image height.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "output/PngStripWriter.h"

namespace {

void BM_PngStrips(benchmark::State& state) {
  const int width = 1400;
  const int stripRows = 714;  // about a million pixels a strip
  const int height = int(state.range(0));
  std::string path = (std::filesystem::temp_directory_path() / "dorvane_bench.png").string();
  std::size_t peak = 0;
  for (auto _ : state) {
    dv::PngStripWriter w;
    if (w.Open(path, width, height) != 0) {
      state.SkipWithError("cannot open");
      break;
    }
    for (int first = 0; first < height; first += stripRows) {
      int rows = std::min(stripRows, height - first);
      w.BeginStrip(rows);
      auto bits = w.strip();
      for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = std::uint8_t(i * 31 + first);
      w.WriteStrip();
    }
    peak = w.peakStripBytes();
    w.Finish();
  }
  state.counters["strip_bytes"] = double(peak);
  state.counters["rows"] = height;
  state.SetItemsProcessed(state.iterations() * std::int64_t(width) * height);
  std::remove(path.c_str());
}
BENCHMARK(BM_PngStrips)->Arg(714)->Arg(7140)->Arg(71400)->Unit(benchmark::kMillisecond);

}  // namespace
