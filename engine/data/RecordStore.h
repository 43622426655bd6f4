#pragma once
// The record store of one data source: the text pool, the line tree, the
// five kind indexes (INDI, FAM, NOTE, SOUR, REPO) and the fixed-size
// individual and family summaries with the marriage table. One object owns
// every byte of the data source and releases it in one step (Clear or the
// destructor). Charts, lists and reports read people and families only
// through Individual(index) and Family(index).

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/CharSet.h"
#include "data/LineTree.h"
#include "data/Names.h"
#include "data/SummaryText.h"
#include "data/TagTable.h"
#include "data/TextPool.h"

namespace dv {

// String ids the store and its loaders return.
inline constexpr int kErrNoMemory = 1;        // "Cannot allocate memory"
inline constexpr int kErrCannotOpen = 2;      // "Cannot open file"
inline constexpr int kErrCannotCreate = 25;   // "Cannot open file for output: "
inline constexpr int kErrTooManyPeople = 39;  // "Too many ancestors/individuals"
inline constexpr int kErrFileTooLarge = 55;   // "File too large: cannot process"
inline constexpr int kErrTooMuchData = 75;    // "Too much data"
inline constexpr int kErrBadGedcom = 115;     // "Error in GEDCOM file"
inline constexpr int kErrWriteFailed = 250;   // "Error writing file: "
inline constexpr int kErrNonNumericIds = 254; // "This file uses non-numeric identifiers, ..."
inline constexpr int kMsgCutAtNul = 236;  // "This file holds a NUL character before its end. ..."
inline constexpr int kErrNumberTooLarge = 237;  // "This file numbers a record above 2,000,000,000, ..."
inline constexpr int kNoSummary = -73;        // an operation needed a summary that does not exist

// The numbered record kinds, in index order.
enum RecordKind : int { kIndi = 0, kFam = 1, kNote = 2, kSour = 3, kRepo = 4, kKindCount = 5 };
inline constexpr char kKindLetter[kKindCount] = {'I', 'F', 'N', 'S', 'R'};
inline constexpr int kKindTag[kKindCount] = {kTagINDI, kTagFAM, kTagNOTE, kTagSOUR, kTagREPO};

// StoreFlags bits.
enum StoreFlag : std::uint32_t {
  kFlagLive = 1u << 1,             // a live store (set at load and new)
  kFlagDigits4 = 1u << 4,          // new cross-references with "%04d"
  kFlagDigits5 = 1u << 5,          // new cross-references with "%05d"
  kFlagFamcBeforeFams = 1u << 7,   // new FAMC lines go after the last FAMC
  kFlagEventsBeforeChil = 1u << 8, // new CHIL lines go after the family events
  kFlagSourSeen = 1u << 9,         // a SOUR tag was read: inline sources may be converted
  kFlagNoteRecords = 1u << 10,     // NOTE records exist: new notes become records
  kFlagNamesLast = 1u << 11,       // the last NAME line counts
};

// Capacities and limits.
inline constexpr int kIndiCapacity = 30000;
inline constexpr int kFamCapacity = 15000;
inline constexpr int kNoteCapacity = 10000;
inline constexpr int kSourCapacity = 5000;
inline constexpr int kRepoCapacity = 1000;
inline constexpr std::array<int, kKindCount> kFileCapacities = {
    kIndiCapacity, kFamCapacity, kNoteCapacity, kSourCapacity, kRepoCapacity};
inline constexpr std::array<int, kKindCount> kNewCapacities = {2000, 1000, 1000, 1000, 500};
inline constexpr int kKeyRoom = 1000;          // records that can be added after a load
inline constexpr int kMaxChildren = 25;        // children kept per family summary
inline constexpr int kMaxFamiliesListed = 10;  // families listed per individual
inline constexpr int kMaxParentFamilies = 4;
inline constexpr int kIndividualsPerBlock = 198;  // slots 1-198 of a 200-slot block
inline constexpr int kFamiliesPerBlock = 117;     // slots 1-117 of a 119-slot block
inline constexpr int kMaxIndividualBlocks = 198;
inline constexpr int kMaxFamilyBlocks = 118;
inline constexpr int kMarriageCapacity = 5459;
inline constexpr int kMarriageMinimum = 100;
inline constexpr int kTooManyIndividuals = 29999;

struct IndividualSummary {
  std::int32_t id = 0;           // number of the INDI cross-reference; 0 = empty slot
  SummaryText<64> displayName;
  SummaryText<8> birthYear;
  SummaryText<24> birthDate;  // "b " or "c " and the DATE value
  SummaryText<64> birthPlace;
  SummaryText<24> deathDate;  // "d " or "bd " and the DATE value
  SummaryText<64> deathPlace;
  SummaryText<32> occupation;
  std::int32_t noteOffset = 0;   // gathered text of the last NOTE line, 0 = none
  std::int32_t parentFamily = 0; // family index, 0 = none
  std::int32_t spouseFamily = 0; // family index of the first FAMS, 0 = none
  std::int32_t moreMarriages = 0;// non-zero: further families in the MarriageTable
  std::int32_t sex = 0;          // 1 male, 0 female, -1 unknown or not stated (0 in an empty slot)
  char eventKinds[4] = {};       // 'b' BIRT, 'c' CHR/BAPM, 'b' BURI, 'd' DEAT (or 0)
  LineNode* line = nullptr;      // the INDI line
};

struct FamilySummary {
  std::int32_t id = 0;      // number of the FAM cross-reference; 0 = empty slot
  std::int32_t index = 0;   // the family's own index
  std::int32_t husband = 0; // individual index, 0 = none
  std::int32_t wife = 0;
  std::int32_t children[kMaxChildren] = {};  // individual indexes in file order, 0 = unused
  std::int32_t noteOffset = 0;
  SummaryText<64> marriagePlace;
  SummaryText<24> marriageDate;  // "m " and the DATE under a MARR line
  LineNode* line = nullptr;      // the FAM line
};

struct MarriageEntry {
  std::int32_t family = 0;      // family index
  std::int32_t individual = 0;  // individual index
  std::int32_t order = 0;       // 2 for the second marriage, 3 for the third, ...
};

// One entry of a kind's sorted key list.
struct KeyEntry {
  const char* key = nullptr;
  std::int32_t index = 0;
  LineNode* line = nullptr;
};

struct KindIndex {
  int tag = 0;
  std::int32_t count = 0;
  std::int32_t capacity = 0;
  std::vector<std::int32_t> ids;  // ids[k] = number of the k-th record (k = 1..count)
  std::int32_t idCount = 0;
  std::int32_t maxId = 0;
  int keyTag = 0;                 // NAME for INDI, NOTE and REPO; ABBR for SOUR
  bool hasKeys = false;           // FAM has no key list
  std::vector<KeyEntry> keys;     // sorted by key, byte-wise
  std::string prefix;             // letters before the first digit of the first record's xref
  bool notConsecutive = false;    // some number differs from its position
  std::vector<LineNode*> lines;   // lines[k] = level-0 line of the record with index k
  bool exists = false;            // created (SOUR is released when the file has none)

