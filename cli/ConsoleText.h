#pragma once
// The texts the command-line tool writes: the program's own texts (messages,
// chart text) are code page 1252; a terminal wants UTF-8 on Linux and its
// console code page on Windows. Dumps are files and always UTF-8.

#include <string>
#include <string_view>

namespace dv::cli {

// Program text as the terminal shows it.
std::string ConsoleText(std::string_view text);

// Writes a message to stderr: program text in the terminal's encoding, then
// a suffix as given (a path from the command line is already in the
// terminal's encoding), then a line end.
void PrintMessage(std::string_view text, std::string_view suffix = {});

}  // namespace dv::cli
