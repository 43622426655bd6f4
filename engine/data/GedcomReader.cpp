#include "data/GedcomReader.h"

#include <algorithm>
#include <cstring>

namespace dv {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || c == '\t'; }

}  // namespace

ParsedLine ParseLine(std::string_view line) {
  ParsedLine p;
  const char* c = line.data();
  const char* const end = c + line.size();
  while (c < end && !IsDigit(*c)) ++c;
  if (c == end) return p;
  p.hasLevel = true;
  int level = 0;
  do {
    if (level < 1000) level = level * 10 + (*c - '0');
    ++c;
  } while (c < end && IsDigit(*c));
  p.level = level;
  const char* const afterLevel = c;
  while (c < end && IsSpace(*c)) ++c;
  if (c < end && *c == '@') {
    const void* close = std::memchr(c + 1, '@', static_cast<std::size_t>(end - c - 1));
    const char* xrefEnd = close ? static_cast<const char*>(close) + 1 : end;
    p.xref = std::string_view(c, static_cast<std::size_t>(xrefEnd - c));
    c = xrefEnd;
    while (c < end && IsSpace(*c)) ++c;
  }
  // The tag, packed into one integer as it is read (at most 7 characters).
  const char* const tagStart = c;
  const char* tagEnd = end - c > 7 ? c + 7 : end;
  std::uint64_t packed = 0;
  for (unsigned shift = 0; c < tagEnd && !IsSpace(*c); ++c, shift += 8)
    packed |= static_cast<std::uint64_t>(static_cast<unsigned char>(*c)) << shift;
  p.tag = TagCodeOfPacked(packed | static_cast<std::uint64_t>(c - tagStart) << 56);
  // A known tag keeps the rest of the line, from the separating space; an
  // unknown one keeps everything after the level so it is written back as read.
  const char* valueStart = p.tag < kTagCount ? c : afterLevel;
  p.value = std::string_view(valueStart, static_cast<std::size_t>(end - valueStart));
  return p;
}

namespace {

template <typename Reader>
int ParseAll(RecordStore& store, Reader& file) {
  if (!store.Root()) return -1;
  for (int tag : {kTagHEAD, kTagINDI, kTagFAM, kTagNOTE, kTagSOUR, kTagREPO})
    store.SetFirstRecordLine(tag, nullptr);
  store.StoreFlags() = kFlagLive;
  LineBuilder builder(store.Nodes(), store.Text(), store.Root());
  int last = 0;
  ChunkedFile::Position pos;
  std::string_view text;
  for (;;) {
    bool more = file.ReadWholeLine(text, pos);
    if (!more && text.empty()) break;
    ParsedLine p = ParseLine(text);
    if (p.hasLevel) {
      if (p.tag == kTagSOUR) store.StoreFlags() |= kFlagSourSeen;
      LineNode* node = builder.AppendLine(p.level, p.tag, p.xref, p.value);
      if (!node) return -1;
      // A full text pool would silently drop text and lose it on the next save.
      if ((!p.value.empty() && !node->value) || (!p.xref.empty() && !node->xref)) return -1;
      last = p.tag;
    }
    if (!more) break;
  }
  return last;
}

}  // namespace

int ParseLines(RecordStore& store, const ChunkedFile& file) { return ParseAll(store, file); }

// The loader's pass: the same lines as ReadWholeLine hands out, split here
// chunk by chunk so that finding, parsing and appending a line is one loop.
int ParseLines(RecordStore& store, ChunkedStream& file) {
  if (!store.Root()) return -1;
  for (int tag : {kTagHEAD, kTagINDI, kTagFAM, kTagNOTE, kTagSOUR, kTagREPO})
    store.SetFirstRecordLine(tag, nullptr);
  store.StoreFlags() = kFlagLive;
  LineBuilder builder(store.Nodes(), store.Text(), store.Root());
  int last = 0;
  std::string_view chunk;
  while (file.NextChunk(chunk)) {
    const char* data = chunk.data();
    const std::size_t end = chunk.size();
    std::size_t i = 0;
    while (i < end) {
      const std::size_t begin = i;
      i = FindTextEnd(data, begin, end);
      if (i - begin > static_cast<std::size_t>(ChunkedFile::kMaxLineLength)) {
        file.StopWith(kErrBadGedcom);  // a line beyond the bound
        return last;
      }
      // A NUL byte, or an empty line at the very start, ends the data.
      if (i == begin) return last;
      const std::string_view text(data + begin, i - begin);
      while (i < end && (data[i] == '\r' || data[i] == '\n')) ++i;
      const ParsedLine p = ParseLine(text);
      if (!p.hasLevel) continue;
      if (p.tag == kTagSOUR) store.StoreFlags() |= kFlagSourSeen;
      LineNode* node = builder.AppendLine(p.level, p.tag, p.xref, p.value);
      if (!node) return -1;
      // A full text pool would silently drop text and lose it on the next save.
      if ((!p.value.empty() && !node->value) || (!p.xref.empty() && !node->xref)) return -1;
      last = p.tag;
    }
  }
  return last;
}

