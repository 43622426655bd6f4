#include "data/RecordStore.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <new>
#include <type_traits>

namespace dv {

// ---- Summary blocks ----

const IndividualSummary* SummarySet::Individual(std::int32_t index) const {
  if (index < 1) return nullptr;
  std::size_t block = static_cast<std::size_t>((index - 1) / kIndividualsPerBlock);
  if (block >= individualBlocks.size()) return nullptr;
  return &(*individualBlocks[block])[(index - 1) % kIndividualsPerBlock + 1];
}
const FamilySummary* SummarySet::Family(std::int32_t index) const {
  if (index < 1) return nullptr;
  std::size_t block = static_cast<std::size_t>((index - 1) / kFamiliesPerBlock);
  if (block >= familyBlocks.size()) return nullptr;
  return &(*familyBlocks[block])[(index - 1) % kFamiliesPerBlock + 1];
}
IndividualSummary* SummarySet::Individual(std::int32_t index) {
  return const_cast<IndividualSummary*>(static_cast<const SummarySet*>(this)->Individual(index));
}
FamilySummary* SummarySet::Family(std::int32_t index) {
  return const_cast<FamilySummary*>(static_cast<const SummarySet*>(this)->Family(index));
}
void SummarySet::Clear() {
  individualBlocks.clear();
  familyBlocks.clear();
  individualCount = familyCount = 0;
  marriages.clear();
  marriages.shrink_to_fit();
  marriageCapacity = 0;
}

// ---- Cross-references ----

namespace {

// The digits NumberOf reads, as a number no larger than kMaxRecordNumber + 1
// (anything larger stops growing there); -1 without a closing at sign.
// textAfterDigits: digits were read and more than the closing at sign
// follows them.
std::int64_t DigitsOf(std::string_view xref, bool* textAfterDigits = nullptr) {
  std::size_t at = xref.find('@');
  if (at == std::string_view::npos) return -1;
  std::size_t i = at + 1;
  while (i < xref.size() && !(xref[i] >= '0' && xref[i] <= '9') && xref[i] != '@') ++i;
  std::int64_t n = 0;
  int digits = 0;
  while (i < xref.size() && xref[i] >= '0' && xref[i] <= '9' && digits < 31) {
    if (n <= kMaxRecordNumber) n = n * 10 + (xref[i] - '0');
    ++i;
    ++digits;
  }
  if (xref.find('@', i) == std::string_view::npos) return -1;
  if (textAfterDigits) *textAfterDigits = digits > 0 && xref[i] != '@';
  return std::min<std::int64_t>(n, std::int64_t{kMaxRecordNumber} + 1);
}

}  // namespace

std::int32_t NumberOf(std::string_view xref) {
  // Held to kMaxRecordNumber, so maxId + 1 stays in range.
  return static_cast<std::int32_t>(std::min<std::int64_t>(DigitsOf(xref), kMaxRecordNumber));
}

std::int32_t NumberOf(std::string_view xref, bool& textAfterDigits) {
  textAfterDigits = false;
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(DigitsOf(xref, &textAfterDigits), kMaxRecordNumber));
}

bool NumberTooLarge(std::string_view xref) { return DigitsOf(xref) > kMaxRecordNumber; }

std::string PrefixOf(std::string_view xref) {
  std::size_t at = xref.find('@');
  if (at == std::string_view::npos) return {};
  std::size_t i = at + 1, start = i;
  while (i < xref.size() && !(xref[i] >= '0' && xref[i] <= '9') && xref[i] != '@') ++i;
  return std::string(xref.substr(start, i - start));
}

std::string FormatXref(std::int32_t number, std::string_view prefix, std::uint32_t flags) {
  char digits[16];
  const char* format = (flags & kFlagDigits4) ? "%04d" : (flags & kFlagDigits5) ? "%05d" : "%d";
  std::snprintf(digits, sizeof digits, format, static_cast<int>(number));
  std::string out = "@";
  out.append(prefix);
  out.append(digits);
  out += '@';
  return out;
}

// ---- The store ----

RecordStore::RecordStore() { summaryTexts_.ShareLineTexts(&text_); }
RecordStore::~RecordStore() = default;

