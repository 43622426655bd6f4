#pragma once
// The extract scan: a GEDCOM file read as text, without the record store,
// for writing chart files. Records are found by their numbers (the digits
// of the cross-reference), with an index of every hundredth individual
// record to start the search near its target. Tags are matched as whole
// tags of the line (never as parts of a value), so a NAME of CHRISTIE, a
// note mentioning BURIED or a NOTE record about an INDI are not taken for
// events or records. Texts come back as program text (code page 1252).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/CharSet.h"
#include "data/ChunkedReader.h"

namespace dv {

inline constexpr int kMsgNotGedcomQuestion = 64;  // "Is this a GEDCOM file?  -  " + name

// An event of a record as the scan finds it.
struct ScanEvent {
  bool found = false;
  char letter = 0;  // 'b', 'c', 'd' ('m' for a marriage)
  bool hasPlace = false;
  std::string place;  // the whole PLAC value
  std::string year;   // exactly 4 digits, or empty
  // The chart-file text: letter and space (not for a marriage), the place
  // and a comma when there is a place, then the year. Empty without event.
  std::string Text() const;
};

enum class ScanKind { kIndi, kFam };

class GedcomScan {
 public:
  // Index capacities: the Birth Brief notes 29 positions, the Selective Tree 99.
  static constexpr int kBirthBriefIndex = 29;
  static constexpr int kTreeIndex = 99;

  // Reads the file: 0, or the reader's failure (1, 2, 55, 115).
  int Open(const std::string& path, int indexCapacity);
  int OpenBytes(std::string bytes, int indexCapacity);

  // The header line of record number in the record list, or -1 when the
  // file holds no such record. The search starts near the last find.
  int Find(ScanKind kind, std::int32_t number);

  // Whether the index of every hundredth INDI is in use.
  bool IndexUsed() const { return indexUsed_; }

  // Texts of the record whose header is record (from Find).
  // Given names, a space, the surname with "_" for its spaces; "____" for
  // a missing part; "____" for an empty NAME.
  std::string Name(int record) const;
  std::string Occupation(int record) const;
  ScanEvent Birth(int record) const;
  ScanEvent Death(int record) const;
  ScanEvent Marriage(int record) const;
  // The number of the first (or every) level-1 pointer line with tag: 0 when none.
  std::int32_t Pointer(int record, std::string_view tag) const;
  std::vector<std::int32_t> Pointers(int record, std::string_view tag) const;

 private:
  struct Line {
    std::string_view tag, value;
    int level = -1;
  };
  struct Record {
    std::size_t first = 0, end = 0;  // its lines [first, end)
    std::int32_t number = 0;
    ScanKind kind = ScanKind::kIndi;
    bool known = false;  // an INDI or FAM record
  };
  int Parse(int indexCapacity);
  void BuildIndex(int capacity);
  ScanEvent Event(int record, std::initializer_list<std::string_view> tags) const;
  std::string Text(std::string_view raw) const;

  ChunkedFile file_;
  SourceEncoding encoding_;
  std::vector<Line> lines_;
  std::vector<Record> records_;
  std::vector<int> index_;  // record list positions of INDI 100, 200, ...
  bool indexUsed_ = false;
  int lastFound_ = 0;
  int lastFam_ = -1;
};

// The number in a cross-reference or pointer value: the first run of
// digits (at most 9); 0 when there is none.
std::int32_t ScanNumber(std::string_view text);

// A year of a DATE value as the scan takes it: the first run of at least 4
// digits, used only when it has exactly 4.
std::string ScanYear(std::string_view date);

// Whether a data source name looks like a GEDCOM file (ends in "ged" or
// "GED", at least 3 characters); otherwise question 64 is asked.
bool LooksLikeGedcomName(std::string_view name);

}  // namespace dv
