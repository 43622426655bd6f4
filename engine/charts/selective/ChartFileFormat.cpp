#include "charts/selective/ChartFileFormat.h"

#include <algorithm>
#include <cstdio>

#include "common/SafeFile.h"

namespace dv {

std::string EscapeField(std::string_view field, bool followedBySeparator) {
  std::string out;
  out.reserve(field.size());
  std::size_t i = 0;
  while (i < field.size()) {
    if (field[i] == '\\') {
      std::size_t run = 0;
      while (i + run < field.size() && field[i + run] == '\\') ++run;
      const bool beforeSlash = i + run < field.size() ? field[i + run] == '/' : followedBySeparator;
      out.append(beforeSlash ? 2 * run : run, '\\');
      i += run;
    } else if (field[i] == '/') {
      out += "\\/";
      ++i;
    } else {
      out += field[i++];
    }
  }
  return out;
}

std::size_t FindSeparator(std::string_view text, std::size_t from) {
  std::size_t run = 0;
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++run;
      continue;
    }
    if (text[i] == '/' && run % 2 == 0) return i;
    run = 0;
  }
  return std::string_view::npos;
}

namespace {

// Undoes EscapeField for one field.
std::string Unescape(std::string_view field, bool followedBySeparator) {
  std::string out;
  out.reserve(field.size());
  std::size_t i = 0;
  while (i < field.size()) {
    if (field[i] != '\\') {
      out += field[i++];
      continue;
    }
    std::size_t run = 0;
    while (i + run < field.size() && field[i + run] == '\\') ++run;
    if (i + run < field.size() && field[i + run] == '/') {
      // An odd run stands for a slash of the field.
      out.append(run / 2, '\\');
      out += '/';
      i += run + 1;
    } else if (i + run == field.size() && followedBySeparator) {
      out.append(run / 2, '\\');
      i += run;
    } else {
      out.append(run, '\\');
      i += run;
    }
  }
  return out;
}

}  // namespace

std::vector<std::string> SplitFields(std::string_view text, std::size_t maxFields) {
  std::vector<std::string> out;
  std::size_t from = 0;
  while (maxFields > 0 && out.size() + 1 < maxFields) {
    const std::size_t sep = FindSeparator(text, from);
    if (sep == std::string_view::npos) break;
    out.push_back(Unescape(text.substr(from, sep - from), true));
    from = sep + 1;
  }
  out.push_back(Unescape(text.substr(std::min(from, text.size())), false));
  return out;
}

std::string CutEscaped(std::string text, std::size_t n) {
  if (text.size() <= n) return text;
  text.resize(n);
  // A backslash left at the end would pair with what follows.
  std::size_t run = 0;
  while (run < text.size() && text[text.size() - 1 - run] == '\\') ++run;
  if (run % 2 == 1) text.pop_back();
  return text;
}

int SplitChartLines(std::string_view bytes, std::vector<std::string>& lines, int& tooLongLine) {
  lines.clear();
  tooLongLine = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    std::size_t end = i;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    if (end - i > kChartLineCapacity && tooLongLine == 0) tooLongLine = int(lines.size()) + 1;
    lines.emplace_back(bytes.substr(i, end - i));
    if (end < bytes.size() && bytes[end] == '\r') ++end;
    if (end < bytes.size() && bytes[end] == '\n') ++end;
    i = end;
  }
  return tooLongLine != 0 ? kMsgChartLineTooLong : 0;
}

int ReadChartLines(const std::string& path, std::vector<std::string>& lines, int& tooLongLine) {
  lines.clear();
  tooLongLine = 0;
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return kMsgChartFileCannotOpen;
  return SplitChartLines(bytes, lines, tooLongLine);
}

bool ReadChartNumber(std::string_view text, std::size_t& pos, std::int64_t& value) {
  std::size_t i = pos;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
  std::int64_t n = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    n = n * 10 + (text[i++] - '0');
    if (n > 0x7FFFFFFFLL) return false;
  }
  value = negative ? -n : n;
  pos = i;
  return true;
}

}  // namespace dv

namespace dv {

int ChartFormatOfPath(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return 1;
  std::string ext(path.substr(dot + 1));
  for (char& c : ext)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  if (ext == "DVA") return 0;
  if (ext == "DVB") return -1;
  return 1;
}

}  // namespace dv
