#pragma once
// Access to the program's string table (Strings.def) from portable code.
// Engine routines report failures as string ids; callers turn them into text.

#include <span>
#include <string>
#include <string_view>

namespace dv {

struct StringEntry {
  int id;
  std::string_view text;
};

// Ids that the message routine accepts; others show "Undetermined error".
inline constexpr int kFirstMessageId = 1;
inline constexpr int kLastMessageId = 258;
// Texts that are not messages (filters, titles, list prompts) start here.
inline constexpr int kFirstLabelId = 300;
inline constexpr int kUndeterminedError = 117;

// Every entry, ordered by id.
std::span<const StringEntry> AllStrings();

// The text of an id, or an empty view when the table has no such entry.
std::string_view StringText(int id);

// The text a message box shows for an id: ids outside 1-258 give
// "Undetermined error"; the suffix (a name, a number, a path) is appended.
std::string MessageText(int id, std::string_view suffix = {});

// Writes text with C escapes for \\, \r, \n and \t (the form the string
// table and the command-line tool's listings use).
std::string CEscape(std::string_view text);

}  // namespace dv
