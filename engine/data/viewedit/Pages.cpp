#include "data/viewedit/Pages.h"

#include <algorithm>
#include <cstdlib>
#include <deque>

#include "data/viewedit/RecordEdit.h"

namespace dv::viewedit {

namespace {

using FK = FieldKind;

// Source-citation fields below a line (the SRCCITN panel), prefixed.
void AddCitation(std::vector<FieldDef>& out, const char* name, const char* path) {
  static const std::vector<std::pair<std::string, std::string>> kParts = {
      {"", "SOUR"},
      {".page", "SOUR/PAGE"},
      {".event", "SOUR/EVEN"},
      {".role", "SOUR/EVEN/ROLE"},
      {".date", "SOUR/DATA/DATE"},
      {".text", "SOUR/DATA/TEXT"},
      {".quality", "SOUR/QUAY"},
      {".note", "SOUR/NOTE"}};
  // The names and paths live as long as the schemas (function-local
  // statics); a deque never moves the strings it holds.
  static std::deque<std::string> keep;
  for (const auto& [suffix, sub] : kParts) {
    keep.push_back(std::string(name) + suffix);
    const char* n = keep.back().c_str();
    keep.push_back(path[0] ? std::string(path) + "/" + sub : sub);
    const char* p = keep.back().c_str();
    FK kind = suffix.empty()                             ? FK::kPointer
              : (suffix == ".text" || suffix == ".note") ? FK::kLongText
                                                         : FK::kText;
    out.push_back({n, p, suffix.empty() ? 31 : (kind == FK::kLongText ? 16000 : 248), kind});
  }
}

std::vector<FieldDef> MakeIndividual() {
  std::vector<FieldDef> f = {
      {"given", "NAME", 63, FK::kGiven},      {"surname", "NAME", 63, FK::kSurname},
      {"prefix", "NAME/NPFX", 63, FK::kText}, {"suffix", "NAME/NSFX", 63, FK::kText},
      {"sex", "SEX", 1, FK::kText},           {"note", "NOTE", 16000, FK::kNote},
      {"refn", "REFN", 63, FK::kText},
  };
  AddCitation(f, "name.source", "NAME");
  AddCitation(f, "note.source", "NOTE");
  AddCitation(f, "source", "");
  return f;
}

std::vector<FieldDef> MakeFamily() {
  std::vector<FieldDef> f = {
      {"husband", "HUSB", 31, FK::kPointer}, {"wife", "WIFE", 31, FK::kPointer},
      {"nchi", "NCHI", 7, FK::kText},        {"refn", "REFN", 63, FK::kText},
      {"note", "NOTE", 16000, FK::kNote},
  };
  AddCitation(f, "source", "");
  return f;
}

std::vector<FieldDef> MakeSource() {
  std::vector<FieldDef> f = {
      {"event", "DATA/EVEN", 63, FK::kText},
      {"event.date", "DATA/EVEN/DATE", 63, FK::kText},
      {"event.place", "DATA/EVEN/PLAC", 63, FK::kText},
      {"author", "AUTH", 248, FK::kLongText},
      {"title", "TITL", 248, FK::kLongText},
      {"abbr", "ABBR", 63, FK::kText},
      {"published", "PUBL", 248, FK::kLongText},
      {"text", "TEXT", 16000, FK::kLongText},
      {"repository", "REPO", 31, FK::kPointer},
      {"callno", "REPO/CALN", 63, FK::kText},
      {"medium", "REPO/CALN/MEDI", 63, FK::kText},
      {"note", "NOTE", 16000, FK::kNote},
      {"refn", "REFN", 63, FK::kText},
  };
  return f;
}

std::vector<FieldDef> MakeRepository() {
  return {
      {"name", "NAME", 63, FK::kText},    {"address", "ADDR", 383, FK::kLines},
      {"phone", "PHON", 63, FK::kText},   {"refn", "REFN", 63, FK::kText},
      {"note", "NOTE", 16000, FK::kNote},
  };
}

std::vector<FieldDef> MakeHeader() {
  return {
      {"id", "SOUR", 63, FK::kText},
      {"version", "SOUR/VERS", 63, FK::kText},
      {"product", "SOUR/NAME", 63, FK::kText},
      {"company", "SOUR/CORP", 63, FK::kText},
      {"address", "SOUR/CORP/ADDR", 248, FK::kCommaAddress},
      {"data", "SOUR/DATA", 63, FK::kText},
      {"data.date", "SOUR/DATA/DATE", 63, FK::kText},
      {"data.copyright", "SOUR/DATA/COPR", 248, FK::kText},
      {"destination", "DEST", 63, FK::kText},
      {"date", "DATE", 63, FK::kText},
      {"submitter", "SUBM", 31, FK::kPointer},
      {"file", "FILE", 248, FK::kText},
      {"copyright", "COPR", 248, FK::kText},
      {"gedcom.version", "GEDC/VERS", 15, FK::kText, "5.5"},
      {"gedcom.form", "GEDC/FORM", 31, FK::kText, "LINEAGE-LINKED"},
      {"charset", "CHAR", 31, FK::kText},
      {"language", "LANG", 63, FK::kText},
      {"description", "NOTE", 248, FK::kLongText},
  };
}

std::vector<FieldDef> MakeSubmitter() {
  return {
      {"name", "NAME", 63, FK::kText},
      {"address", "ADDR", 383, FK::kLines},
      {"phone", "PHON", 63, FK::kText},
      {"language", "LANG", 63, FK::kText},
  };
}

std::vector<FieldDef> MakeEvent() {
  std::vector<FieldDef> f = {
      {"type", "TYPE", 63, FK::kText},  {"date", "DATE", 63, FK::kText},
      {"place", "PLAC", 63, FK::kText}, {"note", "NOTE", 16000, FK::kLongText},
      {"cause", "CAUS", 63, FK::kText}, {"family", "FAMC", 31, FK::kPointer},
  };
  AddCitation(f, "source", "");
  return f;
}

std::vector<FieldDef> MakeAssociate() { return {{"relation", "RELA", 63, FK::kText}}; }

std::vector<FieldDef> MakeMedia() {
  return {
      {"form", "FORM", 31, FK::kText},
      {"title", "TITL", 63, FK::kText},
      {"file", "FILE", 248, FK::kText},
      {"note", "NOTE", 16000, FK::kLongText},
  };
}

int ItemLimit(ItemKind kind) {
  switch (kind) {
    case ItemKind::kEvent:
      return kMaxEvents;
    case ItemKind::kAttribute:
      return kMaxAttributes;
    case ItemKind::kAssociate:
      return kMaxAssociates;
    case ItemKind::kMedia:
      return kMaxMedia;
    default:
      return 1 << 20;
  }
}

std::vector<PageItem>* ItemList(RecordPage& page, ItemKind kind) {
  switch (kind) {
    case ItemKind::kEvent:
      return &page.events;
    case ItemKind::kAttribute:
      return &page.attributes;
    case ItemKind::kAssociate:
      return &page.associates;
    case ItemKind::kMedia:
      return &page.media;
    case ItemKind::kChild:
      return &page.children;
    default:
      return nullptr;
  }
}
const std::vector<PageItem>* ItemList(const RecordPage& page, ItemKind kind) {
  return ItemList(const_cast<RecordPage&>(page), kind);
}

std::string Trimmed(std::string_view v) {
  v = FieldText(v);
  while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.remove_suffix(1);
  return std::string(v);
}

// ---- Names ----

struct NameParts {
  std::string given, surname, tail;
  bool slashes = false;
};

NameParts ParseName(std::string_view value) {
  NameParts p;
  value = Unescaped(FieldText(value));
  std::size_t s1 = value.find('/');
  if (s1 == std::string_view::npos) {
    p.given = Trimmed(value);
    return p;
  }
  p.slashes = true;
  p.given = Trimmed(value.substr(0, s1));
  std::size_t s2 = value.find('/', s1 + 1);
  if (s2 == std::string_view::npos) {
    p.surname = Trimmed(value.substr(s1 + 1));
  } else {
    p.surname = Trimmed(value.substr(s1 + 1, s2 - s1 - 1));
    p.tail = std::string(value.substr(s2 + 1));
  }
  return p;
}

std::string ComposeName(std::string given, std::string surname, const NameParts& old) {
  if (given == "____") given.clear();
  if (surname == "____") surname.clear();
  if (surname.empty() && !old.slashes) return given + old.tail;
  std::string v = given.empty() ? std::string() : given + " ";
  return v + "/" + surname + "/" + old.tail;
}

LineNode* NameLine(const RecordStore& store, LineNode* record) {
  LineNode* found = nullptr;
  for (LineNode* c = record ? record->firstChild.get() : nullptr; c; c = c->next) {
    if (c->tag != kTagNAME) continue;
    found = c;
    if (!(store.StoreFlags() & kFlagNamesLast)) break;
  }
  return found;
}

// The line a record-level field starts from: the preferred NAME line for NAME paths.
LineNode* LocateField(const RecordStore& store, LineNode* base, const std::vector<int>& path,
                      bool isRecord) {
  if (isRecord && !path.empty() && path[0] == kTagNAME) {
    LineNode* name = NameLine(store, base);
    return name ? Locate(name, std::vector<int>(path.begin() + 1, path.end())) : nullptr;
  }
  return Locate(base, path);
}

// ---- Reading ----

std::string ReadNote(const RecordStore& store, const LineNode* line) {
  if (!line) return {};
  if (IsPointer(line->Value())) {
    std::int32_t index = store.FindIndex(kNote, NumberOf(line->Value()));
    const LineNode* record = index ? store.RecordLine(kNote, index) : nullptr;
    return record ? ReadLongText(record) : std::string();
  }
  return ReadLongText(line);
}

std::string ReadComma(const LineNode* line) {
  std::string text(Trimmed(line->Value()));
  for (const LineNode* c = line->firstChild; c; c = c->next)
    if (c->tag == kTagCONT) text += ", " + Trimmed(c->Value());
  return text;
}

std::string ReadField(const RecordStore& store, LineNode* base, const FieldDef& def,
                      bool isRecord) {
  std::vector<int> path = ParsePath(def.path);
  LineNode* line = LocateField(store, base, path, isRecord);
  if (!line) return {};
  switch (def.kind) {
    case FK::kGiven:
      return ParseName(line->Value()).given;
    case FK::kSurname:
      return ParseName(line->Value()).surname;
    case FK::kLongText:
    case FK::kLines:
      return ReadLongText(line);
    case FK::kCommaAddress:
      return ReadComma(line);
    case FK::kNote:
      return ReadNote(store, line);
    case FK::kText:
      return std::string(Unescaped(Trimmed(line->Value())));
    default:
      return Trimmed(line->Value());
  }
}

void ReadItem(const RecordStore& store, LineNode* line, PageItem& item, bool isRecord) {
  const auto& schema = isRecord ? std::vector<FieldDef>() : ItemSchema(item.kind);
  item.tag = item.readTag = line->tag;
  item.order = store.Orders().Of(line);
  bool pointerItem = item.kind == ItemKind::kAssociate || item.kind == ItemKind::kChild;
  if (!isRecord)
    item.value = item.readValue =
        pointerItem ? Trimmed(line->Value()) : std::string(Unescaped(Trimmed(line->Value())));
  item.texts.clear();
  for (const auto& def : schema) item.texts.push_back(ReadField(store, line, def, false));
  item.readTexts = item.texts;
}

PageItem EmptyItem(ItemKind kind, const std::vector<FieldDef>& schema) {
  PageItem item;
  item.kind = kind;
  item.texts.assign(schema.size(), std::string());
  item.readTexts = item.texts;
  return item;
}

bool IsEventTag(PageKind kind, int tag) {
  return kind == PageKind::kFamily ? FamilyEventNumber(tag) > 0 : IndividualEventNumber(tag) > 0;
}

// ---- Ranks: where new lines go among their siblings ----

int IndividualRank(int tag) {
  switch (tag) {
    case kTagNAME:
      return 0;
    case kTagSEX:
      return 10;
    case kTagBIRT:
      return 20;
    case kTagCHR:
    case kTagBAPM:
      return 21;
    case kTagDEAT:
      return 22;
    case kTagBURI:
      return 23;
    case kTagNOTE:
      return 40;
    case kTagSOUR:
      return 50;
    case kTagASSO:
      return 60;
    case kTagOBJE:
      return 70;
    case kTagFAMC:
    case kTagFAMS:
      return 80;
    default:
      break;
  }
  if (IndividualEventNumber(tag) > 0) return 24;
  if (AttributeNumber(tag) > 0) return 30;
  if (tag == TagCodeOf("REFN")) return 75;
  return -1;
}

int FamilyRank(int tag, bool eventsBeforeChildren) {
  switch (tag) {
    case kTagHUSB:
      return 0;
    case kTagWIFE:
      return 1;
    case kTagCHIL:
      return eventsBeforeChildren ? 4 : 2;
    case kTagNOTE:
      return 7;
    case kTagSOUR:
      return 8;
    case kTagOBJE:
      return 9;
    default:
      break;
  }
  if (FamilyEventNumber(tag) > 0) return 3;
  if (tag == TagCodeOf("NCHI")) return 5;
  if (tag == TagCodeOf("REFN")) return 6;
  return -1;
}

// The rank of a tag below a parent path within a schema: the position of
// the first field whose path continues the parent path with that tag.
RankFn SchemaRank(const std::vector<FieldDef>& schema, std::vector<int> parent) {
  return [&schema, parent](int tag) {
    int rank = 0;
    for (const auto& def : schema) {
      std::vector<int> path = ParsePath(def.path);
      if (path.size() > parent.size() && std::equal(parent.begin(), parent.end(), path.begin()) &&
          path[parent.size()] == tag)
        return rank;
      ++rank;
    }
    return -1;
  };
}

RankFn RecordRank(const RecordStore& store, PageKind kind, const std::vector<FieldDef>& schema) {
  if (kind == PageKind::kIndividual) return IndividualRank;
  if (kind == PageKind::kFamily) {
    bool late = (store.StoreFlags() & kFlagEventsBeforeChil) != 0;
    return [late](int tag) { return FamilyRank(tag, late); };
  }
  return SchemaRank(schema, {});
}

// ---- Storing ----

struct StoreWork {
  RecordStore& store;
  PageKind kind;
  bool failed = false;
  // NOTE records changed or made by the store, committed with the record.
  std::vector<std::pair<LineNode*, LineNode*>> noteEdits;  // live record, edited copy
  std::vector<LineNode*> newNotes;
};

bool Fail(StoreWork& w) {
  w.failed = true;
  return false;
}

// Removes a line and then any ancestor up to base that is left with neither
// a value nor children (a DATA line whose last field was emptied).
void RemoveAndPrune(LineNode* base, LineNode* line) {
  LineNode* parent = line->parent;
  UnlinkLine(line);
  while (parent && parent != base && !parent->firstChild && FieldText(parent->Value()).empty()) {
    LineNode* up = parent->parent;
    UnlinkLine(parent);
    parent = up;
  }
}

// The line at path below base, made (with the missing lines above it) when absent.
LineNode* MakePath(StoreWork& w, LineNode* base, const std::vector<int>& path,
                   const RankFn& baseRank, const std::vector<FieldDef>& schema) {
  LineNode* cur = base;
  for (std::size_t k = 0; k < path.size(); ++k) {
    LineNode* next = FirstChild(cur, path[k]);
    if (!next) {
      next = w.store.MakeLine(cur->level + 1, path[k]);
      if (!next) {
        Fail(w);
        return nullptr;
      }
      RankFn rank =
          k == 0
              ? baseRank
              : SchemaRank(schema, std::vector<int>(path.begin(),
                                                    path.begin() + static_cast<std::ptrdiff_t>(k)));
      PlaceByRank(cur, next, rank ? rank(path[k]) : 1 << 20, rank);
    }
    cur = next;
  }
  return cur;
}

bool StoreNote(StoreWork& w, LineNode* base, const std::string& text, const RankFn& baseRank) {
  RecordStore& store = w.store;
  LineNode* line = FirstChild(base, kTagNOTE);
  if (text.empty()) {
    if (line) UnlinkLine(line);
    return true;
  }
  if (line && IsPointer(line->Value())) {
    std::int32_t index = store.FindIndex(kNote, NumberOf(line->Value()));
    LineNode* record = index ? store.RecordLine(kNote, index) : nullptr;
    if (record) {
      LineNode* copy = CopyTree(store, record);
      if (!copy || !SetLongText(store, copy, text)) return Fail(w);
      w.noteEdits.emplace_back(record, copy);
      return true;
    }
    // A pointer to a missing record: the text is kept inline instead.
    return SetLongText(store, line, text) || Fail(w);
  }
  if (line) return SetLongText(store, line, text) || Fail(w);
  const KindIndex& notes = store.Kind(kNote);
  if ((store.StoreFlags() & kFlagNoteRecords) && notes.exists && notes.count < notes.capacity) {
    std::int32_t number = store.NextNumber(kNote) + static_cast<std::int32_t>(w.newNotes.size());
    LineNode* record = store.MakeLine(0, kTagNOTE, store.FormatXref(number, notes.prefix));
    LineNode* pointer = record ? store.MakeLine(base->level + 1, kTagNOTE) : nullptr;
    if (!pointer || !SetLongText(store, record, text) ||
        !SetLineValue(store, pointer, record->Xref()))
      return Fail(w);
    PlaceByRank(base, pointer, baseRank(kTagNOTE), baseRank);
    w.newNotes.push_back(record);
    return true;
  }
  line = store.MakeLine(base->level + 1, kTagNOTE);
  if (!line || !SetLongText(store, line, text)) return Fail(w);
  PlaceByRank(base, line, baseRank(kTagNOTE), baseRank);
  return true;
}

bool ApplyField(StoreWork& w, LineNode* base, const FieldDef& def, std::string text,
                const RankFn& baseRank, const std::vector<FieldDef>& schema, bool isRecord) {
  std::vector<int> path = ParsePath(def.path);
  if (def.kind == FK::kNote && path.size() == 1) return StoreNote(w, base, text, baseRank);
  if (text.empty() && def.whenEmpty) text = def.whenEmpty;
  LineNode* line = LocateField(w.store, base, path, isRecord);
  if (text.empty()) {
    if (line) RemoveAndPrune(base, line);
    return true;
  }
  if (!line) {
    LineNode* from = base;
    std::vector<int> rest = path;
    if (isRecord && !path.empty() && path[0] == kTagNAME) {
      if (LineNode* name = NameLine(w.store, base)) {
        from = name;
        rest.erase(rest.begin());
        line = MakePath(w, from, rest, SchemaRank(schema, {kTagNAME}), schema);
      }
    }
    if (!line) line = MakePath(w, base, path, baseRank, schema);
    if (!line) return false;
  }
  switch (def.kind) {
    case FK::kLongText:
    case FK::kNote:
      return SetLongText(w.store, line, text) || Fail(w);
    case FK::kLines:
      return SetLongText(w.store, line, text, true) || Fail(w);
    case FK::kCommaAddress: {
      std::string lines;
      std::string_view rest = text;
      while (true) {
        std::size_t comma = rest.find(',');
        if (!lines.empty()) lines += "\r\n";
        lines += Trimmed(rest.substr(0, comma));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
      }
      return SetLongText(w.store, line, lines, true) || Fail(w);
    }
    case FK::kText:
      return SetLineValue(w.store, line, Escaped(text)) || Fail(w);
    default:
      return SetLineValue(w.store, line, text) || Fail(w);
  }
}

bool Edited(const PageItem& item, std::size_t i) {
  return item.order == 0 || item.texts[i] != item.readTexts[i];
}

// Applies one item's edits to its line (found by order number in the copy).
bool ApplyItem(StoreWork& w, LineNode* copy, PageItem& item, const RankFn& recordRank) {
  const auto& schema = ItemSchema(item.kind);
  LineNode* line = item.order ? FindLineByOrder(w.store.Orders(), copy, item.order) : nullptr;
  if (item.order && (!line || line == copy)) return true;  // gone from the tree meanwhile
  if (item.removed) {
    if (line) UnlinkLine(line);
    return true;
  }
  bool any = !item.value.empty();
  for (const auto& t : item.texts) any = any || !t.empty();
  if (!line) {
    if (!any && item.kind != ItemKind::kEvent) return true;
    line = w.store.MakeLine(copy->level + 1, item.tag);
    if (!line) return Fail(w);
    PlaceByRank(copy, line, recordRank(item.tag), recordRank);
  }
  bool changed = !item.order || item.tag != item.readTag || item.value != item.readValue;
  if (item.tag != item.readTag) line->tag = item.tag;
  bool pointerItem = item.kind == ItemKind::kAssociate || item.kind == ItemKind::kChild;
  if ((!item.order || item.value != item.readValue) &&
      !SetLineValue(w.store, line, pointerItem ? item.value : Escaped(item.value)))
    return Fail(w);
  RankFn itemRank = SchemaRank(schema, {});
  for (std::size_t i = 0; i < schema.size(); ++i) {
    if (!Edited(item, i)) continue;
    changed = true;
    if (!ApplyField(w, line, schema[i], item.texts[i], itemRank, schema, false)) return false;
  }
  // An event with neither a date nor a place is written with the value Y.
  if (changed && item.kind == ItemKind::kEvent) {
    bool dated = FirstChild(line, kTagDATE) || FirstChild(line, kTagPLAC);
    std::string_view v = FieldText(line->Value());
    if (!dated && v.empty() && !SetLineValue(w.store, line, "Y")) return Fail(w);
    if (dated && v == "Y" && !SetLineValueText(w.store.Text(), line, {})) return Fail(w);
  }
  return true;
}

bool NeedsSource(const PageItem& item, const std::vector<FieldDef>& schema) {
  // Citation data without the source it cites cannot be saved.
  for (std::size_t i = 0; i < schema.size(); ++i) {
    if (schema[i].kind != FK::kPointer) continue;
    std::string path = schema[i].path;
    if (path != "SOUR" && (path.size() < 5 || path.compare(path.size() - 5, 5, "/SOUR") != 0))
      continue;
    if (!item.texts[i].empty()) continue;
    for (std::size_t j = 0; j < schema.size(); ++j) {
      std::string sub = schema[j].path;
      if (j != i && sub.rfind(path + "/", 0) == 0 && !item.texts[j].empty() && Edited(item, j))
        return true;
    }
  }
  return false;
}

bool ItemChanged(const PageItem& item) {
  return item.order == 0 ? true
                         : item.removed || item.tag != item.readTag ||
                               item.value != item.readValue || item.texts != item.readTexts;
}

std::vector<const std::vector<PageItem>*> Lists(const RecordPage& page) {
  return {&page.events, &page.attributes, &page.associates, &page.media, &page.children};
}

}  // namespace

// ---- Schemas ----

const std::vector<FieldDef>& RecordSchema(PageKind kind) {
  static const std::vector<FieldDef> kSchemas[] = {MakeIndividual(), MakeFamily(), MakeSource(),
                                                   MakeRepository(), MakeHeader(), MakeSubmitter()};
  return kSchemas[static_cast<int>(kind)];
}

const std::vector<FieldDef>& ItemSchema(ItemKind kind) {
  static const std::vector<FieldDef> kEvent = MakeEvent();
  static const std::vector<FieldDef> kAttribute = MakeEvent();
  static const std::vector<FieldDef> kAssociate = MakeAssociate();
  static const std::vector<FieldDef> kMedia = MakeMedia();
  static const std::vector<FieldDef> kNone;
  switch (kind) {
    case ItemKind::kEvent:
      return kEvent;
    case ItemKind::kAttribute:
      return kAttribute;
    case ItemKind::kAssociate:
      return kAssociate;
    case ItemKind::kMedia:
      return kMedia;
    default:
      return kNone;
  }
}

std::int32_t IndividualOf(const RecordStore& store, std::string_view xref) {
  if (!IsPointer(xref)) return 0;
  std::int32_t index = store.FindIndex(kIndi, NumberOf(FieldText(xref)));
  const IndividualSummary* s = store.Individual(index);
  return s && s->line ? index : 0;
}

std::int32_t FamilyOf(const RecordStore& store, std::string_view xref) {
  if (!IsPointer(xref)) return 0;
  std::int32_t index = store.FindIndex(kFam, NumberOf(FieldText(xref)));
  const FamilySummary* f = store.Family(index);
  return f && f->line ? index : 0;
}

// ---- Pages ----

namespace {

LineNode* HeaderLine(const RecordStore& store) {
  if (LineNode* head = store.FirstRecordLine(kTagHEAD)) return head;
  for (LineNode* l = store.Root() ? store.Root()->firstChild.get() : nullptr; l; l = l->next)
    if (l->tag == kTagHEAD) return l;
  return nullptr;
}

std::string SubmitterXref(const RecordStore& store) {
  LineNode* head = HeaderLine(store);
  std::string_view p = PointerOf(FirstChild(head, kTagSUBM));
  return p.empty() ? std::string("@SUB1@") : std::string(p);
}

LineNode* SubmitterLine(const RecordStore& store) {
  std::string xref = SubmitterXref(store);
  LineNode* first = nullptr;
  for (LineNode* l = store.Root() ? store.Root()->firstChild.get() : nullptr; l; l = l->next) {
    if (l->tag != kTagSUBM) continue;
    if (l->Xref() == xref) return l;
    if (!first) first = l;
  }
  return first;
}

LineNode* PageRecord(const RecordStore& store, PageKind kind, std::int32_t index) {
  switch (kind) {
    case PageKind::kIndividual: {
      const IndividualSummary* s = store.Individual(index);
      return s ? s->line : nullptr;
    }
    case PageKind::kFamily: {
      const FamilySummary* f = store.Family(index);
      return f ? f->line : nullptr;
    }
    case PageKind::kSource:
      return store.Kind(kSour).exists ? store.RecordLine(kSour, index) : nullptr;
    case PageKind::kRepository:
      return store.Kind(kRepo).exists ? store.RecordLine(kRepo, index) : nullptr;
    case PageKind::kHeader:
      return HeaderLine(store);
    case PageKind::kSubmitter:
      return SubmitterLine(store);
  }
  return nullptr;
}

}  // namespace

RecordPage NewPage(PageKind kind) {
  RecordPage page;
  page.kind = kind;
  page.main = EmptyItem(ItemKind::kRecord, RecordSchema(kind));
  return page;
}

int ReadPage(RecordStore& store, PageKind kind, std::int32_t index, RecordPage& page) {
  LineNode* record = PageRecord(store, kind, index);
  if (!record) return kNoSummary;
  page = NewPage(kind);
  page.index = index;
  page.record = record;
  NumberLines(store.Orders(), record, 100);
  const auto& schema = RecordSchema(kind);
  page.main.tag = page.main.readTag = record->tag;
  page.main.order = store.Orders().Of(record);
  for (std::size_t i = 0; i < schema.size(); ++i)
    page.main.texts[i] = ReadField(store, record, schema[i], true);
  page.main.readTexts = page.main.texts;
  if (kind != PageKind::kIndividual && kind != PageKind::kFamily) return 0;
  for (LineNode* c = record->firstChild; c; c = c->next) {
    ItemKind ik;
    if (IsEventTag(kind, c->tag))
      ik = ItemKind::kEvent;
    else if (kind == PageKind::kIndividual && AttributeNumber(c->tag) > 0)
      ik = ItemKind::kAttribute;
    else if (kind == PageKind::kIndividual && c->tag == kTagASSO)
      ik = ItemKind::kAssociate;
    else if (c->tag == kTagOBJE && !IsPointer(c->Value()))
      ik = ItemKind::kMedia;
    else if (kind == PageKind::kFamily && c->tag == kTagCHIL)
      ik = ItemKind::kChild;
    else
      continue;
    std::vector<PageItem>* list = ItemList(page, ik);
    // Items beyond a list's limit stay in the tree and are carried over.
    if (static_cast<int>(list->size()) >= ItemLimit(ik)) continue;
    PageItem item = EmptyItem(ik, ItemSchema(ik));
    ReadItem(store, c, item, false);
    list->push_back(std::move(item));
  }
  return 0;
}

bool PageChanged(const RecordPage& page) {
  if (!page.record) {
    bool any = false;
    for (const auto& t : page.main.texts) any = any || !t.empty();
    for (const auto* list : Lists(page))
      for (const auto& item : *list) any = any || !item.removed;
    return any;
  }
  if (page.main.texts != page.main.readTexts) return true;
  for (const auto* list : Lists(page))
    for (const auto& item : *list)
      if (ItemChanged(item)) return true;
  return false;
}

void RevertPage(RecordPage& page) {
  page.main.texts = page.main.readTexts;
  for (auto* list :
       {&page.events, &page.attributes, &page.associates, &page.media, &page.children}) {
    list->erase(
        std::remove_if(list->begin(), list->end(), [](const PageItem& i) { return i.order == 0; }),
        list->end());
    for (auto& item : *list) {
      item.removed = false;
      item.tag = item.readTag;
      item.value = item.readValue;
      item.texts = item.readTexts;
    }
  }
  page.mark = 0;
}

// ---- Field access ----

namespace {

// The main-page event rows: the first event with the row's tag.
struct Row {
  const char* name;
  int tag, alt;
  PageKind kind;
};
constexpr Row kRows[] = {
    {"birth", kTagBIRT, kTagBIRT, PageKind::kIndividual},
    {"baptism", kTagCHR, kTagBAPM, PageKind::kIndividual},
    {"death", kTagDEAT, kTagDEAT, PageKind::kIndividual},
    {"burial", kTagBURI, kTagBURI, PageKind::kIndividual},
    {"marriage", kTagMARR, kTagMARR, PageKind::kFamily},
};

int EventIndex(const RecordPage& page, int tag, int alt) {
  for (std::size_t i = 0; i < page.events.size(); ++i) {
    const PageItem& e = page.events[i];
    if (!e.removed && (e.tag == tag || e.tag == alt)) return static_cast<int>(i);
  }
  return -1;
}

int FieldIndex(const std::vector<FieldDef>& schema, std::string_view name) {
  for (std::size_t i = 0; i < schema.size(); ++i)
    if (name == schema[i].name) return static_cast<int>(i);
  return -1;
}

int ItemIndexOfTag(const RecordPage& page, ItemKind kind, int tag) {
  const auto* list = ItemList(page, kind);
  for (std::size_t i = 0; i < list->size(); ++i)
    if (!(*list)[i].removed && (*list)[i].tag == tag) return static_cast<int>(i);
  return -1;
}

bool ParseItemName(std::string_view name, ItemKind& kind, int& n, std::string_view& field) {
  static constexpr std::pair<const char*, ItemKind> kKinds[] = {
      {"event.", ItemKind::kEvent},
      {"attribute.", ItemKind::kAttribute},
      {"associate.", ItemKind::kAssociate},
      {"media.", ItemKind::kMedia},
      {"child.", ItemKind::kChild}};
  for (const auto& [prefix, k] : kKinds) {
    std::string_view p(prefix);
    if (name.substr(0, p.size()) != p) continue;
    std::string_view rest = name.substr(p.size());
    std::size_t dot = rest.find('.');
    std::string digits(rest.substr(0, dot));
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    n = std::atoi(digits.c_str());
    field = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
    kind = k;
    return n >= 1;
  }
  return false;
}

std::string ItemField(const PageItem& item, std::string_view field) {
  if (field == "tag") return std::string(TagName(item.tag));
  if (field == "value") return item.value;
  int i = FieldIndex(ItemSchema(item.kind), field);
  return i < 0 ? std::string() : item.texts[static_cast<std::size_t>(i)];
}

std::string CleanLine(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}

int SetDatePart(std::string& date, std::string_view part, std::string_view text) {
  DateParts d = ParseDate(date);
  // A line break in a year would end the DATE line when the file is saved.
  std::string t = Trimmed(CleanLine(text));
  if (part == "year") {
    if (t.size() > 4) return kMsgFieldFull;
    d.year = t;
  } else {
    int v = 0;
    if (!t.empty()) {
      if (t.size() > 2) return kMsgFieldFull;
      if (t.find_first_not_of("0123456789") != std::string::npos)
        return part == "month" ? kMsgInvalidMonth : kMsgDataError;
      v = std::atoi(t.c_str());
    }
    if (part == "month") {
      if (!t.empty() && (v < 1 || v > 12)) return kMsgInvalidMonth;
      d.month = v;
    } else {
      if (!t.empty() && (v < 1 || v > 31)) return kMsgDataError;
      d.day = v;
    }
  }
  date = FormatDate(d);
  return 0;
}

int SetItemField(PageItem& item, std::string_view field, std::string_view text) {
  if (field == "tag") {
    int tag = TagCodeOf(Trimmed(text));
    if (tag >= kTagCount) return kMsgDataError;
    item.tag = tag;
    return 0;
  }
  if (field == "delete") {
    item.removed = true;
    return 0;
  }
  if (field == "value") {
    if (text.size() > 248) return kMsgFieldFull;
    item.value = CleanLine(text);
    return 0;
  }
  if (field == "day" || field == "month" || field == "year") {
    int i = FieldIndex(ItemSchema(item.kind), "date");
    return i < 0 ? -1 : SetDatePart(item.texts[static_cast<std::size_t>(i)], field, text);
  }
  int i = FieldIndex(ItemSchema(item.kind), field);
  if (i < 0) return -1;
  const FieldDef& def = ItemSchema(item.kind)[static_cast<std::size_t>(i)];
  if (static_cast<int>(text.size()) > def.limit) return kMsgFieldFull;
  bool multi = def.kind == FK::kLongText || def.kind == FK::kLines || def.kind == FK::kNote;
  item.texts[static_cast<std::size_t>(i)] = multi ? std::string(text) : CleanLine(text);
  return 0;
}

}  // namespace

std::string GetField(const RecordPage& page, std::string_view name) {
  const auto& schema = RecordSchema(page.kind);
  int i = FieldIndex(schema, name);
  if (i >= 0) return page.main.texts[static_cast<std::size_t>(i)];
  for (const Row& row : kRows) {
    std::string_view rn(row.name);
    if (row.kind != page.kind || name.substr(0, rn.size()) != rn || name.size() <= rn.size() ||
        name[rn.size()] != '.')
      continue;
    int e = EventIndex(page, row.tag, row.alt);
    if (e < 0) return {};
    std::string_view field = name.substr(rn.size() + 1);
    const PageItem& item = page.events[static_cast<std::size_t>(e)];
    if (field == "day" || field == "month" || field == "year") {
      DateParts d = ParseDate(ItemField(item, "date"));
      int v = field == "day" ? d.day : d.month;
      if (field == "year") return d.year;
      return v ? std::to_string(v) : std::string();
    }
    return ItemField(item, field);
  }
  if (name == "occupation" && page.kind == PageKind::kIndividual) {
    int a = ItemIndexOfTag(page, ItemKind::kAttribute, TagCodeOf("OCCU"));
    return a < 0 ? std::string() : page.attributes[static_cast<std::size_t>(a)].value;
  }
  if (name == "divorced" && page.kind == PageKind::kFamily)
    return EventIndex(page, TagCodeOf("DIV"), TagCodeOf("DIV")) >= 0 ? "Y" : "N";
  if (name == "adopted" && page.kind == PageKind::kIndividual)
    return EventIndex(page, kTagADOP, kTagADOP) >= 0 ? "Y" : "N";
  ItemKind kind;
  int n;
  std::string_view field;
  if (ParseItemName(name, kind, n, field)) {
    const auto* list = ItemList(page, kind);
    if (n > static_cast<int>(list->size())) return {};
    return ItemField((*list)[static_cast<std::size_t>(n - 1)], field.empty() ? "value" : field);
  }
  return {};
}

int SetField(RecordPage& page, std::string_view name, std::string_view text) {
  int result = -1;
  const auto& schema = RecordSchema(page.kind);
  int i = FieldIndex(schema, name);
  if (i >= 0) {
    const FieldDef& def = schema[static_cast<std::size_t>(i)];
    if (static_cast<int>(text.size()) > def.limit) return kMsgFieldFull;
    bool multi = def.kind == FK::kLongText || def.kind == FK::kLines || def.kind == FK::kNote;
    page.main.texts[static_cast<std::size_t>(i)] = multi ? std::string(text) : CleanLine(text);
    result = 0;
  }
  for (const Row& row : kRows) {
    std::string_view rn(row.name);
    if (result >= 0 || row.kind != page.kind || name.substr(0, rn.size()) != rn ||
        name.size() <= rn.size() || name[rn.size()] != '.')
      continue;
    int e = EventIndex(page, row.tag, row.alt);
    if (e < 0) {
      if (Trimmed(text).empty()) return 0;
      PageItem item = EmptyItem(ItemKind::kEvent, ItemSchema(ItemKind::kEvent));
      item.tag = item.readTag = row.tag;
      page.events.push_back(std::move(item));
      e = static_cast<int>(page.events.size()) - 1;
    }
    std::string_view field = name.substr(rn.size() + 1);
    result = SetItemField(page.events[static_cast<std::size_t>(e)], field, text);
    // Only the main-page fields of a row are named this way.
    if (field == "tag" || field == "delete") result = -1;
  }
  if (result < 0 && name == "occupation" && page.kind == PageKind::kIndividual) {
    if (text.size() > 31) return kMsgFieldFull;
    int a = ItemIndexOfTag(page, ItemKind::kAttribute, TagCodeOf("OCCU"));
    if (a < 0) {
      if (Trimmed(text).empty()) return 0;
      PageItem item = EmptyItem(ItemKind::kAttribute, ItemSchema(ItemKind::kAttribute));
      item.tag = item.readTag = TagCodeOf("OCCU");
      page.attributes.push_back(std::move(item));
      a = static_cast<int>(page.attributes.size()) - 1;
    }
    page.attributes[static_cast<std::size_t>(a)].value = CleanLine(text);
    result = 0;
  }
  if (result < 0 && (name == "divorced" || name == "adopted")) {
    bool family = name == "divorced";
    if (page.kind != (family ? PageKind::kFamily : PageKind::kIndividual)) return -1;
    int tag = family ? TagCodeOf("DIV") : kTagADOP;
    bool on = !text.empty() && (text[0] == 'Y' || text[0] == 'y' || text[0] == '1');
    int e = EventIndex(page, tag, tag);
    if (!on && e >= 0) return family ? kMsgDeleteDivorce : kMsgDeleteAdoption;
    if (on && e < 0) {
      PageItem item = EmptyItem(ItemKind::kEvent, ItemSchema(ItemKind::kEvent));
      item.tag = item.readTag = tag;
      item.value = "Y";
      page.events.push_back(std::move(item));
    }
    result = 0;
  }
  ItemKind kind;
  int n;
  std::string_view field;
  if (result < 0 && ParseItemName(name, kind, n, field)) {
    std::vector<PageItem>* list = ItemList(page, kind);
    bool allowed =
        kind != ItemKind::kChild && (page.kind == PageKind::kIndividual ||
                                     (page.kind == PageKind::kFamily &&
                                      (kind == ItemKind::kEvent || kind == ItemKind::kMedia)));
    if (!allowed || n > static_cast<int>(list->size()) + 1) return -1;
    if (n == static_cast<int>(list->size()) + 1) {
      if (static_cast<int>(list->size()) >= ItemLimit(kind)) return kMsgDataError;
      list->push_back(EmptyItem(kind, ItemSchema(kind)));
      list->back().tag = kind == ItemKind::kAssociate ? kTagASSO
                         : kind == ItemKind::kMedia   ? kTagOBJE
                                                      : 0;
      list->back().readTag = list->back().tag;
    }
    result = SetItemField((*list)[static_cast<std::size_t>(n - 1)], field.empty() ? "value" : field,
                          text);
  }
  if (result == 0) page.mark = page.record ? 2 : 1;
  return result;
}

std::vector<std::string> FieldNames(PageKind kind) {
  std::vector<std::string> names;
  for (const auto& def : RecordSchema(kind)) names.push_back(def.name);
  for (const Row& row : kRows) {
    if (row.kind != kind) continue;
    for (const char* f : {"date", "day", "month", "year", "place"})
      names.push_back(std::string(row.name) + "." + f);
    if (std::string_view(row.name) == "death") names.push_back("death.cause");
  }
  if (kind == PageKind::kIndividual) {
    names.push_back("occupation");
    names.push_back("adopted");
  }
  if (kind == PageKind::kFamily) names.push_back("divorced");
  auto items = [&](const char* prefix, ItemKind ik) {
    names.push_back(std::string(prefix) + ".N.tag");
    names.push_back(std::string(prefix) + ".N.value");
    names.push_back(std::string(prefix) + ".N.delete");
    for (const auto& def : ItemSchema(ik)) names.push_back(std::string(prefix) + ".N." + def.name);
  };
  if (kind == PageKind::kIndividual) {
    items("event", ItemKind::kEvent);
    items("attribute", ItemKind::kAttribute);
    items("associate", ItemKind::kAssociate);
    items("media", ItemKind::kMedia);
  } else if (kind == PageKind::kFamily) {
    items("event", ItemKind::kEvent);
    items("media", ItemKind::kMedia);
  }
  return names;
}

std::vector<std::pair<std::string, std::string>> ShowFields(const RecordStore& store,
                                                            const RecordPage& page) {
  std::vector<std::pair<std::string, std::string>> out;
  if (page.record && page.record->hasXref) out.emplace_back("xref", page.record->Xref());
  const auto& schema = RecordSchema(page.kind);
  for (std::size_t i = 0; i < schema.size(); ++i)
    out.emplace_back(schema[i].name, page.main.texts[i]);
  for (const Row& row : kRows) {
    if (row.kind != page.kind) continue;
    for (const char* f : {"date", "place"}) {
      std::string n = std::string(row.name) + "." + f;
      out.emplace_back(n, GetField(page, n));
    }
  }
  if (page.kind == PageKind::kIndividual) {
    out.emplace_back("death.cause", GetField(page, "death.cause"));
    out.emplace_back("occupation", GetField(page, "occupation"));
  }
  if (page.kind == PageKind::kFamily) out.emplace_back("divorced", GetField(page, "divorced"));
  auto items = [&](const char* prefix, const std::vector<PageItem>& list) {
    int n = 0;
    for (const PageItem& item : list) {
      if (item.removed) continue;
      std::string p = std::string(prefix) + "." + std::to_string(++n) + ".";
      out.emplace_back(p + "tag", std::string(TagName(item.tag)));
      out.emplace_back(p + "value", item.value);
      const auto& s = ItemSchema(item.kind);
      for (std::size_t i = 0; i < s.size(); ++i)
        if (!item.texts[i].empty()) out.emplace_back(p + s[i].name, item.texts[i]);
    }
  };
  items("event", page.events);
  items("attribute", page.attributes);
  items("associate", page.associates);
  items("media", page.media);
  items("child", page.children);
  if (page.kind == PageKind::kIndividual && page.record) {
    for (const LineNode* c = page.record->firstChild; c; c = c->next)
      if (c->tag == kTagFAMC || c->tag == kTagFAMS)
        out.emplace_back(c->tag == kTagFAMC ? "famc" : "fams", Trimmed(c->Value()));
  }
  (void)store;
  return out;
}

// ---- Storing a page ----

namespace {

// Summaries whose NOTE line points at a NOTE record that changed are
// gathered again.
void RefreshNotes(RecordStore& store, const LineNode* noteRecord) {
  std::string_view xref = noteRecord->Xref();
  auto points = [&](LineNode* line) {
    bool found = false;
    for (LineNode* c = line ? line->firstChild.get() : nullptr; c; c = c->next)
      if (c->tag == kTagNOTE && PointsTo(c, xref)) {
        store.ForgetNotes(c);
        found = true;
      }
    return found;
  };
  for (std::int32_t i = 1; i <= store.IndividualCount(); ++i) {
    const IndividualSummary* s = store.Individual(i);
    if (s && s->line && points(s->line)) store.RebuildIndividual(i);
  }
  for (std::int32_t f = 1; f <= store.FamilyCount(); ++f) {
    const FamilySummary* s = store.Family(f);
    if (s && s->line && points(s->line)) store.RebuildFamily(f);
  }
}

struct FamilyLinks {
  std::int32_t husband = 0, wife = 0;
  std::vector<std::int32_t> children;
};

FamilyLinks LinksOf(const RecordStore& store, const RecordPage& page, bool asRead) {
  FamilyLinks l;
  const auto& schema = RecordSchema(PageKind::kFamily);
  const auto& texts = asRead ? page.main.readTexts : page.main.texts;
  l.husband = IndividualOf(store, texts[static_cast<std::size_t>(FieldIndex(schema, "husband"))]);
  l.wife = IndividualOf(store, texts[static_cast<std::size_t>(FieldIndex(schema, "wife"))]);
  for (const PageItem& c : page.children) {
    if (asRead ? c.order == 0 : c.removed) continue;
    if (std::int32_t i = IndividualOf(store, asRead ? c.readValue : c.value))
      l.children.push_back(i);
  }
  return l;
}

bool Contains(const std::vector<std::int32_t>& v, std::int32_t x) {
  return std::find(v.begin(), v.end(), x) != v.end();
}

void RemoveAllLinks(RecordStore& store, LineNode* record, int tag, std::string_view xref) {
  if (record)
    UnlinkChildrenIf(record, [&](const LineNode* c) { return c->tag == tag && PointsTo(c, xref); });
  (void)store;
}

// Brings the members' FAMS and FAMC lines into step with a stored family
// and rebuilds the summaries of everyone whose lines changed.
void LinkFamily(RecordStore& store, std::int32_t fam, const FamilyLinks& before,
                const FamilyLinks& after) {
  std::string famXref = store.XrefOf(kFam, fam);
  std::vector<std::int32_t> touched;
  auto line = [&](std::int32_t i) {
    return store.Individual(i) ? store.Individual(i)->line : nullptr;
  };
  for (std::int32_t old : {before.husband, before.wife}) {
    if (!old || old == after.husband || old == after.wife) continue;
    RemoveAllLinks(store, line(old), kTagFAMS, famXref);
    touched.push_back(old);
  }
  for (std::int32_t now : {after.husband, after.wife}) {
    if (!now || now == before.husband || now == before.wife) continue;
    bool has = false;
    for (LineNode* c = line(now)->firstChild; c; c = c->next)
      has = has || (c->tag == kTagFAMS && PointsTo(c, famXref));
    if (!has) store.AddLink(line(now), kTagFAMS, famXref);
    touched.push_back(now);
  }
  for (std::int32_t c : before.children) {
    if (Contains(after.children, c)) continue;
    RemoveAllLinks(store, line(c), kTagFAMC, famXref);
    touched.push_back(c);
  }
  for (std::int32_t c : after.children) {
    if (Contains(before.children, c)) continue;
    bool has = false;
    for (LineNode* l = line(c)->firstChild; l; l = l->next)
      has = has || (l->tag == kTagFAMC && PointsTo(l, famXref));
    if (!has) store.AddLink(line(c), kTagFAMC, famXref, store.AdoptiveFamily(c) == fam);
    touched.push_back(c);
  }
  for (std::int32_t i : touched) store.RebuildIndividual(i);
}

bool RecordExists(const RecordStore& store, std::string_view xref) {
  for (const LineNode* l = store.Root()->firstChild; l; l = l->next)
    if (l->Xref() == xref) return true;
  return false;
}

// The first edited pointer on the page that names no record, empty when
// all are sound (an edited pointer must name a record that is there).
std::string MissingTarget(const RecordStore& store, const RecordPage& page) {
  auto check = [&](const PageItem& item, const std::vector<FieldDef>& schema,
                   bool ownValue) -> std::string {
    for (std::size_t i = 0; i < schema.size(); ++i) {
      const std::string& t = item.texts[i];
      if (schema[i].kind != FK::kPointer || t.empty() || !Edited(item, i)) continue;
      if (!IsPointer(t) || !RecordExists(store, Trimmed(t))) return t;
    }
    if (ownValue && !item.removed && (item.order == 0 || item.value != item.readValue) &&
        (!IsPointer(item.value) || !RecordExists(store, Trimmed(item.value))))
      return item.value.empty() ? std::string("@@") : item.value;
    return {};
  };
  std::string m = check(page.main, RecordSchema(page.kind), false);
  for (const auto* list : Lists(page))
    for (const PageItem& item : *list) {
      if (!m.empty()) return m;
      if (item.removed) continue;
      bool pointerItem = item.kind == ItemKind::kAssociate || item.kind == ItemKind::kChild;
      m = check(item, ItemSchema(item.kind), pointerItem);
    }
  return m;
}

}  // namespace

int StorePage(RecordStore& store, RecordPage& page) {
  if (!store.Root()) return kNoSummary;
  if (page.record && !PageChanged(page)) {
    page.mark = 0;
    return 0;
  }
  const auto& schema = RecordSchema(page.kind);
  // A stored page writes the value its empty fields stand for ("5.5").
  for (std::size_t i = 0; i < schema.size(); ++i)
    if (schema[i].whenEmpty && page.main.texts[i].empty()) page.main.texts[i] = schema[i].whenEmpty;
  // Checks that refuse the whole store.
  if (NeedsSource(page.main, schema)) return kMsgSelectSource;
  for (const auto* list : Lists(page))
    for (const PageItem& item : *list) {
      if (item.removed) continue;
      if (ItemChanged(item) && NeedsSource(item, ItemSchema(item.kind))) return kMsgSelectSource;
      if (item.order == 0 && item.tag <= 0) return kMsgDataError;
    }
  if (std::string missing = MissingTarget(store, page); !missing.empty()) {
    page.missing = missing;
    return kMsgNotFound;
  }
  FamilyLinks before, after;
  if (page.kind == PageKind::kFamily) {
    before = LinksOf(store, page, true);
    after = LinksOf(store, page, false);
    if (!after.husband && !after.wife && after.children.empty()) return kMsgLastPerson;
    if (after.husband && after.husband == after.wife) return kMsgAlreadyInFamily;
  }

  RecordKind recordKind = page.kind == PageKind::kIndividual ? kIndi
                          : page.kind == PageKind::kFamily   ? kFam
                          : page.kind == PageKind::kSource   ? kSour
                                                             : kRepo;
  bool numbered = page.kind != PageKind::kHeader && page.kind != PageKind::kSubmitter;
  bool isNew = !page.record;
  std::int64_t estimate = 64;
  if (page.record)
    for (LineNode* l = page.record; l; l = NextLine(page.record, l)) ++estimate;
  for (const auto& t : page.main.texts) estimate += static_cast<std::int64_t>(t.size() / 40);
  if (!HasRoom(store, estimate * 2)) return kErrNoMemory;

  if (isNew && numbered) {
    if (recordKind == kSour && !store.Kind(kSour).exists) store.SetUpKind(kSour, kKeyRoom);
    const KindIndex& k = store.Kind(recordKind);
    if (!k.exists || k.count >= k.capacity) return kErrTooMuchData;
    if (recordKind == kIndi && k.count != store.IndividualCount()) return kErrTooMuchData;
    if (recordKind == kFam && k.count != store.FamilyCount()) return kErrTooMuchData;
    if (recordKind == kIndi &&
        (store.IndividualCount() / kIndividualsPerBlock) >= kMaxIndividualBlocks)
      return kErrTooMuchData;
    if (recordKind == kFam && (store.FamilyCount() / kFamiliesPerBlock) >= kMaxFamilyBlocks)
      return kErrTooMuchData;
  }

  // Build the record's new lines aside.
  StoreWork w{store, page.kind, false, {}, {}};
  LineNode* copy = nullptr;
  std::string newXref;
  if (isNew) {
    int tag = page.kind == PageKind::kSubmitter ? kTagSUBM
              : page.kind == PageKind::kHeader  ? kTagHEAD
                                                : kKindTag[recordKind];
    if (numbered)
      newXref = store.FormatXref(store.NextNumber(recordKind), store.Kind(recordKind).prefix);
    else if (page.kind == PageKind::kSubmitter)
      newXref = SubmitterXref(store);
    copy = store.MakeLine(0, tag, newXref);
  } else {
    copy = CopyTree(store, page.record);
  }
  if (!copy) return kErrNoMemory;
  RankFn rank = RecordRank(store, page.kind, schema);

  bool nameEdited = false;
  for (std::size_t i = 0; i < schema.size() && !w.failed; ++i) {
    if (schema[i].kind == FK::kGiven || schema[i].kind == FK::kSurname) {
      nameEdited = nameEdited || Edited(page.main, i);
      continue;
    }
    if (Edited(page.main, i) && (!isNew || !page.main.texts[i].empty()))
      ApplyField(w, copy, schema[i], page.main.texts[i], rank, schema, true);
  }
  if (nameEdited && !w.failed) {
    int gi = FieldIndex(schema, "given"), si = FieldIndex(schema, "surname");
    LineNode* name = NameLine(store, copy);
    if (!name) {
      name = store.MakeLine(1, kTagNAME);
      if (name) PlaceByRank(copy, name, rank(kTagNAME), rank);
    }
    if (!name) {
      w.failed = true;
    } else {
      NameParts old = ParseName(name->Value());
      std::string value = ComposeName(page.main.texts[static_cast<std::size_t>(gi)],
                                      page.main.texts[static_cast<std::size_t>(si)], old);
      if (!SetLineValue(store, name, Escaped(value))) w.failed = true;
    }
  }
  for (auto* list : {&page.events, &page.attributes, &page.associates, &page.media, &page.children})
    for (PageItem& item : *list)
      if (!w.failed && ItemChanged(item)) ApplyItem(w, copy, item, rank);
  if (w.failed) return kErrNoMemory;

  // Swap the new lines in.
  std::int32_t index = page.index;
  if (isNew) {
    LineNode* anchor = numbered ? store.FirstRecordLine(kKindTag[recordKind]) : nullptr;
    if (!anchor) anchor = HeaderLine(store);
    if (page.kind == PageKind::kIndividual) {
      IndividualSummary* s = store.NewIndividualSummary();
      if (!s) return kErrTooMuchData;
      store.InsertRecord(anchor, copy);
      index = store.SetKey(kIndi, 0, copy, true);
      s->id = NumberOf(newXref);
      s->line = copy;
    } else if (page.kind == PageKind::kFamily) {
      FamilySummary* f = store.NewFamilySummary();
      if (!f) return kErrTooMuchData;
      store.InsertRecord(anchor, copy);
      index = store.SetKey(kFam, 0, copy, true);
      f->id = NumberOf(newXref);
      f->line = copy;
    } else if (numbered) {
      store.InsertRecord(anchor, copy);
      index = store.SetKey(recordKind, 0, copy, true);
    } else {
      // The submitter record follows the header, as in a new data source.
      if (anchor)
        LinkAfter(anchor, copy);
      else
        store.InsertRecord(anchor, copy);
      if (page.kind == PageKind::kSubmitter) {
        LineNode* head = HeaderLine(store);
        if (head && !FirstChild(head, kTagSUBM)) {
          if (LineNode* p = store.MakeLine(1, kTagSUBM, {}, " " + newXref))
            PlaceByRank(head, p, SchemaRank(RecordSchema(PageKind::kHeader), {})(kTagSUBM),
                        SchemaRank(RecordSchema(PageKind::kHeader), {}));
        }
      }
    }
    if (numbered && !store.FirstRecordLine(kKindTag[recordKind]))
      store.SetFirstRecordLine(kKindTag[recordKind], copy);
    page.record = copy;
  } else {
    AdoptChildren(page.record, copy);
  }
  for (auto& [record, edited] : w.noteEdits) {
    AdoptChildren(record, edited);
    store.SetKey(kNote, store.FindIndex(kNote, NumberOf(record->Xref())), record, false);
  }
  LineNode* noteAnchor = store.FirstRecordLine(kTagNOTE);
  for (LineNode* note : w.newNotes) {
    store.InsertRecord(noteAnchor ? noteAnchor : page.record, note);
    store.SetKey(kNote, 0, note, true);
    noteAnchor = note;
  }

  // Summaries, keys and links.
  switch (page.kind) {
    case PageKind::kIndividual:
      store.RebuildIndividual(index);
      store.SetKey(kIndi, index, page.record, false);
      break;
    case PageKind::kFamily:
      store.RebuildFamily(index);
      LinkFamily(store, index, before, after);
      store.RebuildFamily(index);
      break;
    case PageKind::kSource:
    case PageKind::kRepository:
      if (!isNew) store.SetKey(recordKind, index, page.record, false);
      break;
    default:
      break;
  }
  for (auto& [record, edited] : w.noteEdits) RefreshNotes(store, record);
  if (page.kind == PageKind::kIndividual || page.kind == PageKind::kFamily) store.CheckLinks();
  store.dataChanged = 2;
  return ReadPage(store, page.kind, index, page) == 0 ? 0 : kMsgDataError;
}

}  // namespace dv::viewedit
