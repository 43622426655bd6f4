#pragma once
// Character sets. A GEDCOM file may be written in UTF-8, ANSEL (the
// character set of the older GEDCOM standard, with combining marks placed
// before their letter), the IBM PC code page 437, the ANSI code page 1252 or
// plain ASCII; the program itself shows and works with 8-bit text in code
// page 1252 (the "program text"). This unit decides a file's character set
// (byte-order mark, the header's CHAR line, UTF-8 validity), converts file
// text to program text (letters 1252 lacks become their plain letter,
// never bytes of another encoding) and program text back to the file's
// character set for text the user types. It also upper-cases, folds and
// orders program text, and turns it into UTF-8 for the command-line tool.
//
// All conversions are one pass over the bytes through fixed tables; text that
// is plain ASCII, or already in code page 1252, is handed back unchanged.

#include <cstddef>
#include <string>
#include <string_view>

namespace dv {

struct LineNode;

// The character set of a data source's bytes.
enum class CharSet : int {
  kAnsi = 0,  // code page 1252: the program's own, converted as is
  kUtf8 = 1,
  kAnsel = 2,
  kIbmPc = 3,  // code page 437
  kAscii = 4,
};

// The program's code page, and the names files the program writes for itself
// give it. Chart files extracted straight from a GEDCOM file's text hold
// program text: the extract scan decides the file's set with a
// CharSetDetector (the HEAD's CHAR value, then the lines while NeedsText),
// converts each name and place with ProgramText(raw, ReadingSet(...)) and
// names the chart file's code page with kProgramCodePageName.
inline constexpr int kProgramCodePage = 1252;
inline constexpr std::string_view kProgramCodePageName = "windows-1252";
inline constexpr std::string_view kProgramCharName = "ANSI";  // as a GEDCOM CHAR value

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// How a data source's text is encoded.
struct SourceEncoding {
  CharSet charSet = CharSet::kAnsi;
  bool byteOrderMark = false;  // the file began with a UTF-8 byte-order mark
  // Neither a byte-order mark nor the CHAR line decided: the text does. Such
  // text is read as UTF-8 where it is valid UTF-8 and as code page 1252
  // where it is not, which needs no pass over the whole file at load.
  bool byText = false;
};

// The set text of an encoding is read with: UTF-8 (with its code page 1252
// fallback) when the text decides, else the set itself.
inline CharSet ReadingSet(const SourceEncoding& e) { return e.byText ? CharSet::kUtf8 : e.charSet; }

// The GEDCOM CHAR value of a character set: "ANSI", "UTF-8", "ANSEL",
// "IBMPC", "ASCII".
std::string_view CharSetName(CharSet charSet);

bool StartsWithByteOrderMark(std::string_view bytes);

// Decides a file's character set from what is seen of it: a byte-order mark
// decides UTF-8; otherwise the header's CHAR value (UTF-8, ANSEL, IBMPC,
// ANSI or WINDOWS and their usual spellings); when that is absent, ASCII or
// unknown, the text decides: UTF-8 when it is valid UTF-8 with at least one
// letter beyond ASCII, else code page 1252 (ASCII when it was declared and
// the text holds no byte beyond ASCII).
class CharSetDetector {
 public:
  void NoteByteOrderMark(bool present) { byteOrderMark_ = byteOrderMark_ || present; }
  // The value of the header's CHAR line (leading and trailing blanks allowed).
  void NoteHeaderChar(std::string_view value);
  // Whether Result still depends on the text (no decisive mark or CHAR line).
  bool NeedsText() const;
  // Any stretch of the file's text; a UTF-8 sequence must not be split.
  void NoteText(std::string_view bytes);
  SourceEncoding Result() const;

 private:
  enum class Declared { kNone, kUtf8, kAnsel, kIbmPc, kAnsi, kAscii, kOther };
  bool byteOrderMark_ = false;
  Declared declared_ = Declared::kNone;
  bool multibyte_ = false;  // a valid UTF-8 sequence beyond ASCII was seen
  bool invalid_ = false;    // a byte that is not valid UTF-8 was seen
};

// The encoding of a parsed line tree: the CHAR line of the first HEAD record
// and, when that does not decide, the cross-references and values of every
// line. With examineText false the lines are not read: a file the header
// does not decide comes back byText with its provisional set.
SourceEncoding DetectEncoding(const LineNode* root, bool byteOrderMark, bool examineText = true);

// ---- File text to program text ----

// Appends raw converted to code page 1252. The result is never longer than
// raw and holds no NUL byte that raw did not hold.
void AppendProgramText(std::string& out, std::string_view raw, CharSet from);
std::string ProgramText(std::string_view raw, CharSet from);
// The same without copying when nothing changes (code page 1252, or text
// that is plain ASCII): a view of raw, or of scratch holding the conversion.
std::string_view ProgramTextView(std::string_view raw, CharSet from, std::string& scratch);

// ---- Program text to file text ----

// Converts text typed by the user (code page 1252) into the file's character
// set for storing in the line tree: UTF-8 stays UTF-8, ANSEL gets its marks
// before the letter; a character the target lacks becomes its plain letter,
// or "?" when it has none.
std::string FileText(std::string_view text, CharSet to);

// ---- Program text ----

// UTF-8 of program text (what the command-line tool writes on Linux).
std::string Utf8FromProgramText(std::string_view text);
// Code page 437 of program text (an IBM PC console), plain letters or "?"
// for what 437 lacks.
std::string IbmPcFromProgramText(std::string_view text);

// Upper case of a code page 1252 character or text (accented letters too).
char UpperProgramChar(char c);
void UpperCaseProgramText(std::string& text);
// The plain letter of a code page 1252 letter (é gives e, Ø gives O); other
// characters unchanged.
char PlainProgramChar(char c);
// The same as a table of 256 plain letters, indexed by the byte: for loops
// over many characters.
const unsigned char* PlainProgramTable();

// Orders program text as a reader expects: letters with marks beside their
// plain letters (Ímar with Imar, before Jones), ties broken byte by byte so
// that only equal texts compare equal. Plain ASCII text orders byte by byte.
int CompareProgramText(std::string_view a, std::string_view b);
inline bool ProgramTextBefore(std::string_view a, std::string_view b) {
  return CompareProgramText(a, b) < 0;
}
// The same order over NUL-terminated texts (the key lists), without
// measuring them first.
int CompareProgramText(const char* a, const char* b);
inline bool ProgramTextBefore(const char* a, const char* b) { return CompareProgramText(a, b) < 0; }

}  // namespace dv
