// Loading a large GEDCOM file: the bare cost of reading the file and
// counting its lines, against the full load through the engine (chunked
// read, line parse, record scan, summaries, link check and the rest of the
// after-load sequence). The file is generated once into the temp directory.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "GedcomGenerator.h"

#if __has_include("data/DataSource.h")
#include "data/ChunkedReader.h"
#include "data/DataSource.h"
#include "data/GedcomReader.h"
#include "data/RecordStore.h"
#define DORVANE_BENCH_HAVE_LOADER 1
#endif

namespace {

// The largest file the loader takes holds 29,998 individuals (the INDI
// number table has room for 30,000 less two); a round figure just below it
// keeps the benchmark clear of that limit. About 11.8 MB, within the reader's
// 199 chunks of 64,512 bytes.
constexpr std::int32_t kIndividuals = 29'900;
constexpr std::uint32_t kSeed = 1;

// The generated file, written on first use and removed at exit.
class BenchFile {
 public:
  static const BenchFile& Get() {
    static const BenchFile file;
    return file;
  }
  const std::string& Path() const { return path_; }
  bool Ok() const { return ok_; }
  const dv::bench::GeneratedCounts& Counts() const { return counts_; }

  ~BenchFile() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove(path_, ec);
  }

 private:
  BenchFile() {
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec) dir = ".";
    path_ = (dir / ("dorvane_load_bench_" + std::to_string(kIndividuals) + ".ged")).string();
    ok_ = dv::bench::WriteGedcomFile(path_, kIndividuals, kSeed, &counts_);
  }
  std::string path_;
  bool ok_ = false;
  dv::bench::GeneratedCounts counts_;
};

// (a) Read the whole file into memory and count its line feeds: the floor
// under any loader.
void BM_ReadAndCountLines(benchmark::State& state) {
  const BenchFile& file = BenchFile::Get();
  if (!file.Ok()) {
    state.SkipWithError("cannot write the benchmark file");
    return;
  }
  std::string data;
  std::size_t lines = 0;
  for (auto _ : state) {
    std::FILE* f = std::fopen(file.Path().c_str(), "rb");
    if (!f) {
      state.SkipWithError("cannot open the benchmark file");
      return;
    }
    data.resize(file.Counts().bytes);
    const std::size_t got = std::fread(data.data(), 1, data.size(), f);
    std::fclose(f);
    data.resize(got);
    lines = static_cast<std::size_t>(std::count(data.begin(), data.end(), '\n'));
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(file.Counts().bytes));
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ReadAndCountLines)->Unit(benchmark::kMillisecond);

#ifdef DORVANE_BENCH_HAVE_LOADER
// (b) The whole load as the Data Source dialog runs it: start (read, parse,
// scan), every summary step, and the finish. Each load first closes the
// data source of the previous iteration, as reopening a file does.
void BM_LoadDataSource(benchmark::State& state) {
  const BenchFile& file = BenchFile::Get();
  if (!file.Ok()) {
    state.SkipWithError("cannot write the benchmark file");
    return;
  }
  dv::RecordStore store;
  const dv::LoadOptions options;
  std::string summary;
  for (auto _ : state) {
    const int status = dv::LoadDataSource(store, file.Path(), options, summary);
    if (status != 0) {
      state.SkipWithError(("load failed with string id " + std::to_string(status)).c_str());
      return;
    }
    benchmark::DoNotOptimize(store.IndividualCount());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(file.Counts().bytes));
  state.counters["individuals"] = static_cast<double>(store.IndividualCount());
  state.counters["families"] = static_cast<double>(store.FamilyCount());
}
BENCHMARK(BM_LoadDataSource)->Unit(benchmark::kMillisecond);

