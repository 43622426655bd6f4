#include "data/Lists.h"

#include <algorithm>
#include <cstring>

#include "data/CharSet.h"
#include "data/Names.h"
#include "data/TagTable.h"

namespace dv {

namespace {

constexpr int kNameWidth = 21;
constexpr int kYearColumn = 22;
constexpr int kTextLimit = 26;
constexpr int kChildNameWidth = 24;

void FillEntry(ListEntry& entry, const IndividualSummary& person) {
  std::string text = ListEntryText(person);
  CopyField(entry.text, text);
}

// Lists, keys and searches order program text as CompareProgramText does:
// a letter with a mark beside its plain letter.
bool TextBefore(const ListEntry& a, const ListEntry& b) {
  return ProgramTextBefore(std::string_view(a.text, strnlen(a.text, kListTextSize)),
                           std::string_view(b.text, strnlen(b.text, kListTextSize)));
}

int CompareKey(const char* key, std::string_view text) {
  std::string_view k = key ? std::string_view(key) : std::string_view();
  return CompareProgramText(k, text);
}

int CompareEntry(const ListEntry& entry, std::string_view text) {
  std::string_view k(entry.text, strnlen(entry.text, kListTextSize));
  return CompareProgramText(k, text);
}

// Drops a date prefix such as "b " or "m " from a summary date.
std::string_view WithoutPrefix(std::string_view date,
                               std::initializer_list<std::string_view> prefixes) {
  for (std::string_view p : prefixes) {
    if (date.substr(0, p.size()) == p) return date.substr(p.size());
  }
  return date;
}

// A line's value without the blanks that separate it from the tag, as
// program text.
std::string ValueText(const RecordStore& store, const LineNode* line) {
  if (!line) return {};
  std::string_view v = line->Value();
  while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
  return store.ShownText(v);
}

// The value of the first child line with a tag ("" when none).
std::string ChildValue(const RecordStore& store, const LineNode* record, int tag) {
  return ValueText(store, record ? FirstChild(record, tag) : nullptr);
}

// The name of an individual for the Husband and Wife columns; "" for none.
std::string PartnerName(const RecordStore& store, std::int32_t index) {
  if (index <= 0) return {};
  const IndividualSummary* person = store.Individual(index);
  if (!person || person->id == 0) return {};
  return PickerName(person->displayName.view());
}

void AddIndividualRows(const RecordStore& store, std::vector<PickerRow>& rows) {
  for (std::int32_t i = 1; i <= store.IndividualCount(); ++i) {
    const IndividualSummary* p = store.Individual(i);
    if (!p || p->id == 0) continue;
    PickerRow row;
    row.index = i;
    row.cells[0] = PickerName(p->displayName.view());
    row.cells[1] = p->sex != 0 ? "M" : "F";
    row.cells[2] = std::string(WithoutPrefix(p->birthDate.view(), {"b ", "c "}));
    row.cells[3] = std::string(p->birthPlace.view());
    rows.push_back(std::move(row));
  }
}

void AddFamilyRows(const RecordStore& store, std::vector<PickerRow>& rows) {
  for (std::int32_t i = 1; i <= store.FamilyCount(); ++i) {
    const FamilySummary* f = store.Family(i);
    if (!f || f->id == 0) continue;
    PickerRow row;
    row.index = i;
    row.cells[0] = PartnerName(store, f->husband);
    row.cells[1] = PartnerName(store, f->wife);
    row.cells[2] = std::string(WithoutPrefix(f->marriageDate.view(), {"m "}));
    row.cells[3] = std::string(f->marriagePlace.view());
    rows.push_back(std::move(row));
  }
}

// Source rows: title, author, publication facts and the repository pointer.
void AddSourceRows(const RecordStore& store, std::vector<PickerRow>& rows) {
  const KindIndex& kind = store.Kind(kSour);
  static constexpr std::string_view kTags[kPickerColumns] = {"TITL", "AUTH", "PUBL", "REPO"};
  for (std::int32_t i = 1; i <= kind.count; ++i) {
    const LineNode* line = store.RecordLine(kSour, i);
    if (!line) continue;
    PickerRow row;
    row.index = i;
    for (int c = 0; c < kPickerColumns; ++c)
      row.cells[c] = ChildValue(store, line, TagCodeOf(kTags[c]));
    rows.push_back(std::move(row));
  }
}

// Repository rows: the name and up to three address lines (the ADDR value
// and the CONT lines under it).
void AddRepositoryRows(const RecordStore& store, std::vector<PickerRow>& rows) {
  const KindIndex& kind = store.Kind(kRepo);
  const int addrTag = TagCodeOf("ADDR");
  for (std::int32_t i = 1; i <= kind.count; ++i) {
    const LineNode* line = store.RecordLine(kRepo, i);
    if (!line) continue;
    PickerRow row;
    row.index = i;
    row.cells[0] = ChildValue(store, line, kTagNAME);
    if (const LineNode* addr = FirstChild(line, addrTag)) {
      row.cells[1] = ValueText(store, addr);
      int c = 2;
      for (const LineNode* cont = FirstChild(addr, kTagCONT); cont && c < kPickerColumns;
           cont = NextSibling(cont, kTagCONT)) {
        row.cells[c++] = ValueText(store, cont);
      }
    }
    rows.push_back(std::move(row));
  }
}

}  // namespace

std::string ListEntryText(const IndividualSummary& person) {
  std::string text = FitName(person.displayName.view(), kNameWidth, true);
  if (text.size() < kYearColumn) text.resize(kYearColumn, ' ');
  text += person.birthYear.view();
  if (text.size() > kTextLimit) text.resize(kTextLimit);
  return text;
}

int BuildAncestorList(const RecordStore& store, std::int32_t base, std::vector<ListEntry>& out) {
  out.clear();
  if (base <= 0) return -1;
  out.reserve(64);
  ListEntry first;
  first.individual = base;
  first.ahnentafel = 1;
  out.push_back(first);
  // Entries are appended behind the one being processed, so one pass in
  // order visits every generation.
  for (std::size_t k = 0; k < out.size(); ++k) {
    const IndividualSummary* person = store.Individual(out[k].individual);
    if (!person || person->id == 0) return -1;
    FillEntry(out[k], *person);
    if (person->parentFamily <= 0) continue;
    const FamilySummary* family = store.Family(person->parentFamily);
    if (!family) return -1;
    // Ahnentafel numbers double each generation; past 2^30 they no longer
    // fit, so such remote ancestors are not listed.
    std::int32_t n = out[k].ahnentafel;
    if (n > (1 << 29)) continue;
    const std::int32_t parents[2] = {family->husband, family->wife};
    for (int p = 0; p < 2; ++p) {
      if (parents[p] <= 0 || out.size() >= static_cast<std::size_t>(kListCapacity)) continue;
      ListEntry e;
      e.individual = parents[p];
      e.ahnentafel = 2 * n + p;
      out.push_back(e);
    }
  }
  std::stable_sort(out.begin(), out.end(), TextBefore);
  return static_cast<int>(out.size());
}

int BuildDescendantList(const RecordStore& store, std::int32_t base, std::vector<ListEntry>& out) {
  out.clear();
  if (base <= 0) return -1;
  out.reserve(64);
  ListEntry first;
  first.individual = base;
  out.push_back(first);
  for (std::size_t k = 0; k < out.size(); ++k) {
    const IndividualSummary* person = store.Individual(out[k].individual);
    if (!person || person->id == 0) return -1;
    FillEntry(out[k], *person);
    for (std::int32_t f : store.FamiliesOf(out[k].individual)) {
      const FamilySummary* family = store.Family(f);
      if (!family) return -1;
      for (std::int32_t child : family->children) {
        if (child <= 0 || out.size() >= static_cast<std::size_t>(kListCapacity)) continue;
        ListEntry e;
        e.individual = child;
        out.push_back(e);
      }
    }
  }
  std::stable_sort(out.begin(), out.end(), TextBefore);
  return static_cast<int>(out.size());
}

int ListBuildMessage(int result) {
  if (result < 0) return kErrCannotList;
  if (result > kListWarnAbove) return kErrTooManyPeople;
  return 0;
}

std::string SearchText(std::string_view field) {
  if (field.empty()) return " ";
  std::string text(field);
  UpperCaseProgramText(text);
  return text;
}

int KeyCount(const KindIndex& kind) {
  std::size_t n = std::min<std::size_t>(kind.keys.size(), kind.count > 0 ? kind.count : 0);
  return static_cast<int>(n);
}

int FindKeyPosition(const KindIndex& kind, std::string_view text) {
  int lo = 0, hi = KeyCount(kind);
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (CompareKey(kind.keys[mid].key, text) < 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

int StepToEntry(const std::vector<ListEntry>& list, int current, std::string_view text) {
  int n = static_cast<int>(list.size());
  int i = std::clamp(current, 0, n);
  while (i < n && CompareEntry(list[i], text) < 0) ++i;
  while (i > 0 && CompareEntry(list[i - 1], text) >= 0) --i;
  return i;
}

std::vector<std::int32_t> UnlinkedIndividuals(const RecordStore& store) {
  std::vector<std::int32_t> positions;
  const KindIndex& kind = store.Kind(kIndi);
  int n = KeyCount(kind);
  for (int k = 0; k < n; ++k) {
    const IndividualSummary* p = store.Individual(kind.keys[k].index);
    if (!p || p->id == 0) continue;
    if (p->spouseFamily == 0 && p->parentFamily == 0) positions.push_back(k);
  }
  return positions;
}

const PickerLayout& PickerLayoutOf(PickerKind kind) {
  static constexpr PickerLayout kLayouts[4] = {
      {"Individual List",
       {"Name", "Sex", "Date of Birth/Baptism", "Place of Birth/Baptism"},
       {141, 37, 115, 178}},
      {"Family List",
       {"Husband", "Wife", "Date of Marriage", "Place of Marriage"},
       {152, 146, 104, 171}},
      {"Source List", {"Description", "Author", "Published", "Repository"}, {80, 80, 80, 80}},
      {"Repository List", {"Name", "Address1", "Address2", "Address3"}, {80, 80, 80, 80}},
  };
  return kLayouts[std::clamp(static_cast<int>(kind), 0, 3)];
}

RecordKind PickerRecordKind(PickerKind kind) {
  switch (kind) {
    case PickerKind::kIndividual:
      return kIndi;
    case PickerKind::kFamily:
      return kFam;
    case PickerKind::kSource:
      return kSour;
    case PickerKind::kRepository:
      return kRepo;
  }
  return kIndi;
}

std::vector<PickerRow> PickerRows(const RecordStore& store, PickerKind kind) {
  std::vector<PickerRow> rows;
  switch (kind) {
    case PickerKind::kIndividual:
      AddIndividualRows(store, rows);
      break;
    case PickerKind::kFamily:
      AddFamilyRows(store, rows);
      break;
    case PickerKind::kSource:
      AddSourceRows(store, rows);
      break;
    case PickerKind::kRepository:
      AddRepositoryRows(store, rows);
      break;
  }
  return rows;
}

void SplitDisplayName(std::string_view name, std::string& surname, std::string& given) {
  std::size_t space = name.rfind(' ');
  std::string_view last = space == std::string_view::npos ? name : name.substr(space + 1);
  given = space == std::string_view::npos ? std::string() : std::string(name.substr(0, space));
  surname.assign(last);
  if (last != "____") std::replace(surname.begin(), surname.end(), '_', ' ');
}

std::string PickerName(std::string_view displayName) {
  std::string surname, given;
  SplitDisplayName(displayName, surname, given);
  UpperCaseProgramText(surname);
  if (given.empty()) return surname;
  return surname + " " + given;
}

std::vector<ChildRow> ChildrenRows(const RecordStore& store, std::int32_t family) {
  std::vector<ChildRow> rows;
  const FamilySummary* f = store.Family(family);
  if (!f) return rows;
  for (std::int32_t child : f->children) {
    if (child <= 0) continue;
    const IndividualSummary* p = store.Individual(child);
    if (!p || p->id == 0) continue;
    ChildRow row;
    row.individual = child;
    std::string_view name = p->displayName.view();
    if (static_cast<int>(name.size()) > kChildNameWidth) {
      std::string fitted;
      row.text = FitName(name, kChildNameWidth, false, fitted)
                     ? fitted
                     : std::string(name.substr(0, kChildNameWidth));
    } else {
      row.text = std::string(name);
    }
    for (std::int32_t own : store.FamiliesOf(child)) {
      const FamilySummary* g = store.Family(own);
      if (g && std::any_of(std::begin(g->children), std::end(g->children),
                           [](std::int32_t c) { return c > 0; })) {
        row.hasChildren = true;
        break;
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace dv