void RecordStore::Clear() {
  ClearSummaries();
  noteCache_.clear();
  putOffNotes_ = false;
  notesPutOff_.clear();
  orders_.Clear();
  for (auto& k : kinds_) k = KindIndex{};
  firstRecord_.fill(nullptr);
  firstHead_ = nullptr;
  root_ = nullptr;
  nodes_.Clear();
  text_.Clear();
  flags_ = 0;
  encoding_ = SourceEncoding{};
  encodingDecided_ = true;
  locks_ = 0;
  dataChanged = 0;
  numberingFlag = 0;
}

int RecordStore::Start() {
  Clear();
  if (!attached_) {
    if (!arena_.Attach(text_, nodes_)) return kErrNoMemory;
    attached_ = true;
  } else {
    arena_.HugePagesAgain();  // the last load's ends were left to ordinary pages
  }
  if (!text_.Start() || !nodes_.Start()) {
    Clear();
    return kErrNoMemory;
  }
  root_ = nodes_.NewLine();
  root_->level = -1;
  flags_ = kFlagLive;
  return 0;
}

LineNode* RecordStore::MakeLine(int level, int tag, std::string_view xref, std::string_view value) {
  LineNode* line = nodes_.NewLine();
  if (!line) return nullptr;
  line->level = level;
  line->tag = tag;
  SetLineTexts(text_, line, xref, value);
  return line;
}

void RecordStore::SetValue(LineNode* line, std::string_view text) {
  SetLineValueText(text_, line, text);
}

std::string RecordStore::FormatXref(std::int32_t number, std::string_view prefix) const {
  return dv::FormatXref(number, prefix, flags_);
}

int RecordStore::KindOfTag(int tag) {
  for (int k = 0; k < kKindCount; ++k)
    if (kKindTag[k] == tag) return k;
  return -1;
}

void RecordStore::SetUpKind(RecordKind kind, std::int32_t capacity) {
  KindIndex& k = kinds_[kind];
  k = KindIndex{};
  k.tag = kKindTag[kind];
  k.capacity = capacity;
  // The tables grow on demand up to capacity + 2 entries.
  k.ids.assign(static_cast<std::size_t>(std::min(capacity + 2, 256)), 0);
  k.lines.assign(k.ids.size(), nullptr);
  k.keyTag = kind == kSour ? kTagABBR : kTagNAME;
  k.hasKeys = kind != kFam;
  k.prefix.assign(1, kKindLetter[kind]);
  k.exists = true;
  firstRecord_[kind] = nullptr;
}

bool GrowKind(KindIndex& k, std::size_t slot) {
  std::size_t limit = static_cast<std::size_t>(std::max(k.capacity, 0)) + 2;
  if (slot < k.ids.size()) return true;
  if (slot >= limit) return false;
  std::size_t size = std::min(std::max(slot + 1, k.ids.size() * 2), limit);
  k.ids.resize(size, 0);
  k.lines.resize(size, nullptr);
  return true;
}

void RecordStore::ReleaseKind(RecordKind kind) {
  kinds_[kind] = KindIndex{};
  firstRecord_[kind] = nullptr;
}

std::int32_t RecordStore::FindIndex(RecordKind kind, std::int32_t n) const {
  const KindIndex& k = kinds_[kind];
  if (!k.exists) return 0;
  if (!k.notConsecutive) {
    if (n < 1) n = 1;
    return n <= k.count ? n : 0;
  }
  if (k.sortedCount != k.count) {
    k.sorted.clear();
    k.sorted.reserve(static_cast<std::size_t>(k.count));
    for (std::int32_t i = 1; i <= k.count; ++i) k.sorted.emplace_back(k.ids[static_cast<std::size_t>(i)], i);
    std::sort(k.sorted.begin(), k.sorted.end());
    k.sortedCount = k.count;
  }
  // The walk goes down from min(n, count) to 1, then up: the nearest entry
  // at or below the start wins, else the first one above it.
  std::int32_t start = std::min(n, k.count);
  auto first = std::lower_bound(k.sorted.begin(), k.sorted.end(), std::make_pair(n, std::int32_t{0}));
  auto last = std::upper_bound(first, k.sorted.end(), std::make_pair(n, INT32_MAX));
  if (first == last) return 0;
  auto above = std::upper_bound(first, last, std::make_pair(n, start));
  if (above != first) return std::prev(above)->second;
  return first->second;
}