  // Search aid for numbering that is not consecutive: (number, index) pairs
  // of ids[1..count] sorted, rebuilt when count changes. It finds exactly
  // the entry the table walk (down from min(n, count), then up) would find.
  mutable std::vector<std::pair<std::int32_t, std::int32_t>> sorted;
  mutable std::int32_t sortedCount = -1;
  // Numbers appended after count by IndexOf (pointers to missing records),
  // number -> slot; valid while count equals appendedCount.
  std::unordered_map<std::int32_t, std::int32_t> appended;
  std::int32_t appendedCount = -1;
};

using IndividualBlock = std::array<IndividualSummary, 200>;
using FamilyBlock = std::array<FamilySummary, 119>;

// Frees a summary block of its own, or only ends the life of one that lies
// in a store's summary region.
struct SummaryBlockDelete {
  bool owned = true;
  template <typename Block>
  void operator()(Block* block) const {
    if (owned)
      delete block;
    else
      block->~Block();
  }
};
template <typename Block>
using SummaryBlockPtr = std::unique_ptr<Block, SummaryBlockDelete>;

// Summary blocks (and a copy of them, taken by the Full chart before it runs).
struct SummarySet {
  std::vector<SummaryBlockPtr<IndividualBlock>> individualBlocks;
  std::vector<SummaryBlockPtr<FamilyBlock>> familyBlocks;
  std::int32_t individualCount = 0;
  std::int32_t familyCount = 0;
  std::vector<MarriageEntry> marriages;  // sorted by individual index
  std::int32_t marriageCapacity = 0;

