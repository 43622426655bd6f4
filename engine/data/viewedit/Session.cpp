#include "data/viewedit/Session.h"

namespace dv::viewedit {

PageKind Session::KindOf(Tab tab) const {
  switch (tab) {
    case Tab::kHeader:
      return PageKind::kHeader;
    case Tab::kFamily:
      return PageKind::kFamily;
    case Tab::kSource:
      return PageKind::kSource;
    case Tab::kRepository:
      return PageKind::kRepository;
    default:
      return PageKind::kIndividual;
  }
}

RecordPage& Session::Page(Tab tab) {
  int slot = tab == Tab::kPedigree ? static_cast<int>(Tab::kIndividual) : static_cast<int>(tab);
  return pages_[slot];
}

int Session::Open(int mode) {
  if (!store_.Root()) return 1;
  if (!mode_) store_.LockSummaries();
  mode_ = mode == 2 ? 2 : 1;
  tab_ = Tab::kIndividual;
  individuals_.Clear();
  families_.Clear();
  for (int t = 0; t < 5; ++t) pages_[t] = NewPage(KindOf(static_cast<Tab>(t)));
  ReadPage(store_, PageKind::kHeader, 0, pages_[0]);
  ReadSubmitter();
  unlinked_.Rebuild(store_);
  return 0;
}

void Session::ReadSubmitter() {
  RecordPage page;
  submitter_ = ReadPage(store_, PageKind::kSubmitter, 0, page) == 0
                   ? std::move(page)
                   : NewPage(PageKind::kSubmitter);
}

bool Session::HeaderTabChanged() const {
  return PageChanged(pages_[0]) || PageChanged(submitter_);
}

void Session::SetMode(int mode) {
  if (mode_) mode_ = mode == 2 ? 2 : 1;
  if (mode_ == 2 && tab_ == Tab::kPedigree) tab_ = Tab::kIndividual;
}

void Session::Close() {
  if (mode_) store_.UnlockSummaries();
  mode_ = 0;
}

int Session::Show(Tab tab, std::int32_t index, bool record) {
  RecordPage page;
  if (ReadPage(store_, KindOf(tab), index, page) != 0) return kNoSummary;
  Page(tab) = std::move(page);
  if (tab_ != Tab::kPedigree || tab != Tab::kIndividual) tab_ = tab;
  if (record) {
    if (tab == Tab::kIndividual) individuals_.Show(index);
    if (tab == Tab::kFamily) families_.Show(index);
  }
  return 0;
}

int Session::ShowIndividual(std::int32_t index) { return Show(Tab::kIndividual, index, true); }
int Session::ShowFamily(std::int32_t index) { return Show(Tab::kFamily, index, true); }
int Session::ShowSource(std::int32_t index) { return Show(Tab::kSource, index, false); }
int Session::ShowRepository(std::int32_t index) { return Show(Tab::kRepository, index, false); }
int Session::ShowHeader() {
  const int r = Show(Tab::kHeader, 0, false);
  if (r == 0) ReadSubmitter();
  return r;
}

void Session::NewRecord() { CurrentPage() = NewPage(KindOf(tab_)); }

bool Session::CanBack() const {
  if (tab_ == Tab::kFamily) return mode_ == 1 && families_.CanBack();
  return (tab_ == Tab::kIndividual || tab_ == Tab::kPedigree) && individuals_.CanBack();
}

bool Session::CanForward() const {
  if (tab_ == Tab::kFamily) return mode_ == 1 && families_.CanForward();
  return (tab_ == Tab::kIndividual || tab_ == Tab::kPedigree) && individuals_.CanForward();
}

ToolbarState Session::Toolbar() const {
  ToolbarState t;
  t.view = mode_ == 2;
  t.edit = mode_ == 1 && tab_ != Tab::kPedigree;
  t.back = CanBack();
  t.forward = CanForward();
  return t;
}

bool Session::Back() {
  if (!CanBack()) return false;
  bool family = tab_ == Tab::kFamily;
  std::int32_t index = family ? families_.Back() : individuals_.Back();
  return index && Show(family ? Tab::kFamily : Tab::kIndividual, index, false) == 0;
}

bool Session::Forward() {
  if (!CanForward()) return false;
  bool family = tab_ == Tab::kFamily;
  std::int32_t index = family ? families_.Forward() : individuals_.Forward();
  return index && Show(family ? Tab::kFamily : Tab::kIndividual, index, false) == 0;
}

int Session::CommitQuestion() {
  RecordPage& page = CurrentPage();
  if (tab_ == Tab::kHeader) return HeaderTabChanged() ? kAskSaveChanges : 0;
  if (tab_ == Tab::kPedigree || !PageChanged(page)) return 0;
  if (page.kind == PageKind::kIndividual && page.mark == 2) return kAskSaveIndividual;
  return kAskSaveChanges;
}

int Session::Commit(Answer answer) {
  if (!CommitQuestion()) return 0;
  if (tab_ == Tab::kHeader) return CommitHeaderTab(answer);
  RecordPage& page = CurrentPage();
  switch (answer) {
    case Answer::kCancel:
      return -1;
    case Answer::kNo:
      if (page.record)
        RevertPage(page);
      else
        page = NewPage(page.kind);
      return 0;
    case Answer::kYes: {
      bool isNew = !page.record;
      int r = StorePage(store_, page);
      if (r) return r;
      if (isNew && page.kind == PageKind::kIndividual) individuals_.Show(page.index);
      if (isNew && page.kind == PageKind::kFamily) families_.Show(page.index);
      AfterChange();
      return 0;
    }
  }
  return 0;
}

int Session::CommitHeaderTab(Answer answer) {
  switch (answer) {
    case Answer::kCancel:
      return -1;
    case Answer::kNo:
      RevertPage(pages_[0]);
      if (submitter_.record)
        RevertPage(submitter_);
      else
        submitter_ = NewPage(PageKind::kSubmitter);
      return 0;
    case Answer::kYes: {
      // The header first: it names the submitter record the second store writes.
      if (int r = StorePage(store_, pages_[0])) return r;
      if (int r = StorePage(store_, submitter_)) return r;
      // A new submitter record adds its pointer to the header.
      RecordPage head;
      if (ReadPage(store_, PageKind::kHeader, 0, head) == 0) pages_[0] = std::move(head);
      ReadSubmitter();
      AfterChange();
      return 0;
    }
  }
  return 0;
}

int Session::CloseQuestion() const {
  if (!store_.dataChanged) return 0;
  for (std::int32_t i = 1; i <= store_.IndividualCount(); ++i)
    if (store_.Individual(i)->line) return kAskSaveData;
  for (std::int32_t f = 1; f <= store_.FamilyCount(); ++f)
    if (store_.Family(f)->line) return kAskSaveData;
  return 0;
}

DeleteVerdict Session::CanDeleteCurrent() const {
  const RecordPage& page = pages_[tab_ == Tab::kPedigree ? 1 : static_cast<int>(tab_)];
  if (mode_ != 2 || !page.record) return {kNoSummary, 0};
  return CanDelete(store_, page.kind, page.index);
}

std::int32_t Session::FirstLive(Tab tab) const {
  switch (tab) {
    case Tab::kIndividual:
      for (std::int32_t i = 1; i <= store_.IndividualCount(); ++i)
        if (store_.Individual(i)->line) return i;
      return 0;
    case Tab::kFamily:
      for (std::int32_t f = 1; f <= store_.FamilyCount(); ++f)
        if (store_.Family(f)->line) return f;
      return 0;
    default: {
      RecordKind kind = tab == Tab::kSource ? kSour : kRepo;
      const KindIndex& k = store_.Kind(kind);
      for (std::int32_t i = 1; k.exists && i <= k.count; ++i)
        if (store_.RecordLine(kind, i)) return i;
      return 0;
    }
  }
}

int Session::DeleteCurrent() {
  DeleteVerdict v = CanDeleteCurrent();
  if (v.refusal) return v.refusal;
  RecordPage& page = CurrentPage();
  std::int32_t index = page.index;
  PageKind kind = page.kind;
  int r = DeletePageRecord(store_, kind, index);
  if (r) return r;
  lastDeletedIndividual_ = kind == PageKind::kIndividual ? index : 0;
  if (kind == PageKind::kIndividual) individuals_.Forget(index);
  // Families emptied by the deletion left too: every history entry is checked.
  for (std::int32_t f : std::vector<std::int32_t>(families_.Entries()))
    if (!store_.Family(f) || !store_.Family(f)->line) families_.Forget(f);
  Tab tab = tab_ == Tab::kPedigree ? Tab::kIndividual : tab_;
  std::int32_t first = FirstLive(tab);
  if (first)
    Show(tab, first, false);
  else
    Page(tab) = NewPage(kind);
  AfterChange();
  return 0;
}

void Session::AfterChange() {
  unlinked_.Rebuild(store_);
  // Pages of the other tabs are read again: a store or a deletion may have
  // changed their lines (links, repaired pointers).
  for (int t = 0; t < 5; ++t) {
    if (t == static_cast<int>(tab_) || !pages_[t].record) continue;
    RecordPage again;
    if (ReadPage(store_, pages_[t].kind, pages_[t].index, again) == 0 && !PageChanged(pages_[t]))
      pages_[t] = std::move(again);
    else if (pages_[t].kind != PageKind::kHeader && !PageChanged(pages_[t]))
      pages_[t] = NewPage(pages_[t].kind);
  }
}

}  // namespace dv::viewedit