std::int32_t RecordStore::IndexOf(RecordKind kind, std::int32_t number, bool addIfMissing) {
  std::int32_t found = FindIndex(kind, number);
  if (found || !addIfMissing || number < 1) return found;
  KindIndex& k = kinds_[kind];
  if (!k.exists) return 0;
  // Numbers named by pointers but missing from the file go after count: the
  // slot already holding the number, else the first free one. The appended
  // entries run without a gap from count + 1, so a map finds both at once.
  if (k.appendedCount != k.count) {
    k.appended.clear();
    for (std::size_t slot = static_cast<std::size_t>(k.count) + 1;
         slot < k.ids.size() && k.ids[slot] != 0; ++slot)
      k.appended.emplace(k.ids[slot], static_cast<std::int32_t>(slot));
    k.appendedCount = k.count;
  }
  auto it = k.appended.find(number);
  if (it != k.appended.end()) return it->second;
  std::size_t slot = static_cast<std::size_t>(k.count) + 1 + k.appended.size();
  if (!GrowKind(k, slot + 1)) return 0;
  k.ids[slot] = number;
  k.ids[slot + 1] = 0;
  k.notConsecutive = true;
  k.appended.emplace(number, static_cast<std::int32_t>(slot));
  return static_cast<std::int32_t>(slot);
}

std::int32_t RecordStore::AddRecord(RecordKind kind, LineNode* line) {
  KindIndex& k = kinds_[kind];
  if (!k.exists || k.count >= k.capacity || !GrowKind(k, static_cast<std::size_t>(k.count) + 2))
    return 0;
  ++k.count;
  k.idCount = k.count;
  ++k.maxId;
  std::size_t slot = static_cast<std::size_t>(k.count);
  k.ids[slot] = k.maxId;
  if (slot + 1 < k.ids.size()) k.ids[slot + 1] = 0;
  k.lines[slot] = line;
  if (k.maxId != k.count) k.notConsecutive = true;
  if (line && !firstRecord_[kind]) firstRecord_[kind] = line;
  return k.count;
}

LineNode* RecordStore::RecordLine(RecordKind kind, std::int32_t index) const {
  const KindIndex& k = kinds_[kind];
  if (index < 1 || static_cast<std::size_t>(index) >= k.lines.size()) return nullptr;
  return k.lines[static_cast<std::size_t>(index)];
}

std::string RecordStore::XrefOf(RecordKind kind, std::int32_t index) const {
  const LineNode* line = RecordLine(kind, index);
  if (line && !line->Xref().empty()) return std::string(line->Xref());
  const KindIndex& k = kinds_[kind];
  std::int32_t number = index >= 1 && static_cast<std::size_t>(index) < k.ids.size()
                            ? k.ids[static_cast<std::size_t>(index)]
                            : 0;
  return FormatXref(number, k.prefix);
}

namespace {
std::string_view SkipSpaces(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}
}  // namespace

const SourceEncoding& RecordStore::Encoding() const {
  if (!encodingDecided_) {
    encoding_.charSet = DetectEncoding(root_, encoding_.byteOrderMark).charSet;
    encodingDecided_ = true;
  }
  return encoding_;
}

void RecordStore::SetEncoding(const SourceEncoding& encoding) {
  encoding_ = encoding;
  encodingDecided_ = !encoding.byText;
}

std::string RecordStore::MakeKey(RecordKind kind, const LineNode* line) const {
  std::string key;
  MakeKey(kind, line, key, keyScratch_[0], keyScratch_[1]);
  return key;
}

void RecordStore::MakeKey(RecordKind kind, const LineNode* line, std::string& key,
                          std::string& scratch, std::string& display) const {
  key.clear();
  if (kind == kIndi) {
    // The first NAME line, or with names last the last one.
    const LineNode* name = nullptr;
    for (const LineNode* c = line->firstChild; c; c = c->next) {
      if (c->tag != kTagNAME) continue;
      name = c;
      if (!(flags_ & kFlagNamesLast)) break;
    }
    DisplayName(name ? ShownView(name->Value(), scratch) : std::string_view(), display);
    if (display.size() > 63) display.resize(63);
    FitName(display, 21, true, key);
    std::string year;
    for (const LineNode* c = name ? name->next.get() : line->firstChild.get(); c; c = c->next) {
      if (c->tag == kTagBIRT || c->tag == kTagCHR) {
        if (const LineNode* date = FirstChild(c, kTagDATE)) year = YearOf(date->Value());
        break;
      }
    }
    if (key.size() + year.size() < 26) key.append(26 - year.size() - key.size(), ' ');
    key += year;
    return;
  }
  const LineNode* keyLine = FirstChild(line, kinds_[kind].keyTag);
  if (!keyLine) {
    key = "Unknown";
    return;
  }
  key.assign(ShownView(SkipSpaces(keyLine->Value()), scratch));
  if (key.size() >= 27) {
    key.resize(24);
    key += "...";
  }
}