  const IndividualSummary* Individual(std::int32_t index) const;
  const FamilySummary* Family(std::int32_t index) const;
  IndividualSummary* Individual(std::int32_t index);
  FamilySummary* Family(std::int32_t index);
  void Clear();
};

class RecordStore {
 public:
  RecordStore();
  ~RecordStore();
  RecordStore(const RecordStore&) = delete;
  RecordStore& operator=(const RecordStore&) = delete;

  // Releases every index and summary block: state Empty. The node and text
  // blocks are kept by their pools for the next Start (reopening a file then
  // reuses memory already mapped); the destructor frees them.
  void Clear();
  // Allocates the first text and node blocks and the root line: 0 or 1.
  int Start();
  bool Empty() const { return root_ == nullptr; }

  // ---- Text and lines ----
  TextPool& Text() { return text_; }
  const TextPool& Text() const { return text_; }
  NodePool& Nodes() { return nodes_; }
  LineOrders& Orders() { return orders_; }
  // Where the summaries' text fields are kept (emptied with the summaries).
  SummaryTexts& SummaryTextStore() { return summaryTexts_; }
  const LineOrders& Orders() const { return orders_; }
  // Once a file's lines are in: the memory brought in past the last text
  // and the last node (the rest of a huge page) is given back.
  void DropUnusedLineMemory() { arena_.DropUnused(text_, nodes_); }
  LineNode* Root() const { return root_; }
  const char* StoreText(std::string_view text, bool trim = false) { return text_.StoreText(text, trim); }
  const char* TextAt(std::int32_t offset) const { return text_.TextAt(offset); }
  // A new line with level, tag, xref and value (empty = none), not yet linked.
  LineNode* MakeLine(int level, int tag, std::string_view xref = {}, std::string_view value = {});
  // Replaces a line's value with a copy of text (empty = none).
  void SetValue(LineNode* line, std::string_view text);
  // Places a new level-0 record relative to a level-0 anchor (algorithm of
  // record placement): after the run of records with its tag, else before
  // TRLR by record-kind order. 0 or -1.
  int InsertRecord(LineNode* anchor, LineNode* record);
  // Adds a level-1 pointer line (HUSB, WIFE, CHIL, FAMC, FAMS) to a record;
  // adopted adds a level-2 PEDI "Adopted" under a FAMC. The new line or nullptr.
  LineNode* AddLink(LineNode* recordLine, int tag, std::string_view xref, bool adopted = false);
  // Unlinks the first level-1 line with tag whose value has number; -1 when none.
  int RemoveLink(LineNode* recordLine, int tag, std::int32_t number);

