#pragma once
// The texts the command-line tool writes: the program's own texts (messages,
// chart text) are code page 1252; a terminal wants UTF-8 on Linux and its
// console code page on Windows. Dumps are files and always UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace dv::cli {

// Program text as the terminal shows it.
std::string ConsoleText(std::string_view text);

// Writes message id to stderr as "id<TAB>text": the message's text in the
// terminal's encoding with C escapes, then a suffix as given (a path from
// the command line is already in the terminal's encoding; after ": " when
// the text does not end with a space), then a line end.
// Returns 1, the exit code of a command that ends with the message.
int PrintMessage(int id, std::string_view suffix = {});

// Parses a whole decimal number; false when text holds anything else.
bool ParseInt(std::string_view text, int& value);

// A record's number from "@I12@" or "12"; 0 when neither.
std::int32_t RecordNumber(std::string_view id);

}  // namespace dv::cli
