#include "data/GedcomReader.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "data/Processors.h"

namespace dv {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// Whether a record's cross-reference is non-numeric: no digits after the
// letters of its prefix (@PARENTS@), or more than the closing at sign after
// them (@I2-1@). Without an at sign it is not judged.
bool IsNonNumericXref(std::string_view x) {
  std::size_t i = x.find('@');
  if (i == std::string_view::npos) return false;
  ++i;
  // Letters of the prefix come before the digits.
  while (i < x.size() && !IsDigit(x[i]) && x[i] != '@') ++i;
  std::size_t digits = 0;
  while (i < x.size() && IsDigit(x[i])) {
    ++digits;
    ++i;
  }
  return digits == 0 || (i < x.size() && x[i] != '@');
}

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

// Why a line could not be appended: -2 its level (above 14, or more than
// one deeper than the line before it), a fault in the file; -1 a full node
// or text pool.
int AppendFailure(const LineBuilder& builder, int level) {
  return level > kMaxLevel || level > builder.CurrentLevel() + 1 ? -2 : -1;
}

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
      if (!node) return AppendFailure(builder, p.level);
      // A full text pool would silently drop text and lose it on the next save.
      if ((!p.value.empty() || !p.xref.empty()) && !node->text) return -1;
      last = p.tag;
    }
    if (!more) break;
  }
  return last;
}

}  // namespace

int ParseLines(RecordStore& store, const ChunkedFile& file) { return ParseAll(store, file); }

namespace {

// Why a chunk's lines end early.
enum class ChunkStop {
  kNone,       // the chunk's lines run to its end
  kEndOfData,  // a NUL byte
  kLineBound,  // a line beyond the line bound (115)
};

// Cuts text (a whole chunk: it ends at a line end) into lines and parses
// them, handing each line that has a level to take; stops at the end of the
// data or at a line beyond the bound. take returns false to stop as well.
// Empty lines before the file's first line are passed over (first: the
// chunk starts the file), as they are between lines. At the end of the
// data, nulAt is where the NUL byte lies in the chunk.
template <typename Take>
ChunkStop ParseChunk(std::string_view chunk, bool first, std::size_t& nulAt, Take&& take) {
  const char* data = chunk.data();
  const std::size_t end = chunk.size();
  std::size_t i = 0;
  if (first)
    while (i < end && (data[i] == '\r' || data[i] == '\n')) ++i;
  while (i < end) {
    const std::size_t begin = i;
    i = FindTextEnd(data, begin, end);
    if (i - begin > static_cast<std::size_t>(ChunkedFile::kMaxLineLength))
      return ChunkStop::kLineBound;
    if (i == begin) {
      nulAt = i;
      return ChunkStop::kEndOfData;
    }
    const std::string_view text(data + begin, i - begin);
    while (i < end && (data[i] == '\r' || data[i] == '\n')) ++i;
    const ParsedLine p = ParseLine(text);
    if (p.hasLevel && !take(p)) return ChunkStop::kNone;
  }
  return ChunkStop::kNone;
}

// A line cut and parsed by either thread, its texts given their place in
// the pool by the reading thread, in file order, as SetLineTexts would
// store them. The bytes are copied there by the reading thread, or, while
// the appending thread has less to do, by that thread (copy): the two share
// the work.
struct StoredLine {
  char* text = nullptr;        // none, or the pool had no room (poolFull)
  const char* xref = nullptr;  // the texts in the chunk, while copy
  const char* value = nullptr;
  std::uint32_t xrefSize = 0, valueSize = 0;
  std::int16_t level = 0;  // as parsed (up to 999): the appending checks it
  std::uint8_t tag = 0;
  bool hasXref = false;
  bool poolFull = false;  // the line has texts the pool could not take: the parse ends there
  bool copy = false;      // the texts are still to be copied to text