bool RecordStore::BuildKeys(RecordKind kind) {
  KindIndex& k = kinds_[kind];
  k.keys.clear();
  if (!k.hasKeys) return true;
  if (k.capacity > k.count + kKeyRoom) k.capacity = k.count + kKeyRoom;
  k.keys.reserve(static_cast<std::size_t>(k.capacity) + 1);
  std::string made, scratch, display;
  for (std::int32_t i = 1; i <= k.count; ++i) {
    LineNode* line = k.lines[static_cast<std::size_t>(i)];
    if (!line) continue;
    MakeKey(kind, line, made, scratch, display);
    const char* key = text_.StoreText(made);
    if (!key) continue;
    k.keys.push_back({key, i, line});
  }
  // The program-text order decides at the first byte whose plain letters
  // differ, so the plain letters of the first sixteen bytes, packed high
  // byte first, order most keys without reaching into the text (names
  // often share their first eight); only keys with the same packed start
  // are compared whole, and keys that compare equal keep their record
  // order, as a stable sort would. Positions are sorted, and the list is
  // then put in their order in place: the load's peak memory is reached
  // about here.
  const std::size_t n = k.keys.size();
  std::vector<std::uint64_t> starts(2 * n);
  std::vector<std::uint32_t> order(n);
  const unsigned char* plain = PlainProgramTable();
  for (std::size_t i = 0; i < n; ++i) {
    order[i] = static_cast<std::uint32_t>(i);
    const char* key = k.keys[i].key;
    for (int j = 0; j < 16 && key[j]; ++j)
      starts[2 * i + j / 8] |= std::uint64_t{plain[static_cast<unsigned char>(key[j])]}
                               << (56 - 8 * (j % 8));
  }
  const std::vector<KeyEntry>& keys = k.keys;
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    if (starts[2 * a] != starts[2 * b]) return starts[2 * a] < starts[2 * b];
    if (starts[2 * a + 1] != starts[2 * b + 1]) return starts[2 * a + 1] < starts[2 * b + 1];
    if (int c = CompareProgramText(keys[a].key, keys[b].key)) return c < 0;
    return a < b;
  });
  // Entry i of the sorted list is entry order[i] of the unsorted one:
  // each cycle of the permutation is followed once, and marked done.
  for (std::size_t i = 0; i < n; ++i) {
    if (order[i] == i) continue;
    const KeyEntry first = k.keys[i];
    std::size_t at = i;
    for (;;) {
      const std::size_t from = order[at];
      order[at] = static_cast<std::uint32_t>(at);
      if (from == i) {
        k.keys[at] = first;
        break;
      }
      k.keys[at] = k.keys[from];
      at = from;
    }
  }
  return static_cast<std::int32_t>(k.keys.size()) == k.count;
}

bool RecordStore::TextRoomForKeys() const {
  // An individual's key is a name fitted to 21 characters, padded to 26
  // with a year of at most five digits; the others are cut to 27. Each
  // takes two NULs more, and a block is filled at least to its reserve
  // before the next one is opened.
  constexpr std::int64_t kLongestKey = 27 + 2;
  std::int64_t need = 0;
  for (const KindIndex& k : kinds_)
    if (k.hasKeys) need += std::int64_t{k.count} * kLongestKey;
  return text_.BlocksLeft() * std::int64_t{TextPool::kBlockSize - TextPool::kReserve} >= need;
}

