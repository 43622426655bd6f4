#pragma once
// The pieces of report text that do not depend on the output format: the
// generation ordinals, dates as the report prints them, names, note text cut
// into lines, and the escaping that keeps data text inert in Rich Text.

#include <string>
#include <string_view>
#include <vector>

namespace dv {

// "First" .. "Twentieth", then "Twenty-First" .. "Ninety-Ninth" with the
// round tens "Thirtieth" and so on; empty outside 1-99.
std::string OrdinalText(int generation);

// A date as the report prints it: leading spaces skipped, and every letter
// after the first letter lowered ("12 MAR 1820" reads "12 Mar 1820").
std::string ReportDate(std::string_view date);

// A summary date field without its event prefix ("b ", "c ", "d ", "bd ",
// "m "): the prefix is the letters before the first space.
std::string_view WithoutEventPrefix(std::string_view field);

// A display name as a spouse, child or parent line shows it: each "_" as a
// space, trailing spaces removed.
std::string PlainName(std::string_view displayName);

// "SURNAME, given names" for the head of a record.
std::string RecordName(std::string_view displayName);

inline constexpr int kNoteLineWidth = 80;

// Note text cut into lines of at most 80 characters: a line ends at a CR or
// LF, else before 80 characters at the last space; a word of 80 characters
// or more is cut at 80 and "-" added. Leading CR, LF and spaces of each
// line are skipped.
std::vector<std::string> NoteLines(std::string_view text);

// Text from the data made safe for Rich Text: "{" and "}" escaped, a tab
// as "\tab ", a backslash, other control bytes and bytes above 127 as \'hh.
// (A backslash as \'5c rather than a doubled one: some readers take a
// doubled backslash before a line end as the start of a control word.)
std::string RtfEscape(std::string_view text);

}  // namespace dv