  explicit StoredLine(const ParsedLine& p)
      : xref(p.xref.data()),
        value(p.value.data()),
        xrefSize(static_cast<std::uint32_t>(p.xref.size())),
        valueSize(static_cast<std::uint32_t>(p.value.size())),
        level(static_cast<std::int16_t>(p.level)),
        tag(static_cast<std::uint8_t>(p.tag)) {}
};

// Places a parsed line's texts in the pool (in file order): the
// cross-reference, a NUL and the value, or the value alone, and two NULs.
void PlaceLineTexts(TextPool& pool, StoredLine& s) {
  if (s.xrefSize) {
    s.text = pool.Place(std::size_t{s.xrefSize} + 1 + s.valueSize);
    s.hasXref = s.text != nullptr;
  } else if (s.valueSize) {
    s.text = pool.Place(s.valueSize);
  }
  s.poolFull = !s.text && (s.xrefSize || s.valueSize);
}

void CopyLineTexts(const StoredLine& s) {
  char* dst = s.text;
  if (s.hasXref) dst = TextPool::Write(dst, {s.xref, s.xrefSize});
  *TextPool::Write(dst, {s.value, s.valueSize}) = 0;
}

// Appends parsed lines to the store's tree: false when a line cannot be
// appended (a level above 14 or a jump, the node pool or the text pool
// full), with Failure telling which.
class TreeAppender {
 public:
  TreeAppender(RecordStore& store, std::vector<LineNode*>* records)
      : store_(store), builder_(store.Nodes(), store.Text(), store.Root()), records_(records) {
    if (records_) records_->clear();
  }
  bool Append(const ParsedLine& p) {
    if (p.tag == kTagSOUR) store_.StoreFlags() |= kFlagSourSeen;
    LineNode* node = builder_.AppendLine(p.level, p.tag, p.xref, p.value);
    if (!node) {
      failure_ = AppendFailure(builder_, p.level);
      return false;
    }
    // A full text pool would silently drop text and lose it on the next save.
    if ((!p.value.empty() || !p.xref.empty()) && !node->text) return false;
    if (records_ && p.level == 0) records_->push_back(node);
    last_ = p.tag;
    return true;
  }
  // The same for a line whose texts the reading thread has stored.
  bool Append(const StoredLine& s) {
    if (s.tag == kTagSOUR) store_.StoreFlags() |= kFlagSourSeen;
    if (s.copy) CopyLineTexts(s);
    LineNode* node = builder_.AppendStoredLine(s.level, s.tag, s.text, s.hasXref);
    if (!node) {
      failure_ = AppendFailure(builder_, s.level);
      return false;
    }
    if (s.poolFull) return false;
    if (records_ && s.level == 0) records_->push_back(node);
    last_ = s.tag;
    if (s.text) {
      lastText_ = s.text;
      lastTwoStrings_ = s.hasXref;
    }
    return true;
  }
  // Where the pool stands after the last line appended with texts the
  // reading thread stored: that thread may have stored texts of lines
  // after it. False when there is none.
  bool EndTexts(TextPool& pool) const {
    if (lastText_) pool.EndAfter(lastText_, lastTwoStrings_);
    return lastText_ != nullptr;
  }
  int Last() const { return last_; }
  int Failure() const { return failure_; }

 private:
  RecordStore& store_;
  LineBuilder builder_;
  std::vector<LineNode*>* records_;
  int last_ = 0;
  int failure_ = -1;
  const char* lastText_ = nullptr;
  bool lastTwoStrings_ = false;
};

void StartTree(RecordStore& store) {
  for (int tag : {kTagHEAD, kTagINDI, kTagFAM, kTagNOTE, kTagSOUR, kTagREPO})
    store.SetFirstRecordLine(tag, nullptr);
  store.StoreFlags() = kFlagLive;
}

// Chunks in a ring of slots. The reading thread reads them, a chunk or two
// ahead, and gives their lines' texts their places in the pool in file
// order; cutting and parsing a chunk read ahead (the larger part of the
// work) is done by whichever thread is free first, so that the appending
// thread, rather than wait for the reading one, parses the next chunk.
class ChunkPipe {
 public:
  static constexpr int kSlots = 4;
  // A slot's chunk: read, claimed by a thread that parses it, then parsed.
  enum State : std::uint8_t { kEmpty, kRead, kParsing, kParsed };
  struct Slot {
    std::unique_ptr<char[]> bytes;  // the chunk's text
    std::size_t capacity = 0;
    std::string_view text;
    std::vector<StoredLine> lines;
    ChunkStop stop = ChunkStop::kNone;
    std::size_t nulAt = 0;   // at kEndOfData
    bool endOfFile = false;  // no chunk was read: the end of the file, or a read failure
    bool last = false;       // no chunk follows (set with the texts' places)
    bool noMemory = false;   // the chunk's lines could not be listed
    std::atomic<std::uint8_t> state{kEmpty};
  };

