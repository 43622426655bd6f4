#include "data/viewedit/Edits.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "data/viewedit/RecordEdit.h"

namespace dv::viewedit {

namespace {

LineNode* PageLine(const RecordStore& store, PageKind kind, std::int32_t index) {
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
    default:
      return nullptr;
  }
}

// Whether any line outside record points at xref (with tag, when tag >= 0).
bool Referenced(const RecordStore& store, const LineNode* record, std::string_view xref, int tag) {
  const LineNode* root = store.Root();
  for (LineNode* l = root ? root->firstChild.get() : nullptr; l;) {
    if (l == record) {
      l = NextLineSkippingChildren(root, l);
      continue;
    }
    if ((tag < 0 || l->tag == tag) && PointsTo(l, xref)) return true;
    l = NextLine(root, l);
  }
  return false;
}

namespace {
// Unlinks the lines below line that point at xref (with what is under
// them); whether there were any.
bool RemovePointersBelow(LineNode* line, std::string_view xref) {
  bool removed = false;
  UnlinkChildrenIf(line, [&](const LineNode* c) {
    const bool points = PointsTo(c, xref);
    removed = removed || points;
    return points;
  });
  for (LineNode* c = line->firstChild; c; c = c->next)
    removed = RemovePointersBelow(c, xref) || removed;
  return removed;
}
}  // namespace

// Unlinks every line outside record that points at xref; the level-0
// records that lost a line.
std::vector<LineNode*> RemovePointers(RecordStore& store, const LineNode* record,
                                      std::string_view xref) {
  std::vector<LineNode*> touched;
  LineNode* root = store.Root();
  for (LineNode* top = root ? root->firstChild.get() : nullptr; top; top = top->next)
    if (top != record && RemovePointersBelow(top, xref)) touched.push_back(top);
  return touched;
}

// Takes a record out of the tree and its kind's tables.
void DropRecord(RecordStore& store, RecordKind kind, std::int32_t index, LineNode* line) {
  LineNode* next = line->next;
  while (next && next->tag != line->tag) next = next->next;
  if (store.FirstRecordLine(kKindTag[kind]) == line) store.SetFirstRecordLine(kKindTag[kind], next);
  UnlinkLine(line);
  KindIndex& k = store.Kind(kind);
  if (k.hasKeys) store.RemoveKey(kind, index);
  if (index >= 1 && static_cast<std::size_t>(index) < k.lines.size())
    k.lines[static_cast<std::size_t>(index)] = nullptr;
}

void Rebuild(RecordStore& store, const std::vector<LineNode*>& records,
             std::vector<std::int32_t>* families) {
  for (LineNode* r : records) {
    if (r->tag == kTagINDI) {
      std::int32_t i = store.FindIndex(kIndi, NumberOf(r->Xref()));
      const IndividualSummary* s = store.Individual(i);
      if (s && s->line == r) store.RebuildIndividual(i);
    } else if (r->tag == kTagFAM) {
      std::int32_t f = store.FindIndex(kFam, NumberOf(r->Xref()));
      const FamilySummary* s = store.Family(f);
      if (s && s->line == r) {
        store.RebuildFamily(f);
        if (families) families->push_back(f);
      }
    }
  }
}

bool EmptyFamily(const LineNode* fam) {
  for (const LineNode* c = fam->firstChild; c; c = c->next)
    if (c->tag == kTagHUSB || c->tag == kTagWIFE || c->tag == kTagCHIL) return false;
  return true;
}

void DeleteFamilyLines(RecordStore& store, std::int32_t index) {
  FamilySummary* f = store.MutableFamily(index);
  LineNode* line = f->line;
  std::string xref(line->Xref());
  std::vector<LineNode*> touched = RemovePointers(store, line, xref);
  DropRecord(store, kFam, index, line);
  *f = FamilySummary{};
  f->index = index;
  Rebuild(store, touched, nullptr);
}

}  // namespace

DeleteVerdict CanDelete(const RecordStore& store, PageKind kind, std::int32_t index) {
  DeleteVerdict v;
  LineNode* line = PageLine(store, kind, index);
  if (!line) {
    v.refusal = kNoSummary;
    return v;
  }
  switch (kind) {
    case PageKind::kIndividual:
      if (Referenced(store, line, line->Xref(), kTagASSO))
        v.refusal = kMsgLinkedAsAssociate;
      else
        v.question = kAskDeletePerson;
      break;
    case PageKind::kFamily:
      v.question = kAskDeleteFamily;
      break;
    default:
      if (Referenced(store, line, line->Xref(), -1))
        v.refusal = kMsgRecordLinked;
      else
        v.question = kAskDeleteRecord;
      break;
  }
  return v;
}