  // ---- Character set ----
  // How the file's text is encoded (decided at load; code page 1252 for a
  // new data source). The line tree keeps the bytes as read; the summaries,
  // keys and everything shown are program text (code page 1252).
  // A file whose header does not name its set is read string by string (see
  // SourceEncoding::byText); its set is decided from the whole text only
  // when first asked for here.
  const SourceEncoding& Encoding() const;
  void SetEncoding(const SourceEncoding& encoding);
  // Text of the file (a line's value) as the program shows it.
  std::string ShownText(std::string_view raw) const {
    return ProgramText(raw, ReadingSet(encoding_));
  }
  // The same without copying when nothing changes: a view of raw or of scratch.
  std::string_view ShownView(std::string_view raw, std::string& scratch) const {
    return ProgramTextView(raw, ReadingSet(encoding_), scratch);
  }
  // Text the user typed (program text) in the file's character set, for
  // storing in the line tree.
  std::string TextForFile(std::string_view typed) const {
    return FileText(typed, Encoding().charSet);
  }

  // ---- Numbers and cross-references ----
  std::uint32_t& StoreFlags() { return flags_; }
  std::uint32_t StoreFlags() const { return flags_; }
  std::string FormatXref(std::int32_t number, std::string_view prefix) const;
  // Index of a number (0 = not found); with add, a missing number is
  // appended after count and its new slot returned.
  std::int32_t IndexOf(RecordKind kind, std::int32_t number, bool addIfMissing = false);

  // ---- Kind indexes ----
  KindIndex& Kind(RecordKind kind) { return kinds_[kind]; }
  const KindIndex& Kind(RecordKind kind) const { return kinds_[kind]; }
  // The kind of a record tag (INDI, FAM, NOTE, SOUR, REPO), -1 for others.
  static int KindOfTag(int tag);
  // Sets a kind up empty with a capacity (number table, key room).
  void SetUpKind(RecordKind kind, std::int32_t capacity);
  void ReleaseKind(RecordKind kind);
  std::int32_t NextNumber(RecordKind kind) const { return kinds_[kind].maxId + 1; }
  // A new index (count, idCount, maxId + 1) for the record line, or 0 at the capacity.
  std::int32_t AddRecord(RecordKind kind, LineNode* line = nullptr);
  // The index of a number without adding (const form of IndexOf).
  std::int32_t FindIndex(RecordKind kind, std::int32_t number) const;
  // The cross-reference of a record by index: its own, or one built from its number.
  std::string XrefOf(RecordKind kind, std::int32_t index) const;
  // The level-0 line of a record by index, nullptr when none.
  LineNode* RecordLine(RecordKind kind, std::int32_t index) const;
  // Builds the key text of a record line.
  std::string MakeKey(RecordKind kind, const LineNode* line) const;
  // The same into key, with the caller's scratch strings (converted value,
  // display name): no allocation once they have grown, and nothing of the
  // store's, so the key lists can be built beside the summaries.
  void MakeKey(RecordKind kind, const LineNode* line, std::string& key, std::string& scratch,
               std::string& display) const;
  // Builds the whole key list from the record lines; false when it does not
  // come out with one entry per record. It touches only the kind's index
  // and the text pool (its scratch strings are its own), so a load may run
  // it on a second thread while the individual summaries are built with
  // their notes put off (PutOffNotes).
  bool BuildKeys(RecordKind kind);
  // Whether the text pool has room for the keys of every record of the
  // kinds that have key lists, each at its longest: then building them
  // cannot fail for want of room.
  bool TextRoomForKeys() const;
  // Enters (isNew: adds a record first) or re-sorts the key of index; the
  // index, or 0 on failure.
  std::int32_t SetKey(RecordKind kind, std::int32_t index, LineNode* line, bool isNew);
  int RemoveKey(RecordKind kind, std::int32_t index);  // 0 or -73
  // Position in the key list of an entry whose key equals text, -1 when none.
  int FindKey(RecordKind kind, std::string_view text) const;
  LineNode* FirstRecordLine(int tag) const;  // HEAD, INDI, FAM, NOTE, SOUR, REPO
  void SetFirstRecordLine(int tag, LineNode* line);

