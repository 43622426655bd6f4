#include "charts/selective/BirthBriefGather.h"

#include <algorithm>
#include <string_view>

#include "data/Names.h"
#include "data/RecordStore.h"

namespace dv {

namespace {

const IndividualSummary* ExistingIndividual(const RecordStore& store, std::int32_t index) {
  if (index <= 0) return nullptr;
  const IndividualSummary* p = store.Individual(index);
  return p != nullptr && p->id != 0 ? p : nullptr;
}

const FamilySummary* ExistingFamily(const RecordStore& store, std::int32_t index) {
  if (index <= 0) return nullptr;
  const FamilySummary* f = store.Family(index);
  return f != nullptr && f->id != 0 ? f : nullptr;
}

GatherResult Failure(int message, std::string suffix = {}) {
  GatherResult r;
  r.status = kMsgErrorInData;
  r.message = message;
  r.suffix = std::move(suffix);
  return r;
}

}  // namespace

GatherResult GatherBirthBrief(const RecordStore& store, std::int32_t baseIndex,
                              const BirthBriefOptions& options, BirthBriefTables& tables) {
  const BirthBriefOptions o = options.Normalised();
  const int W = o.width;
  tables.Clear();
  // An index that names no individual is no base individual either: the
  // chart would otherwise come out empty without a word.
  if (ExistingIndividual(store, baseIndex) == nullptr) return Failure(kMsgErrorInData);
  tables.SetRef(0, baseIndex);

  const int slots = o.Slots();
  for (int s = 0; s < slots; ++s) {
    const IndividualSummary* p = ExistingIndividual(store, tables.Ref(s));
    if (p == nullptr) continue;

    std::string name = " ";
    name += p->displayName.view();
    if (int(name.size()) > W) {
      std::string fitted;
      if (!ShortenChartName(name, W, fitted)) return Failure(kMsgManualEditing, name.substr(1));
      name = fitted;
    }
    std::replace(name.begin(), name.end(), '_', ' ');
    tables.SetName(s, name);

    if (o.addBirthDeath && s < kDetailSlots) {
      if (o.addOccupation && s < kOccupationSlots) {
        std::string occupation = " ";
        occupation += p->occupation.view();
        if (int(occupation.size()) > W) occupation.resize(std::size_t(W));
        tables.SetDetail(kOccupationRowBase + s, occupation);
      }
      char letter = p->eventKinds[0] != 0 ? p->eventKinds[0] : p->eventKinds[1];
      if (letter == 0) letter = 'b';
      tables.SetDetail(s, EventLine(letter, p->birthPlace.view(), YearOf(p->birthDate.view()), W));
      tables.SetDetail(kDeathRowBase + s,
                       EventLine('d', p->deathPlace.view(), YearOf(p->deathDate.view()), W));
    }

    if (s < slots / 2) {
      if (const FamilySummary* f = ExistingFamily(store, p->parentFamily)) {
        tables.SetRef(2 * s + 1, f->husband);
        tables.SetRef(2 * s + 2, f->wife);
      }
    }
  }
  if (o.allCapitals) tables.UpperCaseAll();
  return {};
}

}  // namespace dv
