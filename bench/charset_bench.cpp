// The cost of character-set conversion. The generated file of the load
// benchmark is given names and places with letters beyond ASCII in UTF-8;
// the same bytes are loaded once declared "CHAR UTF-8" (every summary, key
// and note converted) and once declared "CHAR ANSI" (code page 1252: nothing
// to convert). The difference is what the conversion costs a load.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "GedcomGenerator.h"
#include "data/CharSet.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"

namespace {

constexpr std::int32_t kIndividuals = 29'900;

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  std::size_t at = 0;
  for (std::size_t hit; (hit = text.find(from, at)) != std::string::npos; at = hit + from.size()) {
    out.append(text, at, hit - at);
    out.append(to);
  }
  out.append(text, at, std::string::npos);
  text.swap(out);
}

// The generated file with UTF-8 letters (some of them outside code page
// 1252) in given names, surnames and towns, under a given CHAR line.
class Utf8File {
 public:
  Utf8File(std::string_view charValue, const char* name) {
    std::string text = dv::bench::GenerateGedcom(kIndividuals, 1);
    ReplaceAll(text, "1 CHAR ASCII", std::string("1 CHAR ") + std::string(charValue));
    ReplaceAll(text, "Thorn", "\xC3\x9E\xC3\xB3rn");     // Þórn
    ReplaceAll(text, "Mor", "M\xC3\xB3r");               // Mór
    ReplaceAll(text, "Dun", "D\xC3\xBAn");               // Dún
    ReplaceAll(text, "Llan", "\xC5\x81lan");             // Łlan
    ReplaceAll(text, "Eluned", "\xC3\x89l\xC3\xBCned");  // Élüned
    ReplaceAll(text, "Angharad", "A\xCC\x81ngharad");    // A and a combining acute
    bytes_ = text.size();
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec) dir = ".";
    path_ = (dir / name).string();
    if (std::FILE* f = std::fopen(path_.c_str(), "wb")) {
      ok_ = std::fwrite(text.data(), 1, text.size(), f) == text.size();
      ok_ = std::fclose(f) == 0 && ok_;
    }
  }
  ~Utf8File() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  const std::string& Path() const { return path_; }
  bool Ok() const { return ok_; }
  std::size_t Bytes() const { return bytes_; }

 private:
  std::string path_;
  std::size_t bytes_ = 0;
  bool ok_ = false;
};

void Load(benchmark::State& state, const Utf8File& file) {
  if (!file.Ok()) {
    state.SkipWithError("cannot write the benchmark file");
    return;
  }
  dv::RecordStore store;
  std::string summary;
  for (auto _ : state) {
    if (int status = dv::LoadDataSource(store, file.Path(), {}, summary)) {
      state.SkipWithError(("load failed with string id " + std::to_string(status)).c_str());
      return;
    }
    benchmark::DoNotOptimize(store.IndividualCount());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(file.Bytes()));
}

void BM_LoadDeclaredUtf8(benchmark::State& state) {
  static const Utf8File file("UTF-8", "dorvane_charset_bench_utf8.ged");
  Load(state, file);
}
BENCHMARK(BM_LoadDeclaredUtf8)->Unit(benchmark::kMillisecond);

void BM_LoadDeclaredAnsi(benchmark::State& state) {
  static const Utf8File file("ANSI", "dorvane_charset_bench_ansi.ged");
  Load(state, file);
}
BENCHMARK(BM_LoadDeclaredAnsi)->Unit(benchmark::kMillisecond);

// The conversion alone over name-like text, most of it plain ASCII.
void BM_ProgramTextUtf8(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < 20000; ++i)
    text += i % 4 ? "John William /Ashworth/ "
                  : "Zo\xC3\xAB /N\xC3\xBA\xC3\xB1"
                    "ez/ \xC5\x81ukasz ";
  std::string out;
  for (auto _ : state) {
    out.clear();
    dv::AppendProgramText(out, text, dv::CharSet::kUtf8);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ProgramTextUtf8)->Unit(benchmark::kMicrosecond);

}  // namespace
