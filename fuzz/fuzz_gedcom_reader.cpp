// Fuzzes the chunked file reader and the line parser with arbitrary bytes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "data/ChunkedReader.h"
#include "data/GedcomReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dv::ChunkedFile file;
  if (file.OpenBytes(std::string(reinterpret_cast<const char*>(data), size)) != 0) return 0;
  dv::ChunkedFile::Position pos;
  std::string_view line;
  for (;;) {
    bool more = file.ReadWholeLine(line, pos);
    dv::ParsedLine p = dv::ParseLine(line);
    if (p.hasLevel && p.tag < 0) __builtin_trap();
    if (!more) break;
  }
  dv::ChunkedFile::Position pieces;
  std::string piece;
  int maxLength = size > 0 ? 2 + data[0] % 300 : 256;
  while (file.ReadLine(piece, pieces, maxLength)) {
    if (piece.size() >= static_cast<std::size_t>(maxLength)) __builtin_trap();
  }
  // The chunk-by-chunk reader gives the same cuts and lines.
  dv::ChunkedStream stream;
  if (stream.OpenBytes(std::string(reinterpret_cast<const char*>(data), size)) != 0) __builtin_trap();
  if (stream.ChunkEnds() != file.ChunkEnds()) __builtin_trap();
  dv::ChunkedFile::Position a, b;
  std::string_view la, lb;
  for (;;) {
    bool moreA = file.ReadWholeLine(la, a);
    bool moreB = stream.ReadWholeLine(lb, b);
    if (moreA != moreB || la != lb) __builtin_trap();
    if (!moreA) break;
  }
  dv::RecordStore store;
  if (store.Start() == 0 && dv::ParseLines(store, file) >= 0) {
    std::int32_t individuals = 0, families = 0;
    dv::ScanRecords(store, dv::kFileCapacities, individuals, families);
    dv::HasNonNumericIds(store);
  }
  return 0;
}
