#pragma once
// Turns the lines of a GEDCOM file into the record store's line tree
// (ParseLines) and numbers the level-0 records into the kind indexes
// (ScanRecords).

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "data/ChunkedReader.h"
#include "data/RecordStore.h"

namespace dv {

// One GEDCOM line split into its parts.
struct ParsedLine {
  bool hasLevel = false;
  int level = 0;
  int tag = 0;
  std::string_view xref;
  std::string_view value;
};
// Parses one line: level (characters before the first digit skipped),
// cross-reference, tag (up to 7 characters) and value. For a known tag the
// value starts with the space after the tag; for codes 129 and 130 it is
// everything after the level.
ParsedLine ParseLine(std::string_view line);

// Parses every line of file into the store's tree (the store must be
// started). The tag code of the last line; -2 when a line's level could not
// be appended (above 14, or a jump of more than one); -1 when the node or
// text pool was exhausted.
int ParseLines(RecordStore& store, const ChunkedFile& file);
// The same, reading the file chunk by chunk; a line beyond the line bound
// stops the parse with the stream's error 115 set. When records is given,
// the level-0 lines are listed there in file order as they are appended.
int ParseLines(RecordStore& store, ChunkedStream& file, std::vector<LineNode*>* records = nullptr);

// The same result, tree, text pool and reader code, with the file read, cut
// into lines and parsed on a second thread, which also gives each line's
// texts their place in the pool, while this one appends the lines to the
// tree in file order; the texts are copied by whichever thread is ahead.
// Files of one chunk, and machines with one processor, take the
// single-thread pass. Where the reading thread cannot get memory for a
// chunk's lines, the read ends there with the reader code 1.
int ParseLinesOnTwoThreads(RecordStore& store, ChunkedStream& file,
                           std::vector<LineNode*>* records = nullptr);

// Numbers the level-0 records: 0 numbering consecutive, 1 not consecutive,
// -1 a capacity exceeded or a key list failed, -2 more than one INDI or
// FAM record without a number, or two records of a kind with the same
// number where identifiers have more after their digits (@I2@, @I2-1@),
// -3 a record numbered above kMaxRecordNumber. records, when given, is the
// list of the level-0 lines that the parse just made (the root's children):
// walked as a list, the records' lines can be fetched ahead. Without
// withKeys the key lists are left to BuildRecordKeys.
int ScanRecords(RecordStore& store, const std::array<int, kKindCount>& capacities,
                std::int32_t& individuals, std::int32_t& families,
                const std::vector<LineNode*>* records = nullptr, bool withKeys = true);

// The key lists of every kind that has them (INDI, NOTE, SOUR, REPO, in
// that order); false when one did not come out with an entry per record.
bool BuildRecordKeys(RecordStore& store);

// Whether the records' cross-references use non-digit identifiers.
bool HasNonNumericIds(const RecordStore& store);

}  // namespace dv
