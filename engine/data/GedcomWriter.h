#pragma once
// Writes the whole line tree back to a GEDCOM file, line for line in tree
// order, with CR LF line ends; a file that began with a UTF-8 byte-order
// mark gets it back. Values are written as the bytes they hold.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "data/RecordStore.h"

namespace dv {

// Progress: (total, 0) at the start, (n, 1) at each level-0 INDI, FAM,
// SOUR, REPO or NOTE line, (n, 2) at the end.
using WriteProgress = std::function<void(int count, int phase)>;

// The text of one line without its line end.
std::string FormatLine(const LineNode& line);

// Writes the tree to text (CR LF line ends).
std::string GedcomText(const RecordStore& store);

// Gives the header a FILE line with name (program text, stored in the
// file's character set): added after the last SOUR, DEST, DATE, SUBM, SUBN
// or FILE line when missing; an existing empty one (any one with force)
// gets the name.
void SetHeaderFile(RecordStore& store, std::string_view name, bool force = false);

// Writes the tree to path: 0; -1 when the store has no root; 25 when the
// file cannot be created; 250 when a write or the close fails. The file is
// written beside the target and replaces it only when complete, so a failed
// write leaves the old file as it was. makeBackup first copies the old file
// to path + ".bak".
int WriteGedcom(const RecordStore& store, const std::string& path, bool makeBackup,
                const WriteProgress& progress = {});

// The file name part of a path (after the last backslash or slash).
std::string_view FileNamePart(std::string_view path);
// A file name as program text: on Windows the program's paths are already
// in its code page; elsewhere file names are UTF-8.
std::string FileNameAsProgramText(std::string_view name);

// Save and Save As without the windows: link check, header FILE from the
// path, WriteGedcom (with backup for Save). dataChanged becomes 0 only on
// success. The writer's result.
int SaveGedcom(RecordStore& store, const std::string& path, bool makeBackup,
               const WriteProgress& progress = {});

}  // namespace dv
