#pragma once
// The page models of the view/edit mode: one per record kind (individual,
// family, source, repository, header, submitter), read from the line tree
// and stored back into it. A page holds its fields as texts together with
// the texts it read, so a store changes only the lines whose fields were
// edited: every line the page does not show, and every field left alone,
// is carried over unchanged, found again by the order number the read gave
// it. A store is built on a copy of the record's lines and swapped in only
// when complete, so a full pool or a record limit changes nothing.
//
// Field names (for the command-line tool and the pages' controls) are
// listed by FieldNames; the items of a page (events, attributes,
// associates, multimedia items, children) are addressed "event.2.place".

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/RecordStore.h"
#include "data/viewedit/Dates.h"

namespace dv::viewedit {

// String ids of the view/edit mode's refusals and questions.
inline constexpr int kMsgNotFound = 10;         // "Reference number not found: "
inline constexpr int kMsgFieldFull = 22;        // "Edit control out of space"
inline constexpr int kMsgTooManyChildren = 11;  // "Too many children in one family"
inline constexpr int kAskSaveIndividual = 214;  // "Save individual?"
inline constexpr int kAskSaveChanges = 215;     // "Save changes?"
inline constexpr int kMsgLinkedAsAssociate = 216;
inline constexpr int kAskDeletePerson = 217;  // "Delete all records of this person?"
inline constexpr int kAskDeleteFamily = 218;  // "Delete all records of this family?"
inline constexpr int kAskDeleteRecord = 219;  // "Delete this record?"
inline constexpr int kMsgRecordLinked = 220;
inline constexpr int kAskDeleteItem = 221;  // "Delete this item?"
inline constexpr int kMsgAlreadyInFamily = 222;
inline constexpr int kMsgChildOfAnother = 223;
inline constexpr int kMsgDataError = 224;   // "Data processing error"
inline constexpr int kMsgLastPerson = 228;  // "You cannot remove the last person ..."
inline constexpr int kMsgDeleteDivorce = 229;
inline constexpr int kMsgDeleteAdoption = 230;
inline constexpr int kMsgSelectSource = 231;
inline constexpr int kMsgInvalidMonth = 232;  // "Invalid month!"
inline constexpr int kMsgRemoveFromAdoptive = 234;
inline constexpr int kMsgSpousePlaceTaken = 235;
inline constexpr int kAskSaveData = 135;  // "Save data to file?"

enum class PageKind : int { kIndividual, kFamily, kSource, kRepository, kHeader, kSubmitter };

enum class FieldKind : int {
  kText,          // a one-line value
  kLongText,      // a value with CONT and CONC lines
  kLines,         // address lines: the value and CONT lines
  kCommaAddress,  // an address typed with commas: the value and a CONT line per part
  kPointer,       // a cross-reference "@S1@"
  kGiven,         // the NAME value before the surname
  kSurname,       // the NAME value between the slashes
  kNote,          // a note: inline, or the text of the NOTE record it points to
};

struct FieldDef {
  const char* name;
  const char* path;  // tags below the item's line, "DATA/EVEN/DATE"
  int limit;         // characters the field takes
  FieldKind kind;
  const char* whenEmpty = nullptr;  // value written when the field is emptied
};

enum class ItemKind : int { kRecord, kEvent, kAttribute, kAssociate, kMedia, kChild };

// One item of a page: the record itself, or a line of it with its sub-lines.
struct PageItem {
  ItemKind kind = ItemKind::kRecord;
  int tag = 0;
  int order = 0;                   // order number of its line; 0 = not in the tree yet
  bool removed = false;            // deleted on the page
  std::string value;               // the item line's own value (attribute text, pointer)
  std::vector<std::string> texts;  // one per field of its schema
  // As read, to find what was edited.
  int readTag = 0;
  std::string readValue;
  std::vector<std::string> readTexts;
};

struct RecordPage {
  PageKind kind = PageKind::kIndividual;
  std::int32_t index = 0;      // record index; 0 = a new record (header and submitter: 0)
  LineNode* record = nullptr;  // nullptr for a new record
  PageItem main;
  std::vector<PageItem> events, attributes, associates, media, children;
  int mark = 0;         // 0 unchanged, 1 new record being entered, 2 changed
  std::string missing;  // after a store refused with 10: the pointer that names no record
};

// Item limits of the individual and family pages.
inline constexpr int kMaxEvents = 50;
inline constexpr int kMaxAttributes = 50;
inline constexpr int kMaxAssociates = 20;
inline constexpr int kMaxMedia = 20;

const std::vector<FieldDef>& RecordSchema(PageKind kind);
const std::vector<FieldDef>& ItemSchema(ItemKind kind);

// Reads a record into a page (its lines numbered 100, 200, ...): 0, or -73
// when there is no such record.
int ReadPage(RecordStore& store, PageKind kind, std::int32_t index, RecordPage& page);
// An empty page for a new record (mark 1 once something is entered).
RecordPage NewPage(PageKind kind);
// Whether anything on the page differs from what was read.
bool PageChanged(const RecordPage& page);
// Drops the page's changes.
void RevertPage(RecordPage& page);

// The text of a field ("given", "birth.date", "event.2.place", "divorced"),
// empty for an unknown name.
std::string GetField(const RecordPage& page, std::string_view name);
// Sets a field as the page's control would: 0, 22 longer than the field
// takes, 232 a month outside 1-12, 224 a day outside 1-31 or an unknown
// tag, 229/230 unchecking a divorce or adoption that has its event, -1 an
// unknown field name. Marks the page changed.
int SetField(RecordPage& page, std::string_view name, std::string_view text);

// Every field of the page with its text, one per line as "show" prints them.
std::vector<std::pair<std::string, std::string>> ShowFields(const RecordStore& store,
                                                            const RecordPage& page);
// The field names a kind of page takes (items as "event.N.place").
std::vector<std::string> FieldNames(PageKind kind);

// Stores the page into the tree: 0 or a string id (1 pools full, 75 record
// limit, 10 an edited pointer naming no record (page.missing says which),
// 224, 228 an empty family, 231 source data without a source). A new
// record gets its number, cross-reference, place and key; summaries are
// rebuilt, the link check runs, dataChanged becomes 2, and the page is read
// again. A page without changes stores nothing.
int StorePage(RecordStore& store, RecordPage& page);

// The individual and family index a pointer text names, 0 when none (or deleted).
std::int32_t IndividualOf(const RecordStore& store, std::string_view xref);
std::int32_t FamilyOf(const RecordStore& store, std::string_view xref);

}  // namespace dv::viewedit