int DeleteIndividual(RecordStore& store, std::int32_t index) {
  DeleteVerdict v = CanDelete(store, PageKind::kIndividual, index);
  if (v.refusal) return v.refusal;
  IndividualSummary* s = store.MutableIndividual(index);
  LineNode* line = s->line;
  std::string xref(line->Xref());
  // The person's own FAMS lines go first, so that rebuilding the summary
  // takes its marriages out of the marriage table.
  UnlinkChildrenIf(line,
                   [](const LineNode* c) { return c->tag == kTagFAMS || c->tag == kTagFAMC; });
  store.RebuildIndividual(index);
  std::vector<LineNode*> touched = RemovePointers(store, line, xref);
  DropRecord(store, kIndi, index, line);
  *s = IndividualSummary{};
  std::vector<std::int32_t> families;
  Rebuild(store, touched, &families);
  for (std::int32_t f : families) {
    const FamilySummary* fs = store.Family(f);
    if (fs && fs->line && EmptyFamily(fs->line)) DeleteFamilyLines(store, f);
  }
  store.CheckLinks();
  store.dataChanged = 2;
  return 0;
}

int DeleteFamily(RecordStore& store, std::int32_t index) {
  DeleteVerdict v = CanDelete(store, PageKind::kFamily, index);
  if (v.refusal) return v.refusal;
  DeleteFamilyLines(store, index);
  store.CheckLinks();
  store.dataChanged = 2;
  return 0;
}

int DeleteRecord(RecordStore& store, RecordKind kind, std::int32_t index) {
  if (kind == kIndi) return DeleteIndividual(store, index);
  if (kind == kFam) return DeleteFamily(store, index);
  PageKind page = kind == kSour ? PageKind::kSource : PageKind::kRepository;
  if (kind != kSour && kind != kRepo) return kNoSummary;
  DeleteVerdict v = CanDelete(store, page, index);
  if (v.refusal) return v.refusal;
  DropRecord(store, kind, index, store.RecordLine(kind, index));
  store.dataChanged = 2;
  return 0;
}

int DeletePageRecord(RecordStore& store, PageKind kind, std::int32_t index) {
  switch (kind) {
    case PageKind::kIndividual:
      return DeleteIndividual(store, index);
    case PageKind::kFamily:
      return DeleteFamily(store, index);
    case PageKind::kSource:
      return DeleteRecord(store, kSour, index);
    case PageKind::kRepository:
      return DeleteRecord(store, kRepo, index);
    default:
      return kNoSummary;
  }
}

// ---- Building a family ----

namespace {

std::string& MainText(RecordPage& page, const char* name) {
  const auto& schema = RecordSchema(PageKind::kFamily);
  for (std::size_t i = 0; i < schema.size(); ++i)
    if (std::string_view(schema[i].name) == name) return page.main.texts[i];
  return page.main.texts.front();
}

bool InFamily(const RecordStore& store, RecordPage& page, std::int32_t individual) {
  if (IndividualOf(store, MainText(page, "husband")) == individual) return true;
  if (IndividualOf(store, MainText(page, "wife")) == individual) return true;
  for (const PageItem& c : page.children)
    if (!c.removed && IndividualOf(store, c.value) == individual) return true;
  return false;
}

void Mark(RecordPage& page) { page.mark = page.record ? 2 : 1; }

}  // namespace

int AddSpouse(const RecordStore& store, RecordPage& page, std::int32_t individual) {
  const IndividualSummary* s = store.Individual(individual);
  if (page.kind != PageKind::kFamily || !s || !s->line) return kNoSummary;
  if (InFamily(store, page, individual)) return kMsgAlreadyInFamily;
  std::string& husband = MainText(page, "husband");
  std::string& wife = MainText(page, "wife");
  std::string* place;
  if (s->sex == 1)
    place = &husband;
  else if (s->sex == 0)
    place = &wife;
  else
    place = IndividualOf(store, wife) ? &husband : &wife;
  if (IndividualOf(store, *place)) return kMsgSpousePlaceTaken;
  *place = store.XrefOf(kIndi, individual);
  Mark(page);
  return 0;
}

