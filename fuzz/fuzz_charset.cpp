// Fuzzes the character-set decoders, the detector, the reverse conversion
// and the order of program text with arbitrary bytes: invalid and truncated
// UTF-8, stray ANSEL marks, any code page 437 byte.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/CharSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  dv::CharSetDetector detector;
  detector.NoteByteOrderMark(dv::StartsWithByteOrderMark(raw));
  detector.NoteHeaderChar(raw.substr(0, size < 12 ? size : 12));
  detector.NoteText(raw);
  (void)detector.Result();
  for (dv::CharSet cs : {dv::CharSet::kUtf8, dv::CharSet::kAnsel, dv::CharSet::kIbmPc,
                         dv::CharSet::kAscii, dv::CharSet::kAnsi}) {
    const std::string shown = dv::ProgramText(raw, cs);
    // Program text is never longer than the file's bytes (fixed fields rely on it).
    if (shown.size() > raw.size()) __builtin_trap();
    std::string scratch;
    if (dv::ProgramTextView(raw, cs, scratch) != shown) __builtin_trap();
    // Back to the file's set and shown again: the same text, except where
    // the set lacks a letter and its plain form or "?" was stored.
    const std::string stored = dv::FileText(shown, cs);
    if (cs == dv::CharSet::kUtf8 && dv::ProgramText(stored, cs) != shown) __builtin_trap();
    if (dv::CompareProgramText(shown, raw) != -dv::CompareProgramText(raw, shown)) __builtin_trap();
  }
  std::string upper(raw);
  dv::UpperCaseProgramText(upper);
  if (upper.size() != raw.size()) __builtin_trap();
  return 0;
}
