#include "ConsoleText.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "common/StringTable.h"
#include "data/CharSet.h"
#include "data/RecordStore.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace dv::cli {

std::string ConsoleText(std::string_view text) {
#if defined(_WIN32)
  // A program whose output is redirected has no console: the ANSI code page.
  UINT codePage = GetConsoleOutputCP();
  if (codePage == 0) codePage = GetACP();
  if (codePage == static_cast<UINT>(kProgramCodePage)) return std::string(text);
  if (codePage == CP_UTF8) return Utf8FromProgramText(text);
  if (codePage == 437) return IbmPcFromProgramText(text);
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  int wide = MultiByteToWideChar(kProgramCodePage, 0, text.data(), length, nullptr, 0);
  if (wide <= 0) return std::string(text);
  std::vector<wchar_t> buffer(static_cast<std::size_t>(wide));
  MultiByteToWideChar(kProgramCodePage, 0, text.data(), length, buffer.data(), wide);
  int bytes = WideCharToMultiByte(codePage, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string(text);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, 0, buffer.data(), wide, out.data(), bytes, nullptr, nullptr);
  return out;
#else
  return Utf8FromProgramText(text);
#endif
}

int PrintMessage(int id, std::string_view suffix) {
  const std::string text = MessageText(id);
  std::string out = std::to_string(id) + '\t' + CEscape(ConsoleText(text));
  // Messages meant to take a name end with their separator ("...: ");
  // others ("Cannot open file") are given one before the name.
  if (!suffix.empty() && !text.empty() && text.back() != ' ') out += ": ";
  out.append(suffix);
  out += '\n';
  std::fwrite(out.data(), 1, out.size(), stderr);
  return 1;
}

bool ParseInt(std::string_view text, int& value) {
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && p == end;
}

std::int32_t RecordNumber(std::string_view id) {
  if (!id.empty() && id.front() == '@') {
    const std::int32_t n = NumberOf(id);
    return n > 0 ? n : 0;
  }
  int n = 0;
  return ParseInt(id, n) && n > 0 ? n : 0;
}

}  // namespace dv::cli
