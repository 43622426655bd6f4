// Fuzzes the chunked file reader and the line parser with arbitrary bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/ChunkedReader.h"
#include "data/GedcomReader.h"

namespace {

// Traps unless the two stores hold the same lines in the same tree.
void ExpectSameTree(const dv::RecordStore& a, const dv::RecordStore& b) {
  for (const dv::LineNode *x = a.Root(), *y = b.Root(); x || y;
       x = dv::NextLine(a.Root(), x), y = dv::NextLine(b.Root(), y)) {
    if (!x || !y || x->level != y->level || x->tag != y->tag || x->Xref() != y->Xref() ||
        x->Value() != y->Value())
      __builtin_trap();
  }
}

}  // namespace

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
  // The stores are reused from input to input, as the program reuses its
  // one store: each keeps its arena, and a load starts it over.
  static dv::RecordStore store, byChunk;
  if (store.Start() != 0 || byChunk.Start() != 0) return 0;
  const int byLine = dv::ParseLines(store, file);
  // The loader's chunk pass gives the same tree and result.
  dv::ChunkedStream chunks;
  if (chunks.OpenBytes(std::string(reinterpret_cast<const char*>(data), size)) != 0)
    __builtin_trap();
  if (dv::ParseLines(byChunk, chunks) != byLine || chunks.LastReaderError() != 0) __builtin_trap();
  if (store.StoreFlags() != byChunk.StoreFlags()) __builtin_trap();
  ExpectSameTree(store, byChunk);
  // The loader's pass on two threads gives the same tree, and its list of
  // records the same scan.
  static dv::RecordStore twoThreads;
  if (twoThreads.Start() != 0) return 0;
  dv::ChunkedStream piped;
  if (piped.OpenBytes(std::string(reinterpret_cast<const char*>(data), size)) != 0)
    __builtin_trap();
  std::vector<dv::LineNode*> records;
  if (dv::ParseLinesOnTwoThreads(twoThreads, piped, &records) != byLine ||
      piped.LastReaderError() != 0 || twoThreads.StoreFlags() != store.StoreFlags())
    __builtin_trap();
  ExpectSameTree(store, twoThreads);
  if (byLine >= 0) {
    std::int32_t individuals = 0, families = 0, listedIndividuals = 0, listedFamilies = 0;
    const int walked = dv::ScanRecords(store, dv::kFileCapacities, individuals, families);
    const int listed = dv::ScanRecords(twoThreads, dv::kFileCapacities, listedIndividuals,
                                       listedFamilies, &records);
    if (walked != listed || individuals != listedIndividuals || families != listedFamilies)
      __builtin_trap();
    dv::HasNonNumericIds(store);
  }
  // One input in eight again after a first chunk of filler lines, so that
  // the two threads really share it: the reading thread cuts, parses and
  // places the texts of the input's chunk while the other appends the
  // first, and a line that fails drops the texts placed after it.
  if (size > 0 && (data[0] & 7) == 0) {
    std::string tiled = "0 HEAD\n";
    while (tiled.size() < static_cast<std::size_t>(dv::ChunkedFile::kStep) + 200)
      tiled += "1 NOTE filler for the first chunk\n";
    tiled.append(reinterpret_cast<const char*>(data), size);
    static dv::RecordStore oneTiled, twoTiled;
    if (oneTiled.Start() != 0 || twoTiled.Start() != 0) return 0;
    dv::ChunkedStream a, b;
    if (a.OpenBytes(tiled) != 0 || b.OpenBytes(tiled) != 0) __builtin_trap();
    if (b.ChunkCount() < 2) __builtin_trap();
    if (dv::ParseLinesOnTwoThreads(twoTiled, b) != dv::ParseLines(oneTiled, a) ||
        a.LastReaderError() != b.LastReaderError() ||
        oneTiled.StoreFlags() != twoTiled.StoreFlags() ||
        oneTiled.Text().BytesUsed() != twoTiled.Text().BytesUsed() ||
        oneTiled.Nodes().Count() != twoTiled.Nodes().Count())
      __builtin_trap();
    ExpectSameTree(oneTiled, twoTiled);
  }
  return 0;
}