int AddChild(const RecordStore& store, RecordPage& page, std::int32_t individual) {
  const IndividualSummary* s = store.Individual(individual);
  if (page.kind != PageKind::kFamily || !s || !s->line) return kNoSummary;
  int count = 0;
  for (const PageItem& c : page.children) count += c.removed ? 0 : 1;
  if (count >= kMaxChildren) return kMsgTooManyChildren;
  if (InFamily(store, page, individual)) return kMsgAlreadyInFamily;
  if (s->parentFamily && s->parentFamily != page.index &&
      s->parentFamily != store.AdoptiveFamily(individual))
    return kMsgChildOfAnother;
  PageItem child;
  child.kind = ItemKind::kChild;
  child.tag = child.readTag = kTagCHIL;
  child.value = store.XrefOf(kIndi, individual);
  page.children.push_back(std::move(child));
  Mark(page);
  return 0;
}

int RemovePerson(const RecordStore& store, RecordPage& page, std::int32_t individual) {
  if (page.kind != PageKind::kFamily) return kNoSummary;
  bool found = false;
  for (const char* place : {"husband", "wife"}) {
    std::string& text = MainText(page, place);
    if (IndividualOf(store, text) == individual) {
      text.clear();
      found = true;
    }
  }
  for (std::size_t i = 0; i < page.children.size(); ++i) {
    PageItem& c = page.children[i];
    if (c.removed || IndividualOf(store, c.value) != individual) continue;
    found = true;
    if (c.order)
      c.removed = true;
    else
      page.children.erase(page.children.begin() + static_cast<std::ptrdiff_t>(i));
    break;
  }
  if (!found) return kNoSummary;
  bool anyone =
      IndividualOf(store, MainText(page, "husband")) || IndividualOf(store, MainText(page, "wife"));
  for (const PageItem& c : page.children) anyone = anyone || !c.removed;
  if (!anyone) {
    RevertPage(page);
    return kMsgLastPerson;
  }
  Mark(page);
  return 0;
}

int DanglingPointers(const RecordStore& store) {
  std::unordered_set<std::string> xrefs;
  const LineNode* root = store.Root();
  for (const LineNode* l = root ? root->firstChild.get() : nullptr; l; l = l->next)
    if (l->hasXref) xrefs.insert(std::string(l->Xref()));
  int dangling = 0;
  for (const LineNode* l = root ? root->firstChild.get() : nullptr; l; l = NextLine(root, l)) {
    if (l->level == 0) continue;
    std::string_view p = PointerOf(l);
    if (!p.empty() && !xrefs.count(std::string(p))) ++dangling;
  }
  return dangling;
}

int StoreProblems(const RecordStore& store) {
  int problems = DanglingPointers(store);
  const LineNode* root = store.Root();
  if (!root) return problems;
  for (const LineNode* l = root; l; l = NextLine(root, l)) {
    for (const LineNode* c = l->firstChild; c; c = c->next) {
      if (c->parent != l || c->level != l->level + 1) ++problems;
    }
  }
  auto liveIndividual = [&](std::int32_t i) {
    const IndividualSummary* s = store.Individual(i);
    return s && s->line && s->id;
  };
  auto liveFamily = [&](std::int32_t f) {
    const FamilySummary* s = store.Family(f);
    return s && s->line && s->id;
  };
  for (std::int32_t f = 1; f <= store.FamilyCount(); ++f) {
    const FamilySummary* s = store.Family(f);
    if (!s || !s->line) continue;
    if (s->husband && !liveIndividual(s->husband)) ++problems;
    if (s->wife && !liveIndividual(s->wife)) ++problems;
    for (std::int32_t c : s->children)
      if (c && !liveIndividual(c)) ++problems;
  }
  for (std::int32_t i = 1; i <= store.IndividualCount(); ++i) {
    const IndividualSummary* s = store.Individual(i);
    if (!s || !s->line) continue;
    if (s->parentFamily && !liveFamily(s->parentFamily)) ++problems;
    if (s->spouseFamily && !liveFamily(s->spouseFamily)) ++problems;
  }
  for (const MarriageEntry& m : store.MarriageTable())
    if (!liveIndividual(m.individual) || !liveFamily(m.family)) ++problems;
  for (RecordKind kind : {kIndi, kNote, kSour, kRepo}) {
    const KindIndex& k = store.Kind(kind);
    if (!k.exists) continue;
    for (const KeyEntry& e : k.keys)
      if (!e.line || store.RecordLine(kind, e.index) != e.line || !e.line->parent) ++problems;
  }
  return problems;
}

}  // namespace dv::viewedit