  // The node pool's region and where the appending starts in it: the
  // reading thread makes the memory for the lines it has parsed resident,
  // so the appending thread does not stop for page faults.
  struct Ahead {
    void* nodes = nullptr;
    std::size_t nodesAt = 0;
  };

  ChunkPipe(ChunkedStream& file, const TextPool& text, const Ahead& ahead)
      : file_(file), ahead_(ahead) {
    text_.ContinueFrom(text);
    // Room for a chunk's lines (some 3,500 in a file of short lines) made
    // here, once: grown by whichever thread parses, the lists would take
    // memory from each thread's own heap.
    for (Slot& slot : slots_) slot.lines.reserve(kLinesAChunk);
  }
  // The pool's fill after the reading thread has ended.
  const TextPool& Text() const { return text_; }

  // The reading thread: reads chunk after chunk, parses those the
  // appending thread does not, and places the lines' texts in the pool
  // (the appending thread never does meanwhile).
  void Read() {
    std::size_t read = 0, placed = 0;
    bool readAll = false;
    auto canRead = [&] {
      return !readAll && read < placed + kReadAhead && read - taken_.load() < kSlots;
    };
    auto canPlace = [&] { return placed < read && slots_[placed % kSlots].state == kParsed; };
    while (!cancelled_) {
      if (canPlace()) {
        Slot& slot = slots_[placed % kSlots];
        PlaceTexts(slot, placed);
        const bool last = slot.last;  // the slot is the appending thread's once made
        Publish(made_, ++placed);
        if (last) return;
      } else if (canRead()) {
        ReadChunk(read);
        readAll = slots_[read % kSlots].endOfFile;
        read_ = ++read;
      } else if (!ParseOneOf(placed, read)) {
        // The next chunk is being parsed by the appending thread, and the
        // ring is full or read far enough ahead.
        WaitFor([&] { return cancelled_.load() || canPlace() || canRead(); });
      }
    }
  }

  // The next slot in file order, its texts placed. While the reading
  // thread is not done with it, this thread parses a chunk read ahead.
  Slot& Take(std::size_t n) {
    WaitFor([&] { return made_.load() > n; }, [&] { return ParseOneOf(n, read_.load()); });
    return slots_[n % kSlots];
  }
  // Gives slot n back to the reading thread.
  void Done(std::size_t n) { Publish(taken_, n + 1); }

  void Cancel() {
    cancelled_ = true;
    std::lock_guard<std::mutex> lock(mutex_);
    changed_.notify_all();
  }

 private:
  // Chunks read beyond the last one placed: one for each thread to parse.
  static constexpr std::size_t kReadAhead = 2;
  static constexpr std::size_t kLinesAChunk = 4096;

  void ReadChunk(std::size_t n) {
    Slot& slot = slots_[n % kSlots];
    slot.lines.clear();
    slot.stop = ChunkStop::kNone;
    slot.nulAt = 0;
    slot.last = slot.noMemory = false;
    slot.endOfFile = !file_.NextChunkInto(slot.bytes, slot.capacity, slot.text);
    slot.state = slot.endOfFile ? kParsed : kRead;
  }

  // Claims and parses the first chunk of [from, to) read and not yet
  // claimed by either thread; false when there is none.
  bool ParseOneOf(std::size_t from, std::size_t to) {
    for (std::size_t n = from; n < to; ++n) {
      Slot& slot = slots_[n % kSlots];
      std::uint8_t read = kRead;
      if (slot.state.load(std::memory_order_relaxed) != kRead ||
          !slot.state.compare_exchange_strong(read, kParsing))
        continue;
      try {
        slot.stop = ParseChunk(slot.text, n == 0, slot.nulAt, [&slot](const ParsedLine& p) {
          slot.lines.emplace_back(p);
          return true;
        });
      } catch (const std::bad_alloc&) {
        slot.lines.clear();  // the chunk could not be held: the load ends with 1
        slot.noMemory = true;
      }
      Publish(slot.state, kParsed);
      return true;
    }
    return false;
  }

