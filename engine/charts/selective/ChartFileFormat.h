#pragma once
// The field form shared by the chart-file writers and readers. Fields of a
// line are separated by "/". A "/" inside a field is written "\/", and a
// run of backslashes that would stand before a "/" is doubled, so every
// field reads back as written; a field without "/" and not ending in a
// backslash is written unchanged.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dv {

// String ids of the chart files.
inline constexpr int kMsgChartFileCannotOpen = 2;  // "Cannot open file"
inline constexpr int kMsgChartWrongFormat = 49;    // "Wrong format"
inline constexpr int kMsgCropError = 13;           // "Error in function CROP"
inline constexpr int kMsgReadMask = 21;            // "Error in function READMASK"
// The program's own: a line longer than a reader takes (+ its line number).
inline constexpr int kMsgChartLineTooLong = 193;

// The longest line a chart-file reader takes (without its line end).
inline constexpr std::size_t kChartLineCapacity = 255;

// A field for writing; followedBySeparator: a "/" comes after it.
std::string EscapeField(std::string_view field, bool followedBySeparator = true);

// The fields of text split at unescaped "/" (at most maxFields; the last
// takes the rest of the text), each unescaped.
std::vector<std::string> SplitFields(std::string_view text, std::size_t maxFields);

// The position of the first unescaped occurrence of "/" at or after from,
// or npos.
std::size_t FindSeparator(std::string_view text, std::size_t from = 0);

// Cuts an escaped field to at most n characters without breaking an escape.
std::string CutEscaped(std::string text, std::size_t n);

// Reads the lines of a chart file (line ends CR, LF or CR LF): 0, 2 when
// the file cannot be opened, or 193 with the number of the first line
// longer than kChartLineCapacity in tooLongLine.
int ReadChartLines(const std::string& path, std::vector<std::string>& lines, int& tooLongLine);
int SplitChartLines(std::string_view bytes, std::vector<std::string>& lines, int& tooLongLine);

// A leading signed decimal number of text at pos (spaces before it
// skipped); pos moves past it. False when there is none or it overflows.
bool ReadChartNumber(std::string_view text, std::size_t& pos, std::int64_t& value);

}  // namespace dv

namespace dv {

// The data format a file name gives by its extension (compared upper-cased):
// 0 a Birth Brief chart file ".DVA", -1 a Selective Tree chart file ".DVB",
// 1 anything else (GEDCOM).
int ChartFormatOfPath(std::string_view path);

}  // namespace dv