  // ---- Summaries ----
  const IndividualSummary* Individual(std::int32_t index) const { return sums_.Individual(index); }
  const FamilySummary* Family(std::int32_t index) const { return sums_.Family(index); }
  IndividualSummary* MutableIndividual(std::int32_t index) { return sums_.Individual(index); }
  FamilySummary* MutableFamily(std::int32_t index) { return sums_.Family(index); }
  std::int32_t IndividualCount() const { return sums_.individualCount; }
  std::int32_t FamilyCount() const { return sums_.familyCount; }
  // The next slot (a new block when the current one is full), nullptr at the block limit.
  IndividualSummary* NewIndividualSummary();
  FamilySummary* NewFamilySummary();
  // Sizes the summary storage for a load: 0, 75 over a block limit, 1 no memory.
  int SizeSummaries(std::int32_t individuals, std::int32_t families);
  // Summaries built from here on leave their notes to be gathered later,
  // in the same order, by GatherPutOffNotes: gathering stores text in the
  // pool, which the key lists may be filling meanwhile.
  void PutOffNotes() { putOffNotes_ = true; }
  void GatherPutOffNotes();
  const std::vector<MarriageEntry>& MarriageTable() const { return sums_.marriages; }
  std::int32_t MarriageCapacity() const { return sums_.marriageCapacity; }
  void SortMarriageTable();

  // Up to 10 family indexes of an individual, first family first (or by
  // marriage year, a family without a year counting as 0).
  std::vector<std::int32_t> FamiliesOf(std::int32_t individual, bool sortByYear = false) const;
  // Up to 4 family indexes from the individual's FAMC lines.
  std::vector<std::int32_t> ParentFamilies(std::int32_t individual) const;
  // The family of the first adoption construct, 0 when none.
  std::int32_t AdoptiveFamily(std::int32_t individualIndex) const;
  // Keeps spouseFamily, moreMarriages, the MarriageTable and the FAMS lines
  // in step. addLine adds (removes) the FAMS line too. 0, -1 table full, -73.
  int AddMarriage(std::int32_t individualIndex, std::int32_t familyIndex, std::int32_t order = 0,
                  bool addLine = true);
  int RemoveMarriage(std::int32_t individualIndex, std::int32_t familyIndex, bool removeLine = true);
  // The link check and repair; the number of repairs.
  int CheckLinks();
  // Gathers the text of a NOTE line (and of the record it points to) into
  // the pool as program text: the text offset, -1 when the pool is full.
  // running: CONT as a space. asStored: the file's own bytes, not converted
  // and not kept as the line's gathered text (for text that goes back into
  // the tree).
  std::int32_t GatherNotes(LineNode* line, bool running = false, LineNode** sourceOut = nullptr,
                           bool asStored = false);
  // Drops the gathered text kept for a line whose text or continuation
  // lines changed: the next GatherNotes reads the tree again.
  void ForgetNotes(const LineNode* line) { noteCache_.erase(line); }

  // Building the summaries (driven in steps by the loader).
  bool BuildIndividual(LineNode* indiLine);
  bool BuildFamily(LineNode* famLine);
  // Rebuilds a summary in place from its record's lines (after an edit): 0 or -73.
  int RebuildIndividual(std::int32_t index);
  int RebuildFamily(std::int32_t index);
  // The after-load sequence: marriage table sort, missing families, link check.
  void AfterLoad();
  // Creates summaries and FAM lines for family numbers that pointers named
  // but the file lacks; the number created.
  int CreateMissingFamilies();
  void SetDigitFlags();  // StoreFlags bit 4 or 5 from the first individual's xref

  // Locking and copying the summaries as a whole.
  void LockSummaries() { ++locks_; }
  void UnlockSummaries() { if (locks_ > 0) --locks_; }
  bool SummariesLocked() const { return locks_ > 0; }
  // A copy of all summary blocks and the marriage table; false on no memory.
  // The copy's text fields read the store's summary texts: it is good until
  // the summaries are next cleared (a reload).
  bool CopySummaries(SummarySet& out) const;