int ScanRecords(RecordStore& store, const std::array<int, kKindCount>& capacities,
                std::int32_t& individuals, std::int32_t& families) {
  individuals = families = 0;
  for (int k = 0; k < kKindCount; ++k) store.SetUpKind(static_cast<RecordKind>(k), capacities[k]);
  auto fail = [&](int result) {
    for (int k = 0; k < kKindCount; ++k) store.ReleaseKind(static_cast<RecordKind>(k));
    individuals = families = 0;
    return result;
  };
  bool numberless[2] = {false, false};
  std::int32_t previous[2] = {0, 0};
  bool headSeen = false;
  LineNode* root = store.Root();
  for (LineNode *line = root ? root->firstChild.get() : nullptr, *next = nullptr; line;
       line = next) {
    next = line->next;
    if (line->tag == kTagHEAD && !headSeen) {
      store.SetFirstRecordLine(kTagHEAD, line);
      headSeen = true;
    }
    int kind = RecordStore::KindOfTag(line->tag);
    if (kind < 0) continue;
    KindIndex& k = store.Kind(static_cast<RecordKind>(kind));
    std::int32_t number = line->xref ? NumberOf(line->Xref()) : 0;
    if (number < 0) number = 0;
    if (kind <= kFam) {
      if (number == 0) {
        if (numberless[kind]) return fail(-2);
        numberless[kind] = true;
      } else if (k.count > 0 && number == previous[kind]) {
        // The same number twice in a row: the later record stands for it.
        std::size_t slot = static_cast<std::size_t>(k.count);
        LineNode* earlier = k.lines[slot];
        UnlinkLine(earlier);
        k.lines[slot] = line;
        if (store.FirstRecordLine(line->tag) == earlier) store.SetFirstRecordLine(line->tag, line);
        continue;
      }
      previous[kind] = number;
    }
    if (k.count + 1 > k.capacity - 2 || !GrowKind(k, static_cast<std::size_t>(k.count) + 2))
      return fail(-1);
    if (k.count == 0) {
      store.SetFirstRecordLine(line->tag, line);
      if (line->xref) k.prefix = PrefixOf(line->Xref());
      if (kind == kNote) store.StoreFlags() |= kFlagNoteRecords;
    }
    ++k.count;
    std::size_t slot = static_cast<std::size_t>(k.count);
    if (number != k.count) k.notConsecutive = true;
    k.maxId = std::max(k.maxId, number);
    k.ids[slot] = number;
    k.lines[slot] = line;
  }
  bool notConsecutive = false;
  for (int kind = 0; kind < kKindCount; ++kind) {
    KindIndex& k = store.Kind(static_cast<RecordKind>(kind));
    GrowKind(k, static_cast<std::size_t>(k.count) + 1);
    k.ids[static_cast<std::size_t>(k.count) + 1] = 0;
    k.idCount = k.count;
    notConsecutive = notConsecutive || k.notConsecutive;
    if (kind == kFam) continue;
    if (!store.BuildKeys(static_cast<RecordKind>(kind))) return fail(-1);
  }
  if (store.Kind(kSour).count == 0) store.ReleaseKind(kSour);
  individuals = store.Kind(kIndi).count;
  families = store.Kind(kFam).count;
  return notConsecutive ? 1 : 0;
}

bool HasNonNumericIds(const RecordStore& store) {
  const LineNode* root = store.Root();
  for (const LineNode* line = root ? root->firstChild.get() : nullptr; line; line = line->next) {
    if (RecordStore::KindOfTag(line->tag) < 0 || !line->xref) continue;
    std::string_view x = line->Xref();
    std::size_t i = x.find('@');
    if (i == std::string_view::npos) continue;
    ++i;
    // Letters of the prefix come before the digits.
    while (i < x.size() && !IsDigit(x[i]) && x[i] != '@') ++i;
    std::size_t digits = 0;
    while (i < x.size() && IsDigit(x[i])) {
      ++digits;
      ++i;
    }
    // Each record is judged on its own: a cross-reference without digits
    // (@PARENTS@) is non-numeric even after numbered ones.
    if (digits == 0) return true;
    if (i < x.size() && x[i] != '@') return true;
  }
  return false;
}

}  // namespace dv