// (c) The same load into a new record store each time, as the first load
// in a fresh process: the store's memory is obtained and touched anew.
void BM_LoadDataSourceFresh(benchmark::State& state) {
  const BenchFile& file = BenchFile::Get();
  if (!file.Ok()) {
    state.SkipWithError("cannot write the benchmark file");
    return;
  }
  const dv::LoadOptions options;
  std::string summary;
  std::int32_t individuals = 0;
  for (auto _ : state) {
    auto store = std::make_unique<dv::RecordStore>();
    const int status = dv::LoadDataSource(*store, file.Path(), options, summary);
    if (status != 0) {
      state.SkipWithError(("load failed with string id " + std::to_string(status)).c_str());
      return;
    }
    individuals = store->IndividualCount();
    state.PauseTiming();
    store.reset();  // giving the memory back is not part of the load
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(file.Counts().bytes));
  state.counters["individuals"] = static_cast<double>(individuals);
}
BENCHMARK(BM_LoadDataSourceFresh)->Unit(benchmark::kMillisecond);

// (d) The start of a load alone: chunked read, line parse and record scan
// with the keys, without the summaries.
void BM_LoadStart(benchmark::State& state) {
  const BenchFile& file = BenchFile::Get();
  if (!file.Ok()) {
    state.SkipWithError("cannot write the benchmark file");
    return;
  }
  dv::RecordStore store;
  const dv::LoadOptions options;
  for (auto _ : state) {
    dv::DataSourceLoader loader(store);
    const int status = loader.Start(file.Path(), options);
    if (status != 0) {
      state.SkipWithError(("load failed with string id " + std::to_string(status)).c_str());
      return;
    }
    benchmark::DoNotOptimize(store.Nodes().Count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(file.Counts().bytes));
  state.counters["lines"] = static_cast<double>(store.Nodes().Count() - 1);
}
BENCHMARK(BM_LoadStart)->Unit(benchmark::kMillisecond);

// (e) The line pass in its parts, on the file's bytes already in memory:
// cutting the text into lines at their ends (range(0) 0), and that with
// each line parsed into level, cross-reference, tag and value (1). With the
// files' short lines, both cost per line rather than per byte.
void BM_LinePass(benchmark::State& state) {
  const BenchFile& file = BenchFile::Get();
  std::string data;
  if (std::FILE* f = file.Ok() ? std::fopen(file.Path().c_str(), "rb") : nullptr) {
    data.resize(file.Counts().bytes);
    data.resize(std::fread(data.data(), 1, data.size(), f));
    std::fclose(f);
  }
  if (data.empty()) {
    state.SkipWithError("cannot read the benchmark file");
    return;
  }
  const bool parse = state.range(0) != 0;
  std::size_t lines = 0;
  for (auto _ : state) {
    lines = 0;
    std::size_t fields = 0;
    const char* text = data.data();
    for (std::size_t i = 0, end = data.size(); i < end;) {
      const std::size_t lineEnd = dv::FindTextEnd(text, i, end);
      if (parse) {
        const dv::ParsedLine p = dv::ParseLine(std::string_view(text + i, lineEnd - i));
        fields += static_cast<std::size_t>(p.tag) + p.value.size();
      }
      ++lines;
      i = lineEnd;
      while (i < end && (text[i] == '\r' || text[i] == '\n')) ++i;
    }
    benchmark::DoNotOptimize(fields);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(data.size()));
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_LinePass)->ArgName("parse")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// (f) Reading the file and building its line tree, without the record scan:
// on this thread alone (range(0) 1), or with a second thread reading and
// parsing ahead while this one appends (2), as the load does.
void BM_ParseIntoTree(benchmark::State& state) {
  const BenchFile& file = BenchFile::Get();
  if (!file.Ok()) {
    state.SkipWithError("cannot write the benchmark file");
    return;
  }
  dv::RecordStore store;
  std::vector<dv::LineNode*> records;
  for (auto _ : state) {
    if (store.Start() != 0) {
      state.SkipWithError("no memory for the store");
      return;
    }
    dv::ChunkedStream stream;
    if (stream.Open(file.Path()) != 0) {
      state.SkipWithError("cannot open the benchmark file");
      return;
    }
    const int last = state.range(0) == 2 ? dv::ParseLinesOnTwoThreads(store, stream, &records)
                                         : dv::ParseLines(store, stream, &records);
    if (last < 0) {
      state.SkipWithError("the lines did not fit the store");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(file.Counts().bytes));
  state.counters["lines"] = static_cast<double>(store.Nodes().Count() - 1);
}
BENCHMARK(BM_ParseIntoTree)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
