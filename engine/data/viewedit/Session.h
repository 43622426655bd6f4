#pragma once
// The view/edit mode as a state machine without windows: its state (closed,
// view, edit), the tab shown, the page of each tab, the histories behind
// Back and Forward, the page marks, the questions asked before a page is
// left or the mode closed, deletions with what is shown after them, and the
// unlinked table. The windows show what it holds and ask its questions.

#include <cstdint>

#include "data/RecordStore.h"
#include "data/viewedit/Edits.h"
#include "data/viewedit/Navigation.h"
#include "data/viewedit/Pages.h"

namespace dv::viewedit {

enum class Tab : int {
  kHeader = 0,
  kIndividual = 1,
  kFamily = 2,
  kSource = 3,
  kRepository = 4,
  kPedigree = 5
};
enum class Answer : int { kYes, kNo, kCancel };

// Which toolbar buttons are enabled (Save, Close and Help always are).
struct ToolbarState {
  bool view = false, edit = false, back = false, forward = false;
};

class Session {
 public:
  explicit Session(RecordStore& store) : store_(store) {}

  // Opens the mode in view (1) or edit (2) state: the summaries are locked
  // and the page state reset. 0, or 1 when no data source is loaded.
  int Open(int mode);
  // Switches between view and edit (the page is committed first by the caller).
  void SetMode(int mode);
  int Mode() const { return mode_; }
  // Leaves the mode: the summaries are unlocked. The caller has asked
  // CloseQuestion and committed the page.
  void Close();

  Tab CurrentTab() const { return tab_; }
  void SetTab(Tab tab) { tab_ = tab; }
  RecordPage& Page(Tab tab);
  RecordPage& CurrentPage() { return Page(tab_); }
  // The submitter record the header points to, shown and stored with the
  // Header tab (a new page when the data source has none).
  RecordPage& SubmitterPage() { return submitter_; }

  // Shows a record on its tab (read into the page) and appends it to the
  // history; in view state the forward limit is cleared. 0 or -73.
  int ShowIndividual(std::int32_t index);
  int ShowFamily(std::int32_t index);
  int ShowSource(std::int32_t index);
  int ShowRepository(std::int32_t index);
  int ShowHeader();
  // A new record on the current tab (mark 1 once something is entered).
  void NewRecord();

  // Back and Forward in the history of the current tab (individual history
  // on the Individual and Pedigree tabs, family history on the Family tab in
  // view state): true when a record was shown.
  bool Back();
  bool Forward();
  bool CanBack() const;
  bool CanForward() const;

  // The toolbar: View is enabled in edit state, Edit in view state except on
  // the Pedigree tab; Back and Forward as the history allows.
  ToolbarState Toolbar() const;
  // The number of main tabs: 6 in view state (with " Pedigree "), 5 in edit state.
  int TabCount() const { return mode_ == 1 ? 6 : 5; }

  // The question to ask before the current page is left: 214 "Save
  // individual?" (an individual page marked 2), 215 "Save changes?" (any
  // other changed page, the Header tab's submitter included), 0 when the
  // page is unchanged.
  int CommitQuestion();
  // Acts on the answer: Yes stores the page (0, or the id the store gave:
  // the page stays), No drops its changes (0), Cancel stays (-1).
  int Commit(Answer answer);

  // The question before closing the mode: 135 "Save data to file?" when the
  // data changed and the store holds any individual or family, else 0.
  int CloseQuestion() const;

  // Deleting the record shown on the current tab: CanDelete, then Delete.
  // After a deletion the first remaining record of the kind is shown (or
  // an empty page), the histories forget the record and the unlinked table
  // is rebuilt.
  DeleteVerdict CanDeleteCurrent() const;
  int DeleteCurrent();
  // The individual or family deleted last (0 none), for the windows to
  // clear chart selections that name it.
  std::int32_t LastDeletedIndividual() const { return lastDeletedIndividual_; }

  History& IndividualHistory() { return individuals_; }
  History& FamilyHistory() { return families_; }
  UnlinkedTable& Unlinked() { return unlinked_; }
  RecordStore& Store() { return store_; }

 private:
  PageKind KindOf(Tab tab) const;
  int Show(Tab tab, std::int32_t index, bool record);
  void AfterChange();
  std::int32_t FirstLive(Tab tab) const;
  void ReadSubmitter();
  int CommitHeaderTab(Answer answer);
  bool HeaderTabChanged() const;

  RecordStore& store_;
  int mode_ = 0;
  Tab tab_ = Tab::kIndividual;
  RecordPage pages_[5];
  RecordPage submitter_;
  History individuals_, families_;
  UnlinkedTable unlinked_;
  std::int32_t lastDeletedIndividual_ = 0;
};

}  // namespace dv::viewedit