  // Gives the lines of parsed chunk n their places in the pool. Nothing
  // after a line the pool could not take is kept: the appending stops at it.
  void PlaceTexts(Slot& slot, std::size_t n) {
    // Two chunks or more not yet appended: the appending thread is behind,
    // and this one copies the texts of this chunk itself.
    const bool copyHere = n - taken_.load() >= 2;
    for (std::size_t i = 0; i < slot.lines.size(); ++i) {
      StoredLine& line = slot.lines[i];
      PlaceLineTexts(text_, line);
      if (line.poolFull) {
        slot.lines.erase(slot.lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, slot.lines.end());
        poolFull_ = true;
        break;
      }
      if (line.text) {
        if (copyHere)
          CopyLineTexts(line);
        else
          line.copy = true;
      }
    }
    slot.last = slot.endOfFile || slot.stop != ChunkStop::kNone || slot.noMemory || poolFull_;
    // Every line takes one node: the memory up to there will be written.
    lineCount_ += slot.lines.size();
    PrefaultBytes(ahead_.nodes, ahead_.nodesAt, ahead_.nodesAt + lineCount_ * sizeof(LineNode));
  }

  // A chunk takes the threads about as long each, so the one waiting for
  // the other is seldom kept long: it spins for a while (doing what work
  // it may find) before it sleeps, and the other wakes it only if it
  // sleeps. Sleeping and waking cost system calls (and more under other
  // systems' thread layers) for each of some two hundred chunks.
  template <typename Ready, typename Work>
  void WaitFor(Ready ready, Work work) {
    for (int i = 1; i <= kSpins; ++i) {
      if (ready()) return;
      if (work()) {
        i = 0;
        continue;
      }
      Pause();
      // Now and then the processor is offered to the other thread, should
      // the two share one.
      if (i % 256 == 0) std::this_thread::yield();
    }
    std::unique_lock<std::mutex> lock(mutex_);
    ++sleepers_;
    changed_.wait(lock, ready);
    --sleepers_;
  }
  template <typename Ready>
  void WaitFor(Ready ready) {
    WaitFor(ready, [] { return false; });
  }
  template <typename T, typename V>
  void Publish(std::atomic<T>& value, V to) {
    value = static_cast<T>(to);
    if (sleepers_ > 0) {
      std::lock_guard<std::mutex> lock(mutex_);
      changed_.notify_all();
    }
  }
  static void Pause() {
#if defined(__i386__) || defined(__x86_64__)
    __builtin_ia32_pause();
#endif
  }
  static constexpr int kSpins = 20000;

  ChunkedStream& file_;
  // The pool as the reading thread places texts in it, on a cache line of
  // its own: the appending thread's node counters change at every line.
  alignas(64) TextPool text_;
  const Ahead ahead_;
  std::size_t lineCount_ = 0;
  bool poolFull_ = false;
  Slot slots_[kSlots];
  std::mutex mutex_;
  std::condition_variable changed_;
  // Sequentially consistent: a sleeper counts itself before it looks at
  // what it waits for, and a publisher sets that before it looks for
  // sleepers, so one of the two sees the other.
  std::atomic<std::size_t> read_{0}, made_{0}, taken_{0};
  std::atomic<int> sleepers_{0};
  std::atomic<bool> cancelled_{false};
};

}  // namespace

// The loader's pass: the same lines as ReadWholeLine hands out, split here
// chunk by chunk so that finding, parsing and appending a line is one loop.
int ParseLines(RecordStore& store, ChunkedStream& file, std::vector<LineNode*>* records) {
  if (!store.Root()) return -1;
  StartTree(store);
  TreeAppender tree(store, records);
  std::string_view chunk;
  bool failed = false;
  for (int n = 0; file.NextChunk(chunk); ++n) {
    std::size_t nulAt = 0;
    const ChunkStop stop = ParseChunk(chunk, n == 0, nulAt, [&](const ParsedLine& p) {
      failed = !tree.Append(p);
      return !failed;
    });
    if (failed) return tree.Failure();
    if (stop == ChunkStop::kLineBound) file.StopWith(kErrBadGedcom);
    if (stop == ChunkStop::kEndOfData) file.EndedAt(n, nulAt);
    if (stop != ChunkStop::kNone) break;
  }
  return tree.Last();
}