std::int32_t RecordStore::SetKey(RecordKind kind, std::int32_t index, LineNode* line, bool isNew) {
  KindIndex& k = kinds_[kind];
  if (!k.exists || !line) return 0;
  if (isNew) {
    index = AddRecord(kind, line);
    if (!index) return 0;
  } else {
    auto it = std::find_if(k.keys.begin(), k.keys.end(),
                           [index](const KeyEntry& e) { return e.index == index; });
    if (it != k.keys.end()) k.keys.erase(it);
    if (static_cast<std::size_t>(index) < k.lines.size()) k.lines[static_cast<std::size_t>(index)] = line;
  }
  if (!k.hasKeys) return index;
  const char* key = text_.StoreText(MakeKey(kind, line));
  if (!key) key = "";
  k.keys.push_back({key, index, line});
  for (std::size_t i = k.keys.size() - 1; i > 0 && ProgramTextBefore(key, k.keys[i - 1].key); --i)
    std::swap(k.keys[i - 1], k.keys[i]);
  return index;
}

int RecordStore::RemoveKey(RecordKind kind, std::int32_t index) {
  KindIndex& k = kinds_[kind];
  auto it = std::find_if(k.keys.begin(), k.keys.end(),
                         [index](const KeyEntry& e) { return e.index == index; });
  if (it == k.keys.end()) return kNoSummary;
  k.keys.erase(it);
  return 0;
}

int RecordStore::FindKey(RecordKind kind, std::string_view text) const {
  const auto& keys = kinds_[kind].keys;
  std::string wanted(text);
  auto it = std::lower_bound(
      keys.begin(), keys.end(), wanted,
      [](const KeyEntry& e, const std::string& t) { return ProgramTextBefore(e.key, t); });
  if (it == keys.end() || wanted != it->key) return -1;
  return static_cast<int>(it - keys.begin());
}

LineNode* RecordStore::FirstRecordLine(int tag) const {
  if (tag == kTagHEAD) return firstHead_;
  int kind = KindOfTag(tag);
  return kind < 0 ? nullptr : firstRecord_[kind];
}

void RecordStore::SetFirstRecordLine(int tag, LineNode* line) {
  if (tag == kTagHEAD) {
    firstHead_ = line;
    return;
  }
  int kind = KindOfTag(tag);
  if (kind >= 0) firstRecord_[kind] = line;
}

// ---- Records and links in the tree ----

int RecordStore::InsertRecord(LineNode* anchor, LineNode* record) {
  if (!root_ || !record) return -1;
  record->level = 0;
  if (!root_->firstChild) {
    LinkFirstChild(root_, record);
    return 0;
  }
  if (!anchor || anchor->parent != root_) anchor = root_->firstChild;
  int tag = record->tag;
  if (anchor->tag == tag && (!anchor->next || anchor->next->tag != tag)) {
    LinkAfter(anchor, record);
    return 0;
  }
  for (LineNode* l = anchor; l; l = l->next) {
    if (l->tag != tag) continue;
    while (l->next && l->next->tag == tag) l = l->next;
    LinkAfter(l, record);
    return 0;
  }
  // None of its tag from the anchor on: after the nearest one before it.
  LineNode* sameTag = nullptr;
  for (LineNode* l = root_->firstChild; l; l = l->next) {
    if (l->tag == tag) sameTag = l;
    if (l == anchor) break;
  }
  if (sameTag) {
    LinkAfter(sameTag, record);
    return 0;
  }
  // None at all: after the last record, short of the final one (the
  // trailer), whose kind comes no later than its own.
  int kind = RecordKindNumber(tag);
  LineNode* after = nullptr;
  for (LineNode* l = root_->firstChild; l->next; l = l->next)
    if (RecordKindNumber(l->tag) <= kind) after = l;
  if (after) {
    LinkAfter(after, record);
    return 0;
  }
  LinkFirstChild(root_, record);  // before the only or the first record
  return 0;
}

namespace {
LineNode* LastChildWith(const LineNode* rec, int tag) {
  LineNode* found = nullptr;
  for (LineNode* c = rec->firstChild; c; c = c->next)
    if (c->tag == tag) found = c;
  return found;
}
void PlaceAfterOrFirst(LineNode* rec, LineNode* after, LineNode* node) {
  if (after)
    LinkAfter(after, node);
  else
    LinkFirstChild(rec, node);
}
}  // namespace

