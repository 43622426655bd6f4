#include "data/ExtractScan.h"

#include <algorithm>

#include "data/Names.h"

namespace dv {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::int32_t ScanNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && !IsDigit(text[i])) ++i;
  std::int32_t n = 0;
  for (int d = 0; i < text.size() && IsDigit(text[i]) && d < 9; ++i, ++d)
    n = n * 10 + (text[i] - '0');
  return n;
}

std::string ScanYear(std::string_view date) {
  std::size_t i = 0;
  while (i < date.size()) {
    while (i < date.size() && !IsDigit(date[i])) ++i;
    const std::size_t from = i;
    while (i < date.size() && IsDigit(date[i])) ++i;
    if (i - from >= 4) return i - from == 4 ? std::string(date.substr(from, 4)) : std::string();
  }
  return {};
}

bool LooksLikeGedcomName(std::string_view name) {
  if (name.size() < 3) return false;
  const std::string_view tail = name.substr(name.size() - 3);
  return tail == "ged" || tail == "GED";
}

std::string ScanEvent::Text() const {
  if (!found) return {};
  std::string out;
  if (letter != 'm') {
    out += letter;
    out += ' ';
  }
  if (hasPlace) {
    out += place;
    out += ',';
  }
  out += year;
  return out;
}

int GedcomScan::Open(const std::string& path, int indexCapacity) {
  if (int rc = file_.Open(path)) return rc;
  return Parse(indexCapacity);
}

int GedcomScan::OpenBytes(std::string bytes, int indexCapacity) {
  if (int rc = file_.OpenBytes(std::move(bytes))) return rc;
  return Parse(indexCapacity);
}

int GedcomScan::Parse(int indexCapacity) {
  lines_.clear();
  records_.clear();
  CharSetDetector detector;
  ChunkedFile::Position pos;
  std::string_view text;
  bool firstLine = true;
  bool inHead = false;
  while (file_.ReadWholeLine(text, pos)) {
    if (firstLine) {
      firstLine = false;
      if (StartsWithByteOrderMark(text)) {
        detector.NoteByteOrderMark(true);
        text.remove_prefix(kUtf8ByteOrderMark.size());
      }
    }
    Line line;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size() && IsDigit(text[i])) {
      int level = 0;
      while (i < text.size() && IsDigit(text[i]) && level < 100) level = level * 10 + (text[i++] - '0');
      while (i < text.size() && IsDigit(text[i])) ++i;
      line.level = level;
      while (i < text.size() && text[i] == ' ') ++i;
      std::string_view xref;
      if (i < text.size() && text[i] == '@') {
        const std::size_t from = i;
        while (i < text.size() && text[i] != ' ') ++i;
        xref = text.substr(from, i - from);
        while (i < text.size() && text[i] == ' ') ++i;
      }
      const std::size_t tagFrom = i;
      while (i < text.size() && text[i] != ' ') ++i;
      line.tag = text.substr(tagFrom, i - tagFrom);
      if (i < text.size()) ++i;  // one space before the value
      line.value = text.substr(i);
      if (level == 0) {
        Record r;
        r.first = lines_.size();
        r.number = ScanNumber(xref);
        r.known = line.tag == "INDI" || line.tag == "FAM";
        r.kind = line.tag == "FAM" ? ScanKind::kFam : ScanKind::kIndi;
        if (!records_.empty()) records_.back().end = r.first;
        records_.push_back(r);
        inHead = line.tag == "HEAD";
      } else if (inHead && level == 1 && line.tag == "CHAR") {
        detector.NoteHeaderChar(line.value);
      }
    }
    if (detector.NeedsText()) detector.NoteText(text);
    lines_.push_back(line);
  }
  if (!records_.empty()) records_.back().end = lines_.size();
  if (int rc = file_.LastReaderError()) return rc;
  encoding_ = detector.Result();
  BuildIndex(indexCapacity);
  return 0;
}

void GedcomScan::BuildIndex(int capacity) {
  index_.clear();
  indexUsed_ = false;
  std::int32_t previous = -1;
  bool noting = true;
  for (int r = 0; r < int(records_.size()); ++r) {
    const Record& rec = records_[r];
    if (!rec.known || rec.kind != ScanKind::kIndi) continue;
    if (rec.number < previous) return;  // not in increasing order: no index
    previous = rec.number;
    if (!noting) continue;
    const std::int64_t expected = 100LL * (std::int64_t(index_.size()) + 1);
    if (rec.number == expected) {
      index_.push_back(r);
      if (int(index_.size()) >= capacity) noting = false;
    } else if (rec.number > expected) {
      noting = false;  // a hundredth record is missing: the index ends there
    }
  }
  indexUsed_ = index_.size() >= 3;
}

