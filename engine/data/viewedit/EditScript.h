#pragma once
// A sequence of view/edit operations applied to a loaded store, as the
// command-line tool's "edit" verb and the fuzz target run them. Each
// operation goes through the page models, the deletions and the family
// building of the view/edit engine and reports "ok" (and for a new record
// its cross-reference) or "refused<TAB>id<TAB>text"; questions are answered
// OK.
//
//   show XREF                    the page, one "field<TAB>value" a line
//   set XREF FIELD=VALUE...      fields of an individual, family, source or repository
//   new-indi [FIELD=VALUE...]    a new individual
//   new-fam [FIELD=VALUE...]     a new family; spouse=XREF and child=XREF add people
//   new-sour / new-repo [FIELD=VALUE...]
//   delete XREF
//   add-spouse FAM INDI, add-child FAM INDI, remove FAM INDI
//   header FIELD=VALUE...        header fields; submitter.FIELD for the submitter

#include <span>
#include <string>
#include <string_view>

#include "data/RecordStore.h"

namespace dv::viewedit {

// Applies the operations in order, appending their report lines to output.
// The number of refused operations, or -1 for malformed operations (error
// says which; nothing was applied then).
int RunEditScript(RecordStore& store, std::span<const std::string_view> ops, std::string& output,
                  std::string& error);

// The operations and the field names of each page, for --help.
std::string EditHelp();

}  // namespace dv::viewedit
