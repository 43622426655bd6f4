// Building the individual and family summaries from the line tree, the
// marriage table, notes, and the link check that keeps the summaries and
// the pointer lines of the tree consistent.

#include <algorithm>
#include <cstdlib>

#include "data/RecordStore.h"

namespace dv {
namespace {

std::string_view SkipSpaces(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}
std::string_view Trim(std::string_view s) {
  s = SkipSpaces(s);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool HasAdoptivePedi(const LineNode* famc) {
  for (const LineNode* c = famc->firstChild; c; c = c->next) {
    if (c->tag != kTagPEDI) continue;
    std::string v(c->Value());
    for (char& ch : v)
      if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    if (v.find("ADOPT") != std::string::npos) return true;
  }
  return false;
}

// Fills a date field ("b " and the DATE) and a place field from an event
// line; false when the event has neither date nor place.
// Dates and places are program text, converted from the file's character set.
template <std::size_t D, std::size_t P>
bool FillEvent(RecordStore& store, const LineNode* event, std::string_view prefix,
               SummaryText<D>& date, SummaryText<P>& place) {
  std::string dateScratch, placeScratch;
  std::string_view dateText, placeText;
  if (const LineNode* d = FirstChild(event, kTagDATE))
    dateText = Trim(store.ShownView(d->Value(), dateScratch));
  if (const LineNode* p = FirstChild(event, kTagPLAC))
    placeText = Trim(store.ShownView(p->Value(), placeScratch));
  if (dateText.empty() && placeText.empty()) return false;
  std::string text(prefix);
  text.append(dateText);
  store.SummaryTextStore().Set(date, text);
  store.SummaryTextStore().Set(place, placeText);
  return true;
}

int YearNumber(const char* date) {
  std::string year = YearOf(date);
  return year.empty() ? 0 : std::atoi(year.c_str());
}

}  // namespace

bool RecordStore::BuildIndividual(LineNode* indi) {
  IndividualSummary* s = NewIndividualSummary();
  if (!s) return false;
  FillIndividual(s, sums_.individualCount, indi);
  return true;
}

void RecordStore::FillIndividual(IndividualSummary* s, std::int32_t index, LineNode* indi) {
  std::int32_t number = NumberOf(indi->Xref());
  s->id = number > 0 ? number : 0;
  s->line = indi;
  s->sex = -1;  // no SEX line: not stated
  bool haveName = false, haveOccupation = false, haveBirth = false, haveDeath = false;
  LineNode* lastNote = nullptr;
  LineNode* firstPlainFamc = nullptr;
  LineNode* lastFamc = nullptr;
  std::int32_t order = 1;
  std::string scratch;  // a value converted to program text
  for (LineNode* c = indi->firstChild; c; c = c->next) {
    switch (c->tag) {
      case kTagNAME:
        if (!haveName || (flags_ & kFlagNamesLast)) {
          DisplayName(ShownView(c->Value(), scratch), keyScratch_[1]);
          summaryTexts_.Set(s->displayName, keyScratch_[1]);
        }
        haveName = true;
        break;
      case kTagSEX: {
        std::string_view v = SkipSpaces(c->Value());
        char first = v.empty() ? 0 : v[0];
        s->sex = (first == 'M' || first == 'm') ? 1 : (first == 'F' || first == 'f') ? 0 : -1;
        break;
      }
      case kTagOCCU:
        if (!haveOccupation)
          summaryTexts_.Set(s->occupation, ShownView(SkipSpaces(c->Value()), scratch));
        haveOccupation = true;
        break;
      case kTagNOTE:
        lastNote = c;
        break;
      case kTagFAMS: {
        std::int32_t family = IndexOf(kFam, NumberOf(c->Value()), true);
        if (!family) break;
        if (!s->spouseFamily) {
          s->spouseFamily = family;
        } else if (sums_.marriages.size() < static_cast<std::size_t>(sums_.marriageCapacity)) {
          ++order;
          MarriageEntry e{family, index, order};
          auto at = std::upper_bound(sums_.marriages.begin(), sums_.marriages.end(), e,
                                     [](const MarriageEntry& a, const MarriageEntry& b) {
                                       return a.individual < b.individual;
                                     });
          sums_.marriages.insert(at, e);
          s->moreMarriages = 1;
        }
        break;
      }
      case kTagFAMC:
        if (!HasAdoptivePedi(c) && !firstPlainFamc) firstPlainFamc = c;
        lastFamc = c;
        break;
      case kTagBIRT:
      case kTagCHR:
      case kTagBAPM:
        if (haveBirth) break;
        haveBirth = true;
        if (FillEvent(*this, c, c->tag == kTagBIRT ? "b " : "c ", s->birthDate, s->birthPlace)) {
          if (c->tag == kTagBIRT)
            s->eventKinds[0] = 'b';
          else
            s->eventKinds[1] = 'c';
        }
        break;
      case kTagDEAT:
      case kTagBURI:
        if (haveDeath) break;
        haveDeath = true;
        if (FillEvent(*this, c, c->tag == kTagDEAT ? "d " : "bd ", s->deathDate, s->deathPlace)) {
          if (c->tag == kTagDEAT)
            s->eventKinds[3] = 'd';
          else
            s->eventKinds[2] = 'b';
        }
        break;
      default:
        break;
    }
  }
  if (!haveName) summaryTexts_.Set(s->displayName, "____ ____");
  if (lastNote) GatherNotesInto(s->noteOffset, lastNote);
  if (LineNode* famc = firstPlainFamc ? firstPlainFamc : lastFamc)
    s->parentFamily = IndexOf(kFam, NumberOf(famc->Value()), true);
  summaryTexts_.Set(s->birthYear, YearOf(s->birthDate.view()));
}

void RecordStore::GatherNotesInto(std::int32_t& noteOffset, LineNode* lastNote) {
  if (putOffNotes_) {
    notesPutOff_.emplace_back(&noteOffset, lastNote);
    return;
  }
  std::int32_t offset = GatherNotes(lastNote);
  noteOffset = offset > 0 ? offset : 0;
}

void RecordStore::GatherPutOffNotes() {
  putOffNotes_ = false;
  for (const auto& [noteOffset, note] : notesPutOff_) GatherNotesInto(*noteOffset, note);
  notesPutOff_.clear();
}

bool RecordStore::BuildFamily(LineNode* fam) {
  FamilySummary* f = NewFamilySummary();
  if (!f) return false;
  FillFamily(f, fam);
  return true;
}

void RecordStore::FillFamily(FamilySummary* f, LineNode* fam) {
  std::int32_t number = NumberOf(fam->Xref());
  f->id = number > 0 ? number : 0;
  f->line = fam;
  int children = 0;
  LineNode* lastNote = nullptr;
  for (LineNode* c = fam->firstChild; c; c = c->next) {
    switch (c->tag) {
      case kTagHUSB:
        if (!f->husband) f->husband = IndexOf(kIndi, NumberOf(c->Value()));
        break;
      case kTagWIFE:
        if (!f->wife) f->wife = IndexOf(kIndi, NumberOf(c->Value()));
        break;
      case kTagCHIL:
        if (children < kMaxChildren) {
          if (std::int32_t child = IndexOf(kIndi, NumberOf(c->Value()))) f->children[children++] = child;
        }
        break;
      case kTagNOTE:
        lastNote = c;
        break;
      case kTagMARR: {
        std::string scratch;
        if (const LineNode* d = FirstChild(c, kTagDATE)) {
          std::string_view date = Trim(ShownView(d->Value(), scratch));
          if (!date.empty()) summaryTexts_.Set(f->marriageDate, "m " + std::string(date));
        }
        if (const LineNode* p = FirstChild(c, kTagPLAC)) {
          std::string_view place = Trim(ShownView(p->Value(), scratch));
          if (!place.empty()) summaryTexts_.Set(f->marriagePlace, place);
        }
        break;
      }
      default:
        break;
    }
  }
  if (lastNote) GatherNotesInto(f->noteOffset, lastNote);
}

// A summary rebuilt in its own slot after its record's lines changed: the
// individual's further marriages leave the table and are read again.
int RecordStore::RebuildIndividual(std::int32_t index) {
  IndividualSummary* s = MutableIndividual(index);
  if (!s || !s->line) return kNoSummary;
  LineNode* line = s->line;
  auto byIndividual = [](const MarriageEntry& a, const MarriageEntry& b) {
    return a.individual < b.individual;
  };
  auto range = std::equal_range(sums_.marriages.begin(), sums_.marriages.end(),
                                MarriageEntry{0, index, 0}, byIndividual);
  sums_.marriages.erase(range.first, range.second);
  *s = IndividualSummary{};
  FillIndividual(s, index, line);
  return 0;
}

int RecordStore::RebuildFamily(std::int32_t index) {
  FamilySummary* f = MutableFamily(index);
  if (!f || !f->line) return kNoSummary;
  LineNode* line = f->line;
  *f = FamilySummary{};
  f->index = index;
  FillFamily(f, line);
  return 0;
}

int RecordStore::FamiliesInto(std::int32_t individual,
                              std::int32_t (&out)[kMaxFamiliesListed]) const {
  const IndividualSummary* s = Individual(individual);
  if (!s || !s->line) return 0;
  int n = 0;
  if (s->spouseFamily) out[n++] = s->spouseFamily;
  if (!s->moreMarriages) return n;
  auto range = std::equal_range(sums_.marriages.begin(), sums_.marriages.end(),
                                MarriageEntry{0, individual, 0},
                                [](const MarriageEntry& a, const MarriageEntry& b) {
                                  return a.individual < b.individual;
                                });
  for (auto it = range.first; it != range.second && n < kMaxFamiliesListed; ++it)
    out[n++] = it->family;
  return n;
}

std::vector<std::int32_t> RecordStore::FamiliesOf(std::int32_t individual, bool sortByYear) const {
  std::int32_t families[kMaxFamiliesListed];
  int n = FamiliesInto(individual, families);
  std::vector<std::int32_t> out(families, families + n);
  if (sortByYear) {
    std::stable_sort(out.begin(), out.end(), [this](std::int32_t a, std::int32_t b) {
      const FamilySummary* fa = Family(a);
      const FamilySummary* fb = Family(b);
      return (fa ? YearNumber(fa->marriageDate) : 0) < (fb ? YearNumber(fb->marriageDate) : 0);
    });
  }
  return out;
}

std::vector<std::int32_t> RecordStore::ParentFamilies(std::int32_t individual) const {
  std::vector<std::int32_t> out;
  const IndividualSummary* s = Individual(individual);
  if (!s || !s->line) return out;
  for (const LineNode* c = s->line->firstChild; c && out.size() < kMaxParentFamilies; c = c->next) {
    if (c->tag != kTagFAMC) continue;
    if (std::int32_t f = FindIndex(kFam, NumberOf(c->Value()))) out.push_back(f);
  }
  return out;
}

std::int32_t RecordStore::AdoptiveFamily(std::int32_t individualIndex) const {
  const IndividualSummary* s = Individual(individualIndex);
  if (!s || !s->line) return 0;
  for (const LineNode* c = s->line->firstChild; c; c = c->next) {
    const LineNode* famc = nullptr;
    if (c->tag == kTagADOP)
      famc = FirstChild(c, kTagFAMC);
    else if (c->tag == kTagFAMC && HasAdoptivePedi(c))
      famc = c;
    if (famc) return FindIndex(kFam, NumberOf(famc->Value()));
  }
  return 0;
}

int RecordStore::AddMarriage(std::int32_t individualIndex, std::int32_t familyIndex,
                             std::int32_t order, bool addLine) {
  IndividualSummary* s = MutableIndividual(individualIndex);
  if (!s || !s->line || familyIndex < 1) return kNoSummary;
  auto byIndividual = [](const MarriageEntry& a, const MarriageEntry& b) {
    return a.individual < b.individual;
  };
  if (!s->spouseFamily) {
    s->spouseFamily = familyIndex;
  } else {
    if (sums_.marriages.size() >= static_cast<std::size_t>(sums_.marriageCapacity)) return -1;
    MarriageEntry e{familyIndex, individualIndex, order};
    auto range = std::equal_range(sums_.marriages.begin(), sums_.marriages.end(), e, byIndividual);
    if (order <= 0) {
      e.order = 2;
      for (auto it = range.first; it != range.second; ++it) e.order = std::max(e.order, it->order + 1);
    }
    sums_.marriages.insert(range.second, e);
    s->moreMarriages = 1;
  }
  if (addLine) AddLink(s->line, kTagFAMS, XrefOf(kFam, familyIndex));
  return 0;
}

int RecordStore::RemoveMarriage(std::int32_t individualIndex, std::int32_t familyIndex,
                                bool removeLine) {
  IndividualSummary* s = MutableIndividual(individualIndex);
  if (!s || !s->line) return kNoSummary;
  auto byIndividual = [](const MarriageEntry& a, const MarriageEntry& b) {
    return a.individual < b.individual;
  };
  auto range = std::equal_range(sums_.marriages.begin(), sums_.marriages.end(),
                                MarriageEntry{0, individualIndex, 0}, byIndividual);
  auto entry = std::find_if(range.first, range.second,
                            [familyIndex](const MarriageEntry& e) { return e.family == familyIndex; });
  if (entry != range.second) {
    sums_.marriages.erase(entry);
  } else if (s->spouseFamily == familyIndex) {
    if (range.first != range.second) {
      s->spouseFamily = range.first->family;
      sums_.marriages.erase(range.first);
    } else {
      s->spouseFamily = 0;
    }
  } else {
    return -1;
  }
  range = std::equal_range(sums_.marriages.begin(), sums_.marriages.end(),
                           MarriageEntry{0, individualIndex, 0}, byIndividual);
  s->moreMarriages = range.first != range.second ? 1 : 0;
  if (removeLine) {
    const KindIndex& k = kinds_[kFam];
    std::int32_t number = static_cast<std::size_t>(familyIndex) < k.ids.size()
                              ? k.ids[static_cast<std::size_t>(familyIndex)]
                              : 0;
    RemoveLink(s->line, kTagFAMS, number);
  }
  return 0;
}

std::int32_t RecordStore::GatherNotes(LineNode* line, bool running, LineNode** sourceOut,
                                      bool asStored) {
  if (!line) return -1;
  if (!asStored)
    if (auto cached = noteCache_.find(line); cached != noteCache_.end()) return cached->second;
  if (sourceOut) *sourceOut = nullptr;
  std::string text;
  const LineNode* node = line;
  // A NOTE pointing to a NOTE record takes the record's text; a record that
  // itself points on is followed a few steps, never round a loop.
  for (int hops = 0; hops < 8 && node->tag == kTagNOTE; ++hops) {
    std::string_view v = SkipSpaces(node->Value());
    if (v.empty() || v[0] != '@') break;
    std::int32_t index = FindIndex(kNote, NumberOf(v));
    LineNode* record = index ? RecordLine(kNote, index) : nullptr;
    if (!record || record == node) break;
    if (!text.empty()) text += "\r\n\r\n";
    node = record;
  }
  text.append(SkipSpaces(node->Value()));
  bool sourceGiven = false;
  for (LineNode* c = node->firstChild; c; c = c->next) {
    if (c->tag == kTagCONT) {
      text += running ? " " : "\r\n";
      text.append(SkipSpaces(c->Value()));
    } else if (c->tag == kTagCONC) {
      std::string_view v = c->Value();
      if (!v.empty() && v[0] == ' ') v.remove_prefix(1);
      text.append(v);
    } else if (c->tag == kTagSOUR && sourceOut && !sourceGiven) {
      *sourceOut = c;
      sourceGiven = true;
    } else {
      c->mark = 1;
    }
    if (text.size() > static_cast<std::size_t>(TextPool::kMaxString)) break;
  }
  if (text.size() > static_cast<std::size_t>(TextPool::kMaxString))
    text.resize(static_cast<std::size_t>(TextPool::kMaxString));
  // Converted once here (never longer than the bytes gathered); the stored
  // form goes back into the tree and is not kept as the line's notes.
  std::string scratch;
  std::int32_t offset = text_.Store(asStored ? std::string_view(text) : ShownView(text, scratch));
  if (!offset) return -1;
  if (!asStored) noteCache_[line] = offset;
  return offset;
}

int RecordStore::CreateMissingFamilies() {
  KindIndex& k = kinds_[kFam];
  if (!k.exists || !root_) return 0;
  std::vector<std::pair<std::int32_t, LineNode*>> created;
  std::size_t slot = static_cast<std::size_t>(k.count) + 1;
  for (; slot + 1 < k.ids.size() && k.ids[slot] != 0; ++slot) {
    if (sums_.familyCount != static_cast<std::int32_t>(slot) - 1) break;
    FamilySummary* f = NewFamilySummary();
    if (!f) break;
    std::int32_t number = k.ids[slot];
    LineNode* line = MakeLine(0, kTagFAM, FormatXref(number, k.prefix));
    if (!line) {
      --sums_.familyCount;
      *f = FamilySummary{};
      break;
    }
    f->id = number;
    f->line = line;
    k.lines[slot] = line;
    k.maxId = std::max(k.maxId, number);
    created.emplace_back(number, line);
  }
  k.count = k.idCount = static_cast<std::int32_t>(slot) - 1;
  if (created.empty()) return 0;
  std::stable_sort(created.begin(), created.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  LineNode* after = nullptr;
  for (LineNode* l = root_->firstChild; l; l = l->next)
    if (l->tag == kTagFAM && l != created.front().second) after = l;
  for (auto& c : created) {
    if (after)
      LinkAfter(after, c.second);
    else
      InsertRecord(firstHead_, c.second);
    after = c.second;
  }
  if (!firstRecord_[kFam]) firstRecord_[kFam] = created.front().second;
  return static_cast<int>(created.size());
}

void RecordStore::AfterLoad() {
  SortMarriageTable();
  CreateMissingFamilies();
  CheckLinks();
}

int RecordStore::CheckLinks() {
  int repairs = 0;
  auto indiNumber = [this](std::int32_t index) {
    const KindIndex& k = kinds_[kIndi];
    return index >= 1 && static_cast<std::size_t>(index) < k.ids.size() ? k.ids[static_cast<std::size_t>(index)] : 0;
  };
  auto famNumber = [this](std::int32_t index) {
    const KindIndex& k = kinds_[kFam];
    return index >= 1 && static_cast<std::size_t>(index) < k.ids.size() ? k.ids[static_cast<std::size_t>(index)] : 0;
  };
  auto person = [this](std::int32_t index) -> IndividualSummary* {
    IndividualSummary* s = index <= sums_.individualCount ? MutableIndividual(index) : nullptr;
    return s && s->line ? s : nullptr;
  };
  auto family = [this](std::int32_t index) -> FamilySummary* {
    FamilySummary* f = index <= sums_.familyCount ? MutableFamily(index) : nullptr;
    return f && f->line ? f : nullptr;
  };
  // Whether fam is among all of the individual's families, not only the
  // first ten that FamiliesOf lists: a later marriage must not be added again.
  auto isFamilyOf = [this](std::int32_t individual, std::int32_t fam) {
    const IndividualSummary* s = Individual(individual);
    if (!s) return false;
    if (s->spouseFamily == fam) return true;
    auto range = std::equal_range(sums_.marriages.begin(), sums_.marriages.end(),
                                  MarriageEntry{0, individual, 0},
                                  [](const MarriageEntry& a, const MarriageEntry& b) {
                                    return a.individual < b.individual;
                                  });
    for (auto it = range.first; it != range.second; ++it)
      if (it->family == fam) return true;
    return false;
  };

  // Spouses a family names whose own list lacks the family. Their marriages
  // are added after the individuals' pass, which takes repeated and wrong
  // entries out of the marriage table first: added now, a table filled by
  // repeats would refuse them, and the next check would find them missing.
  std::vector<std::pair<std::int32_t, std::int32_t>> unlisted;
  for (std::int32_t fi = 1; fi <= sums_.familyCount; ++fi) {
    FamilySummary* f = family(fi);
    if (!f) continue;
    // A husband must exist and must not be female; an unstated sex is accepted.
    if (f->husband) {
      IndividualSummary* h = person(f->husband);
      if (!h || h->sex == 0) {
        RemoveLink(f->line, kTagHUSB, indiNumber(f->husband));
        f->husband = 0;
        ++repairs;
      } else if (!isFamilyOf(f->husband, fi)) {
        unlisted.emplace_back(f->husband, fi);
      }
    }
    if (f->wife) {
      IndividualSummary* w = person(f->wife);
      if (!w || w->sex == 1) {
        RemoveLink(f->line, kTagWIFE, indiNumber(f->wife));
        f->wife = 0;
        ++repairs;
      } else if (!isFamilyOf(f->wife, fi)) {
        unlisted.emplace_back(f->wife, fi);
      }
    }
    for (int c = 0; c < kMaxChildren && f->children[c];) {
      std::int32_t ci = f->children[c];
      IndividualSummary* child = person(ci);
      if (child && child->parentFamily == fi) {
        ++c;
        continue;
      }
      if (child) {
        bool named = false;
        for (const LineNode* l = child->line->firstChild; l && !named; l = l->next)
          named = l->tag == kTagFAMC && NumberOf(l->Value()) == f->id;
        if (named) {
          ++c;
          continue;
        }
        if (AdoptiveFamily(ci) == fi) {
          AddLink(child->line, kTagFAMC, XrefOf(kFam, fi), true);
          ++repairs;
          ++c;
          continue;
        }
        if (!child->parentFamily) {
          child->parentFamily = fi;
          AddLink(child->line, kTagFAMC, XrefOf(kFam, fi));
          ++repairs;
          ++c;
          continue;
        }
      }
      // Not this family's child: take it out, the later children move up.
      RemoveLink(f->line, kTagCHIL, indiNumber(ci));
      for (int j = c; j + 1 < kMaxChildren; ++j) f->children[j] = f->children[j + 1];
      f->children[kMaxChildren - 1] = 0;
      ++repairs;
    }
  }

  std::vector<std::int32_t> families;  // one individual's, reused from person to person
  for (std::int32_t ii = 1; ii <= sums_.individualCount; ++ii) {
    IndividualSummary* s = person(ii);
    if (!s) continue;
    if (s->parentFamily) {
      FamilySummary* f = family(s->parentFamily);
      if (!f) {
        RemoveLink(s->line, kTagFAMC, famNumber(s->parentFamily));
        s->parentFamily = 0;
        ++repairs;
      } else {
        int free = -1;
        bool listed = false;
        for (int c = 0; c < kMaxChildren; ++c) {
          if (f->children[c] == ii) listed = true;
          if (!f->children[c] && free < 0) free = c;
        }
        if (!listed && free >= 0) {
          f->children[free] = ii;
          AddLink(f->line, kTagCHIL, XrefOf(kIndi, ii));
          ++repairs;
        }
      }
    }
    // Every family of the individual is checked, not only the ten that
    // FamiliesOf lists, and a family named a second time anywhere in the
    // list is a duplicate: one pass leaves nothing for the next one to do.
    families.clear();
    if (s->spouseFamily) families.push_back(s->spouseFamily);
    auto range = std::equal_range(sums_.marriages.begin(), sums_.marriages.end(),
                                  MarriageEntry{0, ii, 0},
                                  [](const MarriageEntry& a, const MarriageEntry& b) {
                                    return a.individual < b.individual;
                                  });
    for (auto it = range.first; it != range.second; ++it) families.push_back(it->family);
    for (std::size_t n = 0; n < families.size(); ++n) {
      std::int32_t fi = families[n];
      FamilySummary* f = family(fi);
      bool duplicate = std::find(families.begin(), families.begin() + static_cast<std::ptrdiff_t>(n), fi) !=
                       families.begin() + static_cast<std::ptrdiff_t>(n);
      bool wrong;
      if (!f || duplicate)
        wrong = true;
      else if (s->sex == 1)
        wrong = f->husband != ii;
      else if (s->sex == 0)
        wrong = f->wife != ii;
      else
        wrong = f->husband != ii && f->wife != ii;
      if (!wrong) continue;
      ++repairs;
      if (f && !duplicate) {
        bool asHusband = s->sex == 1 || (s->sex < 0 && (!f->husband || f->husband == ii));
        bool asWife = s->sex == 0 || (s->sex < 0 && !asHusband);
        if (asHusband && (!f->husband || f->husband == ii)) {
          f->husband = ii;
          AddLink(f->line, kTagHUSB, XrefOf(kIndi, ii));
          continue;
        }
        if (asWife && (!f->wife || f->wife == ii)) {
          f->wife = ii;
          AddLink(f->line, kTagWIFE, XrefOf(kIndi, ii));
          continue;
        }
      }
      RemoveMarriage(ii, fi);
    }
  }

  for (auto [ii, fi] : unlisted) {
    const FamilySummary* f = family(fi);
    if (!f || (f->husband != ii && f->wife != ii) || isFamilyOf(ii, fi)) continue;
    if (AddMarriage(ii, fi) == 0) ++repairs;  // a full marriage table leaves the marriage unrecorded
  }
  return repairs;
}

}  // namespace dv