int ParseLinesOnTwoThreads(RecordStore& store, ChunkedStream& file,
                           std::vector<LineNode*>* records) {
  if (file.ChunkCount() < 2 || std::thread::hardware_concurrency() == 1)
    return ParseLines(store, file, records);
  if (!store.Root()) return -1;
  StartTree(store);
  TreeAppender tree(store, records);
  ChunkPipe::Ahead ahead;
  ahead.nodes = store.Nodes().Region();
  ahead.nodesAt = static_cast<std::size_t>(store.Nodes().Count()) * sizeof(LineNode);
  ChunkPipe pipe(file, store.Text(), ahead);
  TextPool startText;  // the pool's fill before the parse
  startText.ContinueFrom(store.Text());
  const ProcessorSplit split;
  std::thread reader;
  try {
    reader = std::thread([&pipe] { pipe.Read(); });
    split.KeepOff(reader);
  } catch (const std::system_error&) {
    return ParseLines(store, file, records);  // no thread to be had: this one reads as well
  } catch (const std::bad_alloc&) {
    return ParseLines(store, file, records);
  }
  bool failed = false, listFull = false;
  for (std::size_t n = 0;; ++n) {
    ChunkPipe::Slot& slot = pipe.Take(n);
    try {
      for (const StoredLine& line : slot.lines) {
        if (!tree.Append(line)) {
          failed = true;
          break;
        }
      }
    } catch (const std::bad_alloc&) {
      // The list of records could not grow: the load ends with 1, once the
      // reading thread has stopped.
      failed = listFull = true;
    }
    const bool last = slot.last;
    const ChunkStop stop = slot.stop;
    const std::size_t nulAt = slot.nulAt;
    const bool noMemory = slot.noMemory;
    pipe.Done(n);
    if (failed || last) {
      pipe.Cancel();
      reader.join();
      store.Text().ContinueFrom(pipe.Text());
      // Chunks read ahead of a line that could not be appended were never
      // reached: a read failure among them is not this load's fault, and
      // the texts stored for them are dropped, as the line's own are.
      if (failed) {
        if (!tree.EndTexts(store.Text())) store.Text().ContinueFrom(startText);
        file.StopWith(listFull ? kErrNoMemory : 0);
        return tree.Failure();
      }
      if (stop == ChunkStop::kLineBound) file.StopWith(kErrBadGedcom);
      if (stop == ChunkStop::kEndOfData) {
        // The data ends at the NUL byte: a chunk read ahead after it, and a
        // failure to read one, are not this load's.
        file.StopWith(0);
        file.EndedAt(static_cast<int>(n), nulAt);
      }
      if (noMemory) file.StopWith(kErrNoMemory);
      return tree.Last();
    }
  }
}

