#pragma once
// Deleting records and building families in the view/edit mode. Every
// refusal and question is a string id: the windows ask the question and
// call the operation on OK; the command-line tool answers OK itself.

#include <cstdint>

#include "data/RecordStore.h"
#include "data/viewedit/Pages.h"

namespace dv::viewedit {

// What deleting a record needs: a refusal (216 linked as an associate, 220
// a linked source or repository, -73 no such record) or else the question
// to ask (217, 218, 219).
struct DeleteVerdict {
  int refusal = 0;
  int question = 0;
};
DeleteVerdict CanDelete(const RecordStore& store, PageKind kind, std::int32_t index);

// Deletes an individual: every pointer to it goes (children and spouses of
// all families, any other line naming it), families left without husband,
// wife and child are deleted too, its record and key are removed and its
// summary slot emptied (the other indexes stay), the link check runs.
// 0 or the refusal of CanDelete.
int DeleteIndividual(RecordStore& store, std::int32_t index);
// Deletes a family: every FAMS and FAMC (adoptions too) naming it goes, the
// members' summaries are rebuilt, its record removed and its slot emptied.
int DeleteFamily(RecordStore& store, std::int32_t index);
// Deletes a source or repository record that nothing points to.
int DeleteRecord(RecordStore& store, RecordKind kind, std::int32_t index);
// The same by page kind.
int DeletePageRecord(RecordStore& store, PageKind kind, std::int32_t index);

// Building a family on its page (stored by StorePage):
// the selected individual goes into the husband place when its sex code
// is 1, into the wife place when 0, and, sex not recorded, into whichever
// of wife and husband is free (the link check keeps either). 0, 222 already
// in the family, 235 the place is taken, -73 no such individual.
int AddSpouse(const RecordStore& store, RecordPage& family, std::int32_t individual);
// 0, 11 already 25 children, 222 already in the family, 223 a child of
// another family (that is not its adoptive family), -73.
int AddChild(const RecordStore& store, RecordPage& family, std::int32_t individual);
// Takes a husband, wife or child off the page: 0; 228 when nobody would be
// left (the page's changes are then dropped); -73 not in the family.
int RemovePerson(const RecordStore& store, RecordPage& family, std::int32_t individual);

// The number of pointer lines anywhere in the tree naming a record that is
// not there (the invariant every deletion keeps at 0).
int DanglingPointers(const RecordStore& store);

// The number of broken invariants of a store after edits: dangling
// pointers, tree links that disagree (parent, sibling, level), summaries
// naming an emptied or missing record, marriage entries of emptied
// records, key entries whose record is gone. 0 for a sound store.
int StoreProblems(const RecordStore& store);

}  // namespace dv::viewedit