int GedcomScan::Find(ScanKind kind, std::int32_t number) {
  const int count = int(records_.size());
  if (count == 0 || number <= 0) return -1;
  int start = lastFound_;
  if (kind == ScanKind::kIndi && indexUsed_ && number >= 100) {
    const std::size_t k = std::size_t(number / 100);
    start = index_[std::min(k, index_.size()) - 1];
  } else if (kind == ScanKind::kFam && lastFam_ >= 0) {
    start = lastFam_;
  }
  if (start < 0 || start >= count) start = 0;
  // From the starting record to the end, then once from the beginning.
  for (int n = 0; n < count; ++n) {
    const int r = (start + n) % count;
    const Record& rec = records_[r];
    if (rec.known && rec.kind == kind && rec.number == number) {
      lastFound_ = r;
      if (kind == ScanKind::kFam) lastFam_ = r;
      return r;
    }
  }
  return -1;
}

std::string GedcomScan::Text(std::string_view raw) const {
  return ProgramText(raw, ReadingSet(encoding_));
}

std::string GedcomScan::Name(int record) const {
  if (record < 0 || record >= int(records_.size())) return "____";
  const Record& rec = records_[record];
  for (std::size_t i = rec.first + 1; i < rec.end; ++i) {
    const Line& l = lines_[i];
    if (l.level != 1 || l.tag != "NAME") continue;
    const std::string value = Text(l.value);
    if (TrimRight(value).find_first_not_of(' ') == std::string_view::npos) return "____";
    return DisplayName(value);
  }
  return "____";
}

std::string GedcomScan::Occupation(int record) const {
  if (record < 0 || record >= int(records_.size())) return {};
  const Record& rec = records_[record];
  for (std::size_t i = rec.first + 1; i < rec.end; ++i) {
    const Line& l = lines_[i];
    if (l.level == 1 && (l.tag == "OCCU" || l.tag == "Occu"))
      return std::string(TrimRight(Text(l.value)));
  }
  return {};
}

ScanEvent GedcomScan::Event(int record, std::initializer_list<std::string_view> tags) const {
  ScanEvent ev;
  if (record < 0 || record >= int(records_.size())) return ev;
  const Record& rec = records_[record];
  for (std::size_t i = rec.first + 1; i < rec.end; ++i) {
    const Line& l = lines_[i];
    if (l.level != 1) continue;
    bool match = false;
    for (std::string_view t : tags) match = match || l.tag == t;
    if (!match) continue;
    ev.found = true;
    ev.letter = l.tag == "BIRT" ? 'b' : (l.tag == "MARR" ? 'm' : (l.tag == "DEAT" || l.tag == "BURI") ? 'd' : 'c');
    bool haveDate = false;
    for (std::size_t j = i + 1; j < rec.end && lines_[j].level > 1; ++j) {
      const Line& s = lines_[j];
      if (s.level != 2) continue;
      if (!haveDate && s.tag == "DATE") {
        haveDate = true;
        ev.year = ScanYear(s.value);
      } else if (!ev.hasPlace && s.tag == "PLAC") {
        ev.hasPlace = true;
        ev.place = std::string(TrimRight(Text(s.value)));
      }
    }
    return ev;
  }
  return ev;
}

ScanEvent GedcomScan::Birth(int record) const { return Event(record, {"CHR", "BIRT", "BAPM"}); }
ScanEvent GedcomScan::Death(int record) const { return Event(record, {"BURI", "DEAT"}); }
ScanEvent GedcomScan::Marriage(int record) const { return Event(record, {"MARR"}); }

std::int32_t GedcomScan::Pointer(int record, std::string_view tag) const {
  if (record < 0 || record >= int(records_.size())) return 0;
  const Record& rec = records_[record];
  for (std::size_t i = rec.first + 1; i < rec.end; ++i)
    if (lines_[i].level == 1 && lines_[i].tag == tag) return ScanNumber(lines_[i].value);
  return 0;
}

std::vector<std::int32_t> GedcomScan::Pointers(int record, std::string_view tag) const {
  std::vector<std::int32_t> out;
  if (record < 0 || record >= int(records_.size())) return out;
  const Record& rec = records_[record];
  for (std::size_t i = rec.first + 1; i < rec.end; ++i)
    if (lines_[i].level == 1 && lines_[i].tag == tag) {
      const std::int32_t n = ScanNumber(lines_[i].value);
      if (n > 0) out.push_back(n);
    }
  return out;
}

}  // namespace dv