int ScanRecords(RecordStore& store, const std::array<int, kKindCount>& capacities,
                std::int32_t& individuals, std::int32_t& families,
                const std::vector<LineNode*>* records, bool withKeys) {
  individuals = families = 0;
  for (int k = 0; k < kKindCount; ++k) store.SetUpKind(static_cast<RecordKind>(k), capacities[k]);
  // Records replaced by a later one with the same number come out of the
  // tree together when the walk ends: one at a time, each would walk the
  // records before it.
  std::vector<LineNode*> superseded;
  auto dropSuperseded = [&] {
    if (superseded.empty()) return;
    std::sort(superseded.begin(), superseded.end());
    UnlinkChildrenIf(store.Root(), [&superseded](const LineNode* l) {
      return std::binary_search(superseded.begin(), superseded.end(), l);
    });
    superseded.clear();
  };
  auto fail = [&](int result) {
    dropSuperseded();
    for (int k = 0; k < kKindCount; ++k) store.ReleaseKind(static_cast<RecordKind>(k));
    individuals = families = 0;
    return result;
  };
  bool numberless[2] = {false, false};
  bool textAfterDigits[kKindCount] = {};
  std::int32_t previous[2] = {0, 0};
  bool headSeen = false;
  LineNode* root = store.Root();
  // The records lie far apart (a whole record's lines between two), so each
  // one is a cache miss: walking the parse's list, the line sixteen ahead
  // and the cross-reference text of the one eight ahead are fetched early.
  std::size_t listed = 0;
  auto following = [&](LineNode* line) -> LineNode* {
    if (!records) return line->next;
    const std::size_t n = records->size();
    if (listed + 16 < n) __builtin_prefetch((*records)[listed + 16]);
    if (listed + 8 < n) __builtin_prefetch((*records)[listed + 8]->text.get());
    return listed < n ? (*records)[listed++] : nullptr;
  };
  LineNode* first = root ? root->firstChild.get() : nullptr;
  if (records) {
    listed = 0;
    first = following(nullptr);
  }
  for (LineNode *line = first, *next = nullptr; line; line = next) {
    next = following(line);
    if (line->tag == kTagHEAD && !headSeen) {
      store.SetFirstRecordLine(kTagHEAD, line);
      headSeen = true;
    }
    int kind = RecordStore::KindOfTag(line->tag);
    if (kind < 0) continue;
    KindIndex& k = store.Kind(static_cast<RecordKind>(kind));
    bool suffixed = false;
    std::int32_t number = line->hasXref ? NumberOf(line->Xref(), suffixed) : 0;
    if (number < 0) number = 0;
    if (suffixed) textAfterDigits[kind] = true;
    // A larger number would be held as kMaxRecordNumber like any other:
    // two such records would share one number, so that links found the
    // wrong record and the second of two in a row replaced the first.
    if (number == kMaxRecordNumber && NumberTooLarge(line->Xref())) return fail(-3);
    if (kind <= kFam) {
      if (number == 0) {
        if (numberless[kind]) return fail(-2);
        numberless[kind] = true;
      } else if (k.count > 0 && number == previous[kind]) {
        // The same number twice in a row: the later record stands for it.
        std::size_t slot = static_cast<std::size_t>(k.count);
        LineNode* earlier = k.lines[slot];
        // Unless the two identifiers differ after their digits (@I2@ and
        // @I2-1@): two records the numbering cannot tell apart, not one
        // record written twice, and dropping one would lose it.
        if (earlier->Xref() != line->Xref() &&
            (IsNonNumericXref(earlier->Xref()) || IsNonNumericXref(line->Xref())))
          return fail(-2);
        superseded.push_back(earlier);
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
      if (line->hasXref) k.prefix = PrefixOf(line->Xref());
      if (kind == kNote) store.StoreFlags() |= kFlagNoteRecords;
    }
    ++k.count;
    std::size_t slot = static_cast<std::size_t>(k.count);
    if (number != k.count) k.notConsecutive = true;
    k.maxId = std::max(k.maxId, number);
    k.ids[slot] = number;
    k.lines[slot] = line;
  }
  dropSuperseded();
  // Identifiers with more after their digits (@I2-1@) may share a number
  // with another record anywhere in the file (@I2@): links to either would
  // find the same one.
  for (int kind = 0; kind < kKindCount; ++kind) {
    const KindIndex& k = store.Kind(static_cast<RecordKind>(kind));
    if (!textAfterDigits[kind] || k.count < 2) continue;
    std::vector<std::int32_t> numbers(k.ids.begin() + 1, k.ids.begin() + 1 + k.count);
    std::sort(numbers.begin(), numbers.end());
    auto numbered = std::upper_bound(numbers.begin(), numbers.end(), 0);
    if (std::adjacent_find(numbered, numbers.end()) != numbers.end()) return fail(-2);
  }
  bool notConsecutive = false;
  for (int kind = 0; kind < kKindCount; ++kind) {
    KindIndex& k = store.Kind(static_cast<RecordKind>(kind));
    GrowKind(k, static_cast<std::size_t>(k.count) + 1);
    k.ids[static_cast<std::size_t>(k.count) + 1] = 0;
    k.idCount = k.count;
    notConsecutive = notConsecutive || k.notConsecutive;
  }
  if (withKeys && !BuildRecordKeys(store)) return fail(-1);
  if (store.Kind(kSour).count == 0) store.ReleaseKind(kSour);
  individuals = store.Kind(kIndi).count;
  families = store.Kind(kFam).count;
  return notConsecutive ? 1 : 0;
}

bool BuildRecordKeys(RecordStore& store) {
  for (RecordKind kind : {kIndi, kNote, kSour, kRepo})
    if (!store.BuildKeys(kind)) return false;
  return true;
}

bool HasNonNumericIds(const RecordStore& store) {
  const LineNode* root = store.Root();
  for (const LineNode* line = root ? root->firstChild.get() : nullptr; line; line = line->next) {
    if (RecordStore::KindOfTag(line->tag) < 0 || line->Xref().empty()) continue;
    // Each record is judged on its own: a cross-reference without digits
    // (@PARENTS@) is non-numeric even after numbered ones.
    if (IsNonNumericXref(line->Xref())) return true;
  }
  return false;
}

}  // namespace dv