LineNode* RecordStore::AddLink(LineNode* rec, int tag, std::string_view xref, bool adopted) {
  if (!rec) return nullptr;
  std::string value = " ";
  value.append(xref);
  if (tag == kTagHUSB || tag == kTagWIFE) {
    if (LineNode* existing = FirstChild(rec, tag)) {
      SetValue(existing, value);
      return existing;
    }
  }
  LineNode* node = MakeLine(rec->level + 1, tag, {}, value);
  if (!node) return nullptr;
  switch (tag) {
    case kTagHUSB:
    case kTagWIFE:
      PlaceAfterOrFirst(rec, LastChildWith(rec, kTagHUSB), node);
      break;
    case kTagCHIL: {
      LineNode* after = LastChildWith(rec, kTagCHIL);
      if (!after) {
        for (LineNode* c = rec->firstChild; c; c = c->next) {
          if (c->tag == kTagHUSB || c->tag == kTagWIFE) after = c;
          if ((flags_ & kFlagEventsBeforeChil) && FamilyEventNumber(c->tag)) after = c;
        }
      }
      PlaceAfterOrFirst(rec, after, node);
      break;
    }
    case kTagFAMC:
    case kTagFAMS: {
      LineNode* before = nullptr;  // the line before the first FAMC or FAMS
      LineNode* first = nullptr;
      for (LineNode* c = rec->firstChild; c; c = c->next) {
        if (c->tag == kTagFAMC || c->tag == kTagFAMS) {
          first = c;
          break;
        }
        before = c;
      }
      LineNode* after = before;
      if (!first) {
        after = rec->firstChild;
        while (after && after->next) after = after->next;
      }
      if (tag == kTagFAMC && (flags_ & kFlagFamcBeforeFams)) {
        if (LineNode* famc = LastChildWith(rec, kTagFAMC)) after = famc;
      } else if (tag == kTagFAMS) {
        if (LineNode* fams = LastChildWith(rec, kTagFAMS))
          after = fams;
        else if (flags_ & kFlagFamcBeforeFams)
          if (LineNode* famc = LastChildWith(rec, kTagFAMC)) after = famc;
      }
      PlaceAfterOrFirst(rec, after, node);
      break;
    }
    default: {
      LineNode* after = rec->firstChild;
      while (after && after->next) after = after->next;
      PlaceAfterOrFirst(rec, after, node);
    }
  }
  if (adopted && tag == kTagFAMC) {
    if (LineNode* pedi = MakeLine(node->level + 1, kTagPEDI, {}, " Adopted")) LinkFirstChild(node, pedi);
  }
  return node;
}

int RecordStore::RemoveLink(LineNode* rec, int tag, std::int32_t number) {
  if (!rec) return -1;
  bool removed = false;
  UnlinkChildrenIf(rec, [&](const LineNode* c) {
    if (removed || c->tag != tag || NumberOf(c->Value()) != number) return false;
    removed = true;
    return true;
  });
  return removed ? 0 : -1;
}

// ---- Summary storage ----

namespace {
constexpr std::size_t kSummaryRegionBytes =
    sizeof(IndividualBlock) * kMaxIndividualBlocks + sizeof(FamilyBlock) * kMaxFamilyBlocks + 64;
}  // namespace

template <typename Block>
SummaryBlockPtr<Block> RecordStore::NewSummaryBlock() {
  static_assert(std::is_trivially_destructible_v<Block>);
  constexpr std::size_t kAlign = alignof(Block);
  const std::size_t at = (summaryUsed_ + kAlign - 1) / kAlign * kAlign;
  if (summaryRegion_.Obtain(kSummaryRegionBytes) && at + sizeof(Block) <= summaryRegion_.Size()) {
    summaryUsed_ = at + sizeof(Block);
    return SummaryBlockPtr<Block>(::new (summaryRegion_.Data() + at) Block(),
                                  SummaryBlockDelete{false});
  }
  return SummaryBlockPtr<Block>(new (std::nothrow) Block());
}

void RecordStore::ClearSummaries() {
  sums_.Clear();
  summaryUsed_ = 0;  // no block is left in the region
  summaryTexts_.Clear();
}

IndividualSummary* RecordStore::NewIndividualSummary() {
  std::int32_t index = sums_.individualCount + 1;
  std::size_t block = static_cast<std::size_t>((index - 1) / kIndividualsPerBlock);
  if (block >= sums_.individualBlocks.size()) {
    if (block >= static_cast<std::size_t>(kMaxIndividualBlocks)) return nullptr;
    auto b = NewSummaryBlock<IndividualBlock>();
    if (!b) return nullptr;
    sums_.individualBlocks.push_back(std::move(b));
  }
  ++sums_.individualCount;
  return sums_.Individual(index);
}

