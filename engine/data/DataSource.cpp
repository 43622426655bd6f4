#include "data/DataSource.h"

#include <cstdio>
#include <ctime>
#include <new>
#include <system_error>
#include <vector>

#include "data/GedcomReader.h"

namespace dv {

namespace {

// Sets the header's CHAR line to UTF-8 (a header without one is left as it is).
void DeclareUtf8(RecordStore& store) {
  static const int kTagCHAR = TagCodeOf("CHAR");
  const LineNode* root = store.Root();
  for (LineNode* line = root ? root->firstChild.get() : nullptr; line; line = line->next) {
    if (line->tag != kTagHEAD) continue;
    if (LineNode* c = FirstChild(line, kTagCHAR)) store.SetValue(c, " UTF-8");
    return;
  }
}

}  // namespace

int DataSourceLoader::Start(const std::string& path, const LoadOptions& options) {
  WaitForKeys();
  store_.Clear();
  ChunkedStream file;
  // The reader's own code says what went wrong: 2 the file cannot be
  // opened or read, 1 no memory, 55 more chunks than the reader holds, 115
  // a line beyond the line bound.
  if (int error = file.Open(path)) return error;
  return StartOrNoMemory(file, options);
}

int DataSourceLoader::StartBytes(std::string bytes, const LoadOptions& options) {
  WaitForKeys();
  store_.Clear();
  ChunkedStream file;
  if (int error = file.OpenBytes(std::move(bytes))) return error;
  return StartOrNoMemory(file, options);
}

int DataSourceLoader::StartOrNoMemory(ChunkedStream& file, const LoadOptions& options) {
  failure_ = 0;
  try {
    return StartParsed(file, options);
  } catch (const std::bad_alloc&) {
    // A list of the load could not grow: nothing of it is kept.
    Abandon(kErrNoMemory);
    return kErrNoMemory;
  }
}

void DataSourceLoader::Abandon(int failure) {
  if (keys_.joinable()) keys_.join();
  keysApart_.reset();
  store_.Clear();
  failure_ = failure;
}

int DataSourceLoader::StartParsed(ChunkedStream& file, const LoadOptions& options) {
  options_ = options;
  individuals_ = families_ = 0;
  builtIndividuals_ = builtFamilies_ = 0;
  step_ = 0;
  sourcesCreated_ = 0;
  warning_ = 0;
  auto fail = [this](int id) {
    store_.Clear();
    return id;
  };
  if (store_.Start() != 0) return fail(kErrNoMemory);
  // The file is read and cut into lines on a second thread while this one
  // builds the tree.
  std::vector<LineNode*> records;  // the level-0 lines, for the record scan
  int parsed = ParseLinesOnTwoThreads(store_, file, &records);
  // Lines after a NUL byte are not read (a file padded with NULs ends
  // there); when more than padding follows, the user is told once the load
  // is done.
  warning_ = file.MoreAfterEnd() ? kMsgCutAtNul : 0;
  int readError = file.LastReaderError();
  const bool byteOrderMark = file.ByteOrderMark();
  const bool wasUtf16 = file.WasUtf16();
  file.Close();
  // A read that failed half-way (the file went away, no memory for a
  // chunk, a line beyond the bound) keeps its own message.
  if (readError) return fail(readError);
  // A level the tree cannot take is a fault in the file; only full pools
  // make it too large.
  if (parsed == -2) return fail(kErrBadGedcom);
  if (parsed < 0) return fail(kErrFileTooLarge);
  store_.DropUnusedLineMemory();
  // A UTF-16 file is held, and saved, as UTF-8: its header says so.
  if (wasUtf16) DeclareUtf8(store_);
  if (options.namesLast) store_.StoreFlags() |= kFlagNamesLast;
  // Decided before the record scan builds the keys: keys and summaries are
  // program text converted from the file's character set. Only the header
  // is read here; a file it does not decide is read string by string.
  store_.SetEncoding(DetectEncoding(store_.Root(), byteOrderMark, false));
  int scan = ScanRecords(store_, kFileCapacities, individuals_, families_, &records, false);
  if (scan == -2) return fail(HasNonNumericIds(store_) ? kErrNonNumericIds : kErrFileTooLarge);
  if (scan == -3) return fail(kErrNumberTooLarge);
  if (scan < 0) return fail(kErrFileTooLarge);
  // Key lists that might not fit the text pool are built here, so that a
  // full pool fails the load as it always has; lists that fit are left to
  // a second thread while the summaries are built.
  const bool keysApart =
      store_.TextRoomForKeys() && individuals_ > 0 && std::thread::hardware_concurrency() != 1;
  if (!keysApart && !BuildRecordKeys(store_)) return fail(kErrFileTooLarge);
  store_.numberingFlag = scan;
  chunkSize_ = (individuals_ + families_) / 100 + 1;
  individualSteps_ = individuals_ / chunkSize_ + 1;
  familySteps_ = families_ / chunkSize_ + 1;
  if (keysApart) {
    try {
      keysBuilt_ = true;
      keysApart_.emplace();
      keys_ = std::thread([this] {
        try {
          keysBuilt_ = BuildRecordKeys(store_);
        } catch (const std::bad_alloc&) {
          keysBuilt_ = false;
        }
      });
      keysApart_->KeepOff(keys_);
      store_.PutOffNotes();
    } catch (const std::system_error&) {
      keysApart_.reset();
      BuildRecordKeys(store_);  // no thread to be had: built here, with room as checked
    } catch (const std::bad_alloc&) {
      keysApart_.reset();
      BuildRecordKeys(store_);
    }
  }
  // The summaries' blocks are set up meanwhile.
  if (int sized = store_.SizeSummaries(individuals_, families_)) {
    WaitForKeys();
    return fail(sized);
  }
  return 0;
}

void DataSourceLoader::WaitForKeys() {
  if (!keys_.joinable()) return;
  keys_.join();
  keysApart_.reset();
  if (!keysBuilt_) BuildRecordKeys(store_);
  keysBuilt_ = true;
  store_.GatherPutOffNotes();
}

std::int32_t DataSourceLoader::Step() {
  if (store_.Empty()) return -1;
  try {
    return BuildSomeSummaries();
  } catch (const std::bad_alloc&) {
    Abandon(kErrNoMemory);
    return -1;
  }
}

std::int32_t DataSourceLoader::BuildSomeSummaries() {
  if (builtIndividuals_ < individuals_) {
    for (std::int32_t n = 0; n < chunkSize_ && builtIndividuals_ < individuals_; ++n) {
      ++builtIndividuals_;
      if (LineNode* line = store_.RecordLine(kIndi, builtIndividuals_)) store_.BuildIndividual(line);
    }
    ++step_;
    return builtIndividuals_ + builtFamilies_;
  }
  if (builtFamilies_ < families_) {
    for (std::int32_t n = 0; n < chunkSize_ && builtFamilies_ < families_; ++n) {
      ++builtFamilies_;
      if (LineNode* line = store_.RecordLine(kFam, builtFamilies_)) store_.BuildFamily(line);
    }
    ++step_;
    return builtIndividuals_ + builtFamilies_;
  }
  return -1;
}

std::string DataSourceLoader::Finish() {
  try {
    WaitForKeys();
    if (store_.Empty()) return {};
    store_.AfterLoad();
    sourcesCreated_ = ConvertInlineSources(store_, options_.combineSources);
    store_.SetDigitFlags();
    store_.dataChanged = 0;
    return LoadSummaryText(store_.IndividualCount(), store_.FamilyCount());
  } catch (const std::bad_alloc&) {
    Abandon(kErrNoMemory);
    return {};
  }
}

std::string LoadSummaryText(std::int32_t individuals, std::int32_t families) {
  if (individuals >= kTooManyIndividuals) return "Too many ancestors/individuals";
  char text[64];
  std::snprintf(text, sizeof text, "%d individuals\n%d families", static_cast<int>(individuals),
                static_cast<int>(families));
  return text;
}

int LoadDataSource(RecordStore& store, const std::string& path, const LoadOptions& options,
                   std::string& summary, int* warning) {
  DataSourceLoader loader(store);
  int result = loader.Start(path, options);
  if (result) return result;
  while (loader.Step() >= 0) {
  }
  summary = loader.Finish();
  if (int failure = loader.Failure()) return failure;
  if (warning) *warning = loader.Warning();
  return 0;
}

int LoadDataSourceBytes(RecordStore& store, std::string bytes, const LoadOptions& options,
                        std::string& summary, int* warning) {
  DataSourceLoader loader(store);
  int result = loader.StartBytes(std::move(bytes), options);
  if (result) return result;
  while (loader.Step() >= 0) {
  }
  summary = loader.Finish();
  if (int failure = loader.Failure()) return failure;
  if (warning) *warning = loader.Warning();
  return 0;
}

Date Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return Date{local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

std::string FormatGedcomDate(const Date& date) {
  static constexpr const char* kMonths[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                              "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  int month = date.month >= 1 && date.month <= 12 ? date.month : 1;
  char text[48];
  std::snprintf(text, sizeof text, "%d %s %d", date.day, kMonths[month - 1], date.year);
  return text;
}

int NewDataSource(RecordStore& store, const Date& today, std::string_view submitterName) {
  store.Clear();
  if (store.Start() != 0) return kErrNoMemory;
  for (int k = 0; k < kKindCount; ++k) {
    store.SetUpKind(static_cast<RecordKind>(k), kNewCapacities[k]);
    store.BuildKeys(static_cast<RecordKind>(k));
  }
  if (store.SizeSummaries(0, 0) != 0) {
    store.Clear();
    return kErrCannotOpen;
  }
  struct TemplateLine {
    int level;
    int tag;
    std::string_view xref;
    std::string value;
  };
  const std::string date = FormatGedcomDate(today);
  const TemplateLine lines[] = {
      {0, kTagHEAD, {}, {}},
      {1, kTagSOUR, {}, "DORVANE"},
      {2, TagCodeOf("VERS"), {}, "4.07"},
      {2, kTagNAME, {}, "Dorvane"},
      {1, kTagDEST, {}, "DORVANE"},
      {1, kTagDATE, {}, date},
      {1, kTagSUBM, {}, "@SUB1@"},
      {1, kTagFILE, {}, {}},
      {1, TagCodeOf("GEDC"), {}, {}},
      {2, TagCodeOf("VERS"), {}, "5.5"},
      {2, TagCodeOf("FORM"), {}, "LINEAGE-LINKED"},
      {1, TagCodeOf("CHAR"), {}, std::string(kProgramCharName)},
      {0, kTagSUBM, "@SUB1@", {}},
      {1, kTagNAME, {}, std::string(submitterName)},
      {0, kTagTRLR, {}, {}},
  };
  LineBuilder builder(store.Nodes(), store.Text(), store.Root());
  for (const auto& l : lines) {
    std::string value = l.value.empty() ? std::string() : " " + l.value;
    LineNode* node = builder.AppendLine(l.level, l.tag, l.xref, value);
    if (!node) {
      store.Clear();
      return kErrNoMemory;
    }
    if (l.tag == kTagHEAD) store.SetFirstRecordLine(kTagHEAD, node);
  }
  store.StoreFlags() = kFlagLive;
  store.numberingFlag = 0;
  store.dataChanged = 1;
  return 0;
}

int ConvertInlineSources(RecordStore& store, bool combineSameTitle) {
  if (!(store.StoreFlags() & kFlagSourSeen) || !store.Root()) return 0;
  if (store.Kind(kSour).exists && store.Kind(kSour).count > 0) return 0;
  LineNode* start = store.FirstRecordLine(kTagINDI);
  if (!start) return 0;
  if (!store.Kind(kSour).exists) {
    store.SetUpKind(kSour, kSourCapacity);
    store.BuildKeys(kSour);
  }
  LineNode* root = store.Root();
  LineNode* anchor = store.FirstRecordLine(kTagHEAD);
  LineNode* previous = nullptr;
  int created = 0;
  for (LineNode* line = start; line; line = NextLine(root, line)) {
    if (line->tag != kTagSOUR || line->level < 1) continue;
    std::string_view value = line->Value();
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    if (!value.empty() && value.front() == '@') continue;  // already a pointer

    // The title goes into new lines of the file: gathered in the file's own
    // character set.
    std::int32_t offset = store.GatherNotes(line, true, nullptr, true);
    const char* gathered = offset > 0 ? store.TextAt(offset) : nullptr;
    std::string text = gathered ? gathered : "";
    std::string xref;
    if (combineSameTitle) {
      int pos = store.FindKey(kSour, store.ShownText(text));
      if (pos >= 0) {
        const KeyEntry& e = store.Kind(kSour).keys[static_cast<std::size_t>(pos)];
        if (e.line) xref = e.line->Xref();
      }
    }
    if (xref.empty()) {
      std::int32_t number = store.NextNumber(kSour);
      std::string newXref = store.FormatXref(number, store.Kind(kSour).prefix);
      std::string titleValue = text.empty() ? std::string() : " " + text;
      LineNode* record = store.MakeLine(0, kTagSOUR, newXref);
      LineNode* abbr = store.MakeLine(1, kTagABBR, {}, titleValue);
      LineNode* title = store.MakeLine(1, kTagTITL, {}, titleValue);
      if (!record || !abbr || !title) break;
      LinkFirstChild(record, title);
      LinkFirstChild(record, abbr);
      store.InsertRecord(previous ? previous : anchor, record);
      if (!store.SetKey(kSour, 0, record, true)) {
        UnlinkLine(record);
        break;
      }
      if (!store.FirstRecordLine(kTagSOUR)) store.SetFirstRecordLine(kTagSOUR, record);
      previous = record;
      ++created;
      xref = newXref;
    }
    store.SetValue(line, " " + xref);
    while (line->firstChild && (line->firstChild->tag == kTagCONT || line->firstChild->tag == kTagCONC))
      UnlinkLine(line->firstChild);
    if (LineNode* textLine = FirstChild(line, kTagTEXT)) {
      if (LineNode* data = store.MakeLine(textLine->level, kTagDATA)) {
        ReplaceLine(textLine, data);
        ShiftLevels(textLine, 1);
        LinkFirstChild(data, textLine);
      }
    }
  }
  return created;
}

}  // namespace dv