  // Whether the data was changed since it was loaded or saved:
  // 0 unchanged, 1 new and never saved, 2 changed.
  int dataChanged = 0;
  // Numbering flag of the last scan (1 = numbering not consecutive).
  int numberingFlag = 0;

 private:
  // FamiliesOf without sorting or allocation: the number of families put in out.
  void FillIndividual(IndividualSummary* s, std::int32_t index, LineNode* indiLine);
  void FillFamily(FamilySummary* f, LineNode* famLine);
  int FamiliesInto(std::int32_t individual, std::int32_t (&out)[kMaxFamiliesListed]) const;

  // The texts and nodes of the data source in one piece of memory,
  // obtained by the first Start and kept until the store is destroyed.
  LineArena arena_;
  bool attached_ = false;
  TextPool text_;
  NodePool nodes_;
  LineNode* root_ = nullptr;
  std::uint32_t flags_ = 0;
  mutable std::string keyScratch_[2];  // converted value, display name
  // Text offsets of gathered notes by NOTE line. Few lines have notes, so
  // they are kept here rather than in every line node.
  std::unordered_map<const LineNode*, std::int32_t> noteCache_;
  // The note fields of summaries whose last NOTE line is still to be
  // gathered (summary blocks never move while they live), in build order.
  bool putOffNotes_ = false;
  std::vector<std::pair<std::int32_t*, LineNode*>> notesPutOff_;
  void GatherNotesInto(std::int32_t& noteOffset, LineNode* lastNote);
  LineOrders orders_;
  // The summary blocks of a load, handed out front to back from one region
  // kept from load to load (room for the most blocks a data source can
  // have); blocks beyond it, and copies, are allocated one by one.
  template <typename Block>
  SummaryBlockPtr<Block> NewSummaryBlock();
  void ClearSummaries();
  HugeRegion summaryRegion_;
  std::size_t summaryUsed_ = 0;
  SummaryTexts summaryTexts_;  // the summaries' text fields
  mutable SourceEncoding encoding_;
  mutable bool encodingDecided_ = true;  // false: a byText set not yet decided from the text
  std::array<KindIndex, kKindCount> kinds_{};
  LineNode* firstHead_ = nullptr;
  std::array<LineNode*, kKindCount> firstRecord_{};
  SummarySet sums_;
  int locks_ = 0;
};

// Makes room in a kind's tables for slot (up to capacity + 1); false beyond.
bool GrowKind(KindIndex& k, std::size_t slot);

// The largest record number the program holds; NumberOf gives it for any
// larger one as well.
inline constexpr std::int32_t kMaxRecordNumber = 2000000000;
// The record number in a cross-reference: digits after the at sign (non-digits
// skipped, at most 31), a closing at sign after them; 0 no digits, -1 no closing at sign.
std::int32_t NumberOf(std::string_view xref);
// The same, also telling whether more than the closing at sign follows the
// digits (@I2-1@).
std::int32_t NumberOf(std::string_view xref, bool& textAfterDigits);
// Whether the cross-reference's number (as NumberOf reads it) is larger
// than kMaxRecordNumber.
bool NumberTooLarge(std::string_view xref);
// The characters between the opening at sign and the first digit (or the closing at sign).
std::string PrefixOf(std::string_view xref);
// "@" prefix number "@", the number as "%04d", "%05d" or "%d" by the flags.
std::string FormatXref(std::int32_t number, std::string_view prefix, std::uint32_t flags);

// Copies text into a fixed field, cut to the field's size less one, NUL-terminated.
template <std::size_t N>
void CopyField(char (&field)[N], std::string_view text) {
  std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
  for (std::size_t i = 0; i < n; ++i) field[i] = text[i];
  for (std::size_t i = n; i < N; ++i) field[i] = 0;
}

}  // namespace dv