FamilySummary* RecordStore::NewFamilySummary() {
  std::int32_t index = sums_.familyCount + 1;
  std::size_t block = static_cast<std::size_t>((index - 1) / kFamiliesPerBlock);
  if (block >= sums_.familyBlocks.size()) {
    if (block >= static_cast<std::size_t>(kMaxFamilyBlocks)) return nullptr;
    auto b = NewSummaryBlock<FamilyBlock>();
    if (!b) return nullptr;
    sums_.familyBlocks.push_back(std::move(b));
  }
  ++sums_.familyCount;
  FamilySummary* f = sums_.Family(index);
  f->index = index;
  return f;
}

int RecordStore::SizeSummaries(std::int32_t individuals, std::int32_t families) {
  ClearSummaries();
  std::int32_t individualBlocks = individuals / kIndividualsPerBlock + 1;
  std::int32_t familyBlocks = families / kFamiliesPerBlock + 1;
  if (individualBlocks >= kMaxIndividualBlocks + 1 || familyBlocks >= kMaxFamilyBlocks + 1 ||
      individuals / 1021 + 2 >= 35)
    return kErrTooMuchData;
  // The blocks fill the region from its start: huge pages for what they fill
  // whole, ordinary ones for the rest of the last 2 MB they reach.
  if (summaryRegion_.Obtain(kSummaryRegionBytes))
    summaryRegion_.HugePagesUpTo(sizeof(IndividualBlock) *
                                     static_cast<std::size_t>(individualBlocks) +
                                 sizeof(FamilyBlock) * static_cast<std::size_t>(familyBlocks) + 64);
  for (std::int32_t i = 0; i < individualBlocks; ++i) {
    auto b = NewSummaryBlock<IndividualBlock>();
    if (!b) {
      ClearSummaries();
      return kErrNoMemory;
    }
    sums_.individualBlocks.push_back(std::move(b));
  }
  for (std::int32_t i = 0; i < familyBlocks; ++i) {
    auto b = NewSummaryBlock<FamilyBlock>();
    if (!b) {
      ClearSummaries();
      return kErrNoMemory;
    }
    sums_.familyBlocks.push_back(std::move(b));
  }
  std::int32_t capacity = kMarriageCapacity;
  if (individuals / 5 < families) capacity = std::min(families, kMarriageCapacity);
  sums_.marriageCapacity = std::max(capacity, kMarriageMinimum);
  sums_.marriages.reserve(static_cast<std::size_t>(sums_.marriageCapacity));
  return 0;
}

void RecordStore::SortMarriageTable() {
  std::stable_sort(sums_.marriages.begin(), sums_.marriages.end(),
                   [](const MarriageEntry& a, const MarriageEntry& b) { return a.individual < b.individual; });
}

bool RecordStore::CopySummaries(SummarySet& out) const {
  out.Clear();
  for (const auto& b : sums_.individualBlocks) {
    auto c = SummaryBlockPtr<IndividualBlock>(new (std::nothrow) IndividualBlock(*b));
    if (!c) {
      out.Clear();
      return false;
    }
    out.individualBlocks.push_back(std::move(c));
  }
  for (const auto& b : sums_.familyBlocks) {
    auto c = SummaryBlockPtr<FamilyBlock>(new (std::nothrow) FamilyBlock(*b));
    if (!c) {
      out.Clear();
      return false;
    }
    out.familyBlocks.push_back(std::move(c));
  }
  out.individualCount = sums_.individualCount;
  out.familyCount = sums_.familyCount;
  out.marriages = sums_.marriages;
  out.marriageCapacity = sums_.marriageCapacity;
  return true;
}

void RecordStore::SetDigitFlags() {
  flags_ &= ~(kFlagDigits4 | kFlagDigits5);
  const LineNode* first = firstRecord_[kIndi];
  if (!first) return;
  int digits = 0;
  for (char c : first->Xref())
    if (c >= '0' && c <= '9') ++digits;
  if (digits == 4) flags_ |= kFlagDigits4;
  if (digits == 5) flags_ |= kFlagDigits5;
}

}  // namespace dv
