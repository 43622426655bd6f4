#include "data/CharSet.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

#include "data/LineTree.h"
#include "data/TagTable.h"

namespace dv {
namespace {

using Byte = unsigned char;

// The marks that code page 1252 has letters for; every other combining mark
// is dropped and leaves its plain letter.
enum Mark : int {
  kGrave,
  kAcute,
  kCircumflex,
  kTilde,
  kDiaeresis,
  kRing,
  kCedilla,
  kCaron,
  kMarkCount,
  kOtherMark = kMarkCount,
  kNotAMark = -1,
};

struct Composition {
  char base;
  Mark mark;
  Byte letter;  // the code page 1252 letter
};

// Every letter of code page 1252 that is a plain letter with one mark.
constexpr Composition kCompositions[] = {
    {'A', kGrave, 0xC0},      {'E', kGrave, 0xC8},      {'I', kGrave, 0xCC},
    {'O', kGrave, 0xD2},      {'U', kGrave, 0xD9},      {'a', kGrave, 0xE0},
    {'e', kGrave, 0xE8},      {'i', kGrave, 0xEC},      {'o', kGrave, 0xF2},
    {'u', kGrave, 0xF9},      {'A', kAcute, 0xC1},      {'E', kAcute, 0xC9},
    {'I', kAcute, 0xCD},      {'O', kAcute, 0xD3},      {'U', kAcute, 0xDA},
    {'Y', kAcute, 0xDD},      {'a', kAcute, 0xE1},      {'e', kAcute, 0xE9},
    {'i', kAcute, 0xED},      {'o', kAcute, 0xF3},      {'u', kAcute, 0xFA},
    {'y', kAcute, 0xFD},      {'A', kCircumflex, 0xC2}, {'E', kCircumflex, 0xCA},
    {'I', kCircumflex, 0xCE}, {'O', kCircumflex, 0xD4}, {'U', kCircumflex, 0xDB},
    {'a', kCircumflex, 0xE2}, {'e', kCircumflex, 0xEA}, {'i', kCircumflex, 0xEE},
    {'o', kCircumflex, 0xF4}, {'u', kCircumflex, 0xFB}, {'A', kTilde, 0xC3},
    {'N', kTilde, 0xD1},      {'O', kTilde, 0xD5},      {'a', kTilde, 0xE3},
    {'n', kTilde, 0xF1},      {'o', kTilde, 0xF5},      {'A', kDiaeresis, 0xC4},
    {'E', kDiaeresis, 0xCB},  {'I', kDiaeresis, 0xCF},  {'O', kDiaeresis, 0xD6},
    {'U', kDiaeresis, 0xDC},  {'Y', kDiaeresis, 0x9F},  {'a', kDiaeresis, 0xE4},
    {'e', kDiaeresis, 0xEB},  {'i', kDiaeresis, 0xEF},  {'o', kDiaeresis, 0xF6},
    {'u', kDiaeresis, 0xFC},  {'y', kDiaeresis, 0xFF},  {'A', kRing, 0xC5},
    {'a', kRing, 0xE5},       {'C', kCedilla, 0xC7},    {'c', kCedilla, 0xE7},
    {'S', kCaron, 0x8A},      {'Z', kCaron, 0x8E},      {'s', kCaron, 0x9A},
    {'z', kCaron, 0x9E},
};

// Letters of code page 1252 without a mark of their own, and their closest
// plain letter (for ordering and for targets that lack them).
constexpr std::pair<Byte, char> kPlainSpecials[] = {
    {0xC6, 'A'}, {0xE6, 'a'}, {0xD8, 'O'}, {0xF8, 'o'}, {0xDF, 's'}, {0xD0, 'D'},
    {0xF0, 'd'}, {0xDE, 'T'}, {0xFE, 't'}, {0x8C, 'O'}, {0x9C, 'o'}, {0x83, 'f'},
};

// Punctuation of code page 1252 and its plain ASCII form.
constexpr std::pair<Byte, char> kPlainPunctuation[] = {
    {0x82, ','}, {0x84, '"'}, {0x85, '.'},  {0x8B, '<'}, {0x91, '\''}, {0x92, '\''}, {0x93, '"'},
    {0x94, '"'}, {0x95, '*'}, {0x96, '-'},  {0x97, '-'}, {0x98, '~'},  {0x9B, '>'},  {0xA0, ' '},
    {0xAB, '"'}, {0xAD, '-'}, {0xB4, '\''}, {0xBB, '"'}, {0xB7, '.'},  {0xD7, 'x'},  {0x88, '^'},
};

// Code page 1252 bytes 0x80-0x9F as Unicode; the five bytes 1252 leaves
// undefined stand for the control characters of the same value.
constexpr char16_t k1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Code page 437, bytes 0x80-0xFF, as code page 1252: letters and signs 1252
// has, plain letters for the Greek ones, and line-drawing characters as
// the ASCII that draws the same shape.
constexpr Byte kIbmPcHigh[128] = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xA2, 0xA3, 0xA5, 'P',  0x83,
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xAC, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    '#',  '#',  '#',  '|',  '+',  '+',  '+',  '+',  '+',  '+',  '|',  '+',  '+',  '+',  '+',  '+',
    '+',  '+',  '+',  '+',  '-',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '=',  '+',  '+',
    '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '#',  '#',  '#',  '#',  '#',
    'a',  0xDF, 'G',  'p',  'S',  's',  0xB5, 't',  'F',  'T',  'O',  'd',  '?',  'f',  'e',  '?',
    '=',  0xB1, '>',  '<',  '?',  '?',  0xF7, '~',  0xB0, 0xB7, 0xB7, '?',  'n',  0xB2, '#',  0xA0,
};

// ANSEL spacing characters 0xA0-0xDF as code page 1252 (0 = not defined).
constexpr Byte kAnselSpacing[64] = {
    0,    'L', 0xD8, 'D',  0xDE, 0xC6, 0x8C, '\'', 0xB7, 'b',  0xAE, 0xB1, 'O', 'U', '\'', 0,
    '\'', 'l', 0xF8, 'd',  0xFE, 0xE6, 0x9C, '"',  'i',  0xA3, 0xF0, 0,    'o', 'u', 0,    0,
    0xB0, 'l', 'P',  0xA9, '#',  0xBF, 0xA1, 0xDF, 0x80, 0,    0,    0,    0,   'e', 'o',  0xDF,
    0,    0,   0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,   0,   0,    0,
};

// The ANSEL combining marks 0xE0-0xFE (placed before their letter).
constexpr Mark kAnselMarks[31] = {
    kOtherMark, kGrave,     kAcute,     kCircumflex, kTilde,     kOtherMark, kOtherMark, kOtherMark,
    kDiaeresis, kCaron,     kRing,      kOtherMark,  kOtherMark, kOtherMark, kOtherMark, kOtherMark,
    kCedilla,   kOtherMark, kOtherMark, kOtherMark,  kOtherMark, kOtherMark, kOtherMark, kOtherMark,
    kOtherMark, kOtherMark, kOtherMark, kOtherMark,  kOtherMark, kOtherMark, kOtherMark,
};
constexpr Byte kAnselMarkByte[kMarkCount] = {0xE1, 0xE2, 0xE3, 0xE4, 0xE8, 0xEA, 0xF0, 0xE9};

// Plain letters of Latin Extended-A (U+0100-U+017F); the letters code page
// 1252 has are set apart in kLatinExtendedAIn1252.
constexpr char kLatinExtendedA[] =
    "AaAaAaCcCcCcCcDd"
    "DdEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIi"
    "IiJjJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOo"
    "OoOoRrRrRrSsSsSs"
    "SsTtTtTtUuUuUuUu"
    "UuUuWwYyYZzZzZzs";
constexpr std::pair<char16_t, Byte> kLatinExtendedAIn1252[] = {
    {0x0152, 0x8C}, {0x0153, 0x9C}, {0x0160, 0x8A}, {0x0161, 0x9A},
    {0x0178, 0x9F}, {0x017D, 0x8E}, {0x017E, 0x9E},
};

// Plain letters of Latin Extended Additional (U+1E00-U+1EFF).
constexpr char kLatinExtendedAdditional[] =
    "AaBbBbBbCcDdDdDd"
    "DdDdEeEeEeEeEeFf"
    "GgHhHhHhHhHhIiIi"
    "KkKkKkLlLlLlLlMm"
    "MmMmNnNnNnNnOoOo"
    "OoOoPpPpRrRrRrRr"
    "SsSsSsSsSsTtTtTt"
    "TtUuUuUuUuUuVvVv"
    "WwWwWwWwWwXxXxYy"
    "ZzZzZzhtwyasssSd"
    "AaAaAaAaAaAaAaAa"
    "AaAaAaAaEeEeEeEe"
    "EeEeEeEeIiIiOoOo"
    "OoOoOoOoOoOoOoOo"
    "OoOoUuUuUuUuUuUu"
    "UuYyYyYyYyLlVvYy";

static_assert(sizeof kLatinExtendedA == 128 + 1);
static_assert(sizeof kLatinExtendedAdditional == 256 + 1);

// Single letters of Latin Extended-B (U+0180-U+024F) and their plain letters.
constexpr std::pair<char16_t, char> kLatinExtendedB[] = {
    {0x0180, 'b'}, {0x0181, 'B'}, {0x0187, 'C'}, {0x0188, 'c'}, {0x0189, 'D'}, {0x018A, 'D'},
    {0x0191, 'F'}, {0x0193, 'G'}, {0x0197, 'I'}, {0x0198, 'K'}, {0x0199, 'k'}, {0x019A, 'l'},
    {0x019D, 'N'}, {0x019E, 'n'}, {0x019F, 'O'}, {0x01A0, 'O'}, {0x01A1, 'o'}, {0x01A4, 'P'},
    {0x01A5, 'p'}, {0x01AB, 't'}, {0x01AC, 'T'}, {0x01AD, 't'}, {0x01AE, 'T'}, {0x01AF, 'U'},
    {0x01B0, 'u'}, {0x01B2, 'V'}, {0x01B3, 'Y'}, {0x01B4, 'y'}, {0x01B5, 'Z'}, {0x01B6, 'z'},
    {0x01CD, 'A'}, {0x01CE, 'a'}, {0x01CF, 'I'}, {0x01D0, 'i'}, {0x01D1, 'O'}, {0x01D2, 'o'},
    {0x01D3, 'U'}, {0x01D4, 'u'}, {0x01D5, 'U'}, {0x01D6, 'u'}, {0x01D7, 'U'}, {0x01D8, 'u'},
    {0x01D9, 'U'}, {0x01DA, 'u'}, {0x01DB, 'U'}, {0x01DC, 'u'}, {0x01DE, 'A'}, {0x01DF, 'a'},
    {0x01E0, 'A'}, {0x01E1, 'a'}, {0x01E4, 'G'}, {0x01E5, 'g'}, {0x01E6, 'G'}, {0x01E7, 'g'},
    {0x01E8, 'K'}, {0x01E9, 'k'}, {0x01EA, 'O'}, {0x01EB, 'o'}, {0x01EC, 'O'}, {0x01ED, 'o'},
    {0x01EE, 'Z'}, {0x01EF, 'z'}, {0x01F0, 'j'}, {0x01F4, 'G'}, {0x01F5, 'g'}, {0x01F8, 'N'},
    {0x01F9, 'n'}, {0x01FA, 'A'}, {0x01FB, 'a'}, {0x0200, 'A'}, {0x0201, 'a'}, {0x0202, 'A'},
    {0x0203, 'a'}, {0x0204, 'E'}, {0x0205, 'e'}, {0x0206, 'E'}, {0x0207, 'e'}, {0x0208, 'I'},
    {0x0209, 'i'}, {0x020A, 'I'}, {0x020B, 'i'}, {0x020C, 'O'}, {0x020D, 'o'}, {0x020E, 'O'},
    {0x020F, 'o'}, {0x0210, 'R'}, {0x0211, 'r'}, {0x0212, 'R'}, {0x0213, 'r'}, {0x0214, 'U'},
    {0x0215, 'u'}, {0x0216, 'U'}, {0x0217, 'u'}, {0x0218, 'S'}, {0x0219, 's'}, {0x021A, 'T'},
    {0x021B, 't'}, {0x0237, 'j'},
};

// Code points that become something other than one byte or "?".
struct Special {
  char32_t codePoint;
  const char* text;  // at most as many bytes as the code point's UTF-8
};
constexpr Special kSpecials[] = {
    {0x0192, "\x83"}, {0x0132, "IJ"},   {0x0133, "ij"},   {0x01C4, "DZ"},   {0x01C5, "Dz"},
    {0x01C6, "dz"},   {0x01C7, "LJ"},   {0x01C8, "Lj"},   {0x01C9, "lj"},   {0x01CA, "NJ"},
    {0x01CB, "Nj"},   {0x01CC, "nj"},   {0x01F1, "DZ"},   {0x01F2, "Dz"},   {0x01F3, "dz"},
    {0x01E2, "\xC6"}, {0x01E3, "\xE6"}, {0x01FC, "\xC6"}, {0x01FD, "\xE6"}, {0x01FE, "\xD8"},
    {0x01FF, "\xF8"}, {0x02B9, "'"},    {0x02BA, "\""},   {0x02BB, "'"},    {0x02BC, "'"},
    {0x02BE, "'"},    {0x02BF, "'"},    {0x02C6, "\x88"}, {0x02C8, "'"},    {0x02DA, "\xB0"},
    {0x02DC, "\x98"}, {0x1E9E, "\xDF"}, {0x2002, " "},    {0x2003, " "},    {0x2004, " "},
    {0x2005, " "},    {0x2006, " "},    {0x2007, " "},    {0x2008, " "},    {0x2009, " "},
    {0x200A, " "},    {0x200B, ""},     {0x200C, ""},     {0x200D, ""},     {0x200E, ""},
    {0x200F, ""},     {0x2010, "-"},    {0x2011, "-"},    {0x2012, "-"},    {0x2013, "\x96"},
    {0x2014, "\x97"}, {0x2015, "\x97"}, {0x2018, "\x91"}, {0x2019, "\x92"}, {0x201A, "\x82"},
    {0x201B, "\x91"}, {0x201C, "\x93"}, {0x201D, "\x94"}, {0x201E, "\x84"}, {0x2020, "\x86"},
    {0x2021, "\x87"}, {0x2022, "\x95"}, {0x2026, "\x85"}, {0x2030, "\x89"}, {0x2032, "'"},
    {0x2033, "\""},   {0x2039, "\x8B"}, {0x203A, "\x9B"}, {0x2044, "/"},    {0x2060, ""},
    {0x20A4, "\xA3"}, {0x20AC, "\x80"}, {0x2116, "No"},   {0x2122, "\x99"}, {0x2212, "-"},
    {0xFB00, "ff"},   {0xFB01, "fi"},   {0xFB02, "fl"},   {0xFB03, "ffi"},  {0xFB04, "ffl"},
    {0xFEFF, ""},     {0xFFFD, "?"},
};

// Tables derived once from the lists above.
struct Tables {
  Byte compose[kMarkCount][128] = {};  // [mark][plain letter] -> letter, 0 none
  char baseOf[256] = {};               // letter -> plain letter, 0 for none
  int markOf[256] = {};                // letter -> its mark
  Byte plain[256] = {};                // plain letter or the byte itself
  Byte upper[256] = {};
  Byte toIbmPc[256] = {};         // 0: none
  Byte toAnselSpacing[256] = {};  // 0: none

  Tables() {
    for (int b = 0; b < 256; ++b) {
      plain[b] = static_cast<Byte>(b);
      upper[b] = static_cast<Byte>(b);
      markOf[b] = kNotAMark;
    }
    for (const Composition& c : kCompositions) {
      compose[c.mark][static_cast<Byte>(c.base)] = c.letter;
      baseOf[c.letter] = c.base;
      markOf[c.letter] = c.mark;
      plain[c.letter] = static_cast<Byte>(c.base);
    }
    for (const auto& [letter, base] : kPlainSpecials) plain[letter] = static_cast<Byte>(base);
    for (int b = 'a'; b <= 'z'; ++b) upper[b] = static_cast<Byte>(b - 32);
    for (int b = 0xE0; b <= 0xFE; ++b)
      if (b != 0xF7) upper[b] = static_cast<Byte>(b - 32);
    upper[0x9A] = 0x8A;
    upper[0x9C] = 0x8C;
    upper[0x9E] = 0x8E;
    upper[0xFF] = 0x9F;
    for (int b = 0; b < 128; ++b) {
      Byte shown = kIbmPcHigh[b];
      if (shown >= 0x80) toIbmPc[shown] = static_cast<Byte>(0x80 + b);
    }
    for (int b = 0; b < 64; ++b) {
      Byte shown = kAnselSpacing[b];
      if (shown >= 0x80) toAnselSpacing[shown] = static_cast<Byte>(0xA0 + b);
    }
    toAnselSpacing[0xD0] = 0xA3;  // capital eth is written as capital D with stroke
  }
};

const Tables& T() {
  static const Tables tables;
  return tables;
}

bool IsAsciiLetter(Byte b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }

bool AllAscii(std::string_view s) {
  const char* p = s.data();
  std::size_t n = s.size(), i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    if (word & 0x8080808080808080ull) return false;
  }
  for (; i < n; ++i)
    if (static_cast<Byte>(p[i]) & 0x80) return false;
  return true;
}

// The length of the valid UTF-8 sequence of two or more bytes at p (and its
// code point), or 0 when the bytes there are not one.
int Utf8Sequence(const Byte* p, std::size_t n, char32_t& cp) {
  Byte b = p[0];
  auto cont = [&](std::size_t i) { return i < n && (p[i] & 0xC0) == 0x80; };
  if (b >= 0xC2 && b <= 0xDF) {
    if (!cont(1)) return 0;
    cp = (char32_t(b & 0x1F) << 6) | (p[1] & 0x3F);
    return 2;
  }
  if (b >= 0xE0 && b <= 0xEF) {
    if (!cont(1) || !cont(2)) return 0;
    if (b == 0xE0 && p[1] < 0xA0) return 0;   // overlong
    if (b == 0xED && p[1] >= 0xA0) return 0;  // surrogate
    cp = (char32_t(b & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    return 3;
  }
  if (b >= 0xF0 && b <= 0xF4) {
    if (!cont(1) || !cont(2) || !cont(3)) return 0;
    if (b == 0xF0 && p[1] < 0x90) return 0;   // overlong
    if (b == 0xF4 && p[1] >= 0x90) return 0;  // beyond U+10FFFF
    cp = (char32_t(b & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) | (char32_t(p[2] & 0x3F) << 6) |
         (p[3] & 0x3F);
    return 4;
  }
  return 0;
}

Mark CombiningMark(char32_t cp) {
  switch (cp) {
    case 0x0300:
      return kGrave;
    case 0x0301:
      return kAcute;
    case 0x0302:
      return kCircumflex;
    case 0x0303:
      return kTilde;
    case 0x0308:
      return kDiaeresis;
    case 0x030A:
      return kRing;
    case 0x030C:
      return kCaron;
    case 0x0327:
      return kCedilla;
    default:
      break;
  }
  if ((cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x1AB0 && cp <= 0x1AFF) ||
      (cp >= 0x1DC0 && cp <= 0x1DFF) || (cp >= 0x20D0 && cp <= 0x20FF) ||
      (cp >= 0xFE20 && cp <= 0xFE2F))
    return kOtherMark;
  return kNotAMark;
}

// A code point (not a combining mark) as code page 1252: appended to out.
void AppendCodePoint(std::string& out, char32_t cp) {
  if (cp < 0x100) {
    out += static_cast<char>(cp);
    return;
  }
  if (cp <= 0x17F) {
    for (const auto& [code, letter] : kLatinExtendedAIn1252)
      if (code == cp) {
        out += static_cast<char>(letter);
        return;
      }
  }
  for (const Special& s : kSpecials)
    if (s.codePoint == cp) {
      out += s.text;
      return;
    }
  if (cp <= 0x17F) {
    out += kLatinExtendedA[cp - 0x100];
    return;
  }
  if (cp <= 0x24F) {
    for (const auto& [code, letter] : kLatinExtendedB)
      if (code == cp) {
        out += letter;
        return;
      }
  } else if (cp >= 0x1E00 && cp <= 0x1EFF) {
    out += kLatinExtendedAdditional[cp - 0x1E00];
    return;
  } else if (cp >= 0x02B0 && cp <= 0x02FF) {
    return;  // a spacing mark by itself: nothing to show
  }
  out += '?';
}

// Letters and marks being put together: a plain ASCII letter followed by
// exactly one mark that code page 1252 has a letter for becomes that letter;
// with any other mark, or more than one, the plain letter stays.
class Composer {
 public:
  explicit Composer(std::string& out) : out_(out) {}
  // Notes that the last byte appended is a letter marks may apply to.
  void Letter() {
    at_ = out_.size() - 1;
    base_ = out_.back();
    marks_ = 0;
  }
  void NotLetter() { at_ = std::string::npos; }
  void AddMark(Mark mark) {
    if (at_ == std::string::npos) return;
    ++marks_;
    Byte composed =
        marks_ == 1 && mark < kMarkCount ? T().compose[mark][static_cast<Byte>(base_)] : 0;
    out_[at_] = composed ? static_cast<char>(composed) : base_;
  }

 private:
  std::string& out_;
  std::size_t at_ = std::string::npos;
  char base_ = 0;
  int marks_ = 0;
};

void AppendFromUtf8(std::string& out, std::string_view raw) {
  const Byte* p = reinterpret_cast<const Byte*>(raw.data());
  std::size_t n = raw.size();
  Composer composer(out);
  for (std::size_t i = 0; i < n;) {
    Byte b = p[i];
    if (b < 0x80) {
      out += static_cast<char>(b);
      if (IsAsciiLetter(b))
        composer.Letter();
      else
        composer.NotLetter();
      ++i;
      continue;
    }
    char32_t cp = 0;
    int length = Utf8Sequence(p + i, n - i, cp);
    if (length == 0) {
      // Not UTF-8: most likely a code page 1252 byte in a mislabelled file.
      out += static_cast<char>(b);
      composer.NotLetter();
      ++i;
      continue;
    }
    i += static_cast<std::size_t>(length);
    Mark mark = CombiningMark(cp);
    if (mark != kNotAMark) {
      composer.AddMark(mark);
      continue;
    }
    AppendCodePoint(out, cp);
    composer.NotLetter();
  }
}

void AppendFromAnsel(std::string& out, std::string_view raw) {
  const Tables& t = T();
  int marks = 0;
  Mark first = kOtherMark;
  for (char ch : raw) {
    Byte b = static_cast<Byte>(ch);
    if (b >= 0xE0 && b <= 0xFE) {
      if (marks++ == 0) first = kAnselMarks[b - 0xE0];
      continue;
    }
    Byte shown;
    if (b < 0x80) {
      shown = b;
    } else if (b == 0x88 || b == 0x89 || b == 0x8D || b == 0x8E) {
      continue;  // non-sorting markers and joiners: nothing to show
    } else if (b >= 0xA0 && b <= 0xDF && kAnselSpacing[b - 0xA0]) {
      shown = kAnselSpacing[b - 0xA0];
    } else {
      shown = '?';
    }
    if (marks == 1 && first < kMarkCount && shown < 0x80 && t.compose[first][shown])
      shown = t.compose[first][shown];
    marks = 0;
    out += static_cast<char>(shown);
  }
}

void AppendFromIbmPc(std::string& out, std::string_view raw) {
  for (char ch : raw) {
    Byte b = static_cast<Byte>(ch);
    out += static_cast<char>(b < 0x80 ? b : kIbmPcHigh[b - 0x80]);
  }
}

// Code page 1252 text in ASCII: plain letters and plain punctuation, "?"
// for the rest.
char AsciiOf(Byte b) {
  if (b < 0x80) return static_cast<char>(b);
  Byte p = T().plain[b];
  if (p < 0x80) return static_cast<char>(p);
  for (const auto& [from, to] : kPlainPunctuation)
    if (from == b) return to;
  return '?';
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char ch : text) {
    Byte b = static_cast<Byte>(ch);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? char32_t(k1252High[b - 0x80]) : char32_t(b));
  }
  return out;
}

std::string ToAnsel(std::string_view text) {
  const Tables& t = T();
  std::string out;
  out.reserve(text.size() + 8);
  for (char ch : text) {
    Byte b = static_cast<Byte>(ch);
    if (b < 0x80) {
      out += ch;
    } else if (t.baseOf[b]) {
      out += static_cast<char>(kAnselMarkByte[t.markOf[b]]);
      out += t.baseOf[b];
    } else if (t.toAnselSpacing[b]) {
      out += static_cast<char>(t.toAnselSpacing[b]);
    } else {
      out += AsciiOf(b);
    }
  }
  return out;
}

std::string ToIbmPc(std::string_view text) {
  const Tables& t = T();
  std::string out(text);
  for (char& ch : out) {
    Byte b = static_cast<Byte>(ch);
    if (b < 0x80) continue;
    ch = t.toIbmPc[b] ? static_cast<char>(t.toIbmPc[b]) : AsciiOf(b);
  }
  return out;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() &&
         (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
    s.remove_suffix(1);
  return s;
}

}  // namespace

std::string_view CharSetName(CharSet charSet) {
  switch (charSet) {
    case CharSet::kUtf8:
      return "UTF-8";
    case CharSet::kAnsel:
      return "ANSEL";
    case CharSet::kIbmPc:
      return "IBMPC";
    case CharSet::kAscii:
      return "ASCII";
    case CharSet::kAnsi:
      break;
  }
  return "ANSI";
}

bool StartsWithByteOrderMark(std::string_view bytes) {
  return bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark;
}

// ---- Detection ----

void CharSetDetector::NoteHeaderChar(std::string_view value) {
  std::string name(TrimBlanks(value));
  UpperCaseProgramText(name);
  static constexpr std::pair<std::string_view, Declared> kNames[] = {
      {"UTF-8", Declared::kUtf8},        {"UTF8", Declared::kUtf8},
      {"ANSEL", Declared::kAnsel},       {"IBMPC", Declared::kIbmPc},
      {"IBM PC", Declared::kIbmPc},      {"IBM-PC", Declared::kIbmPc},
      {"IBM DOS", Declared::kIbmPc},     {"MSDOS", Declared::kIbmPc},
      {"MS-DOS", Declared::kIbmPc},      {"CP437", Declared::kIbmPc},
      {"IBM437", Declared::kIbmPc},      {"ANSI", Declared::kAnsi},
      {"WINDOWS", Declared::kAnsi},      {"IBM WINDOWS", Declared::kAnsi},
      {"IBM_WINDOWS", Declared::kAnsi},  {"CP1252", Declared::kAnsi},
      {"WINDOWS-1252", Declared::kAnsi}, {"ISO-8859-1", Declared::kAnsi},
      {"ISO8859-1", Declared::kAnsi},    {"ISO-8859-15", Declared::kAnsi},
      {"LATIN1", Declared::kAnsi},       {"LATIN-1", Declared::kAnsi},
      {"ASCII", Declared::kAscii},       {"US-ASCII", Declared::kAscii},
  };
  declared_ = Declared::kOther;
  for (const auto& [text, declared] : kNames)
    if (name == text) declared_ = declared;
}

bool CharSetDetector::NeedsText() const {
  if (byteOrderMark_ || invalid_) return false;
  return declared_ == Declared::kNone || declared_ == Declared::kAscii ||
         declared_ == Declared::kOther;
}

void CharSetDetector::NoteText(std::string_view bytes) {
  if (invalid_ || AllAscii(bytes)) return;
  const Byte* p = reinterpret_cast<const Byte*>(bytes.data());
  std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    char32_t cp;
    int length = Utf8Sequence(p + i, n - i, cp);
    if (length == 0) {
      invalid_ = true;
      return;
    }
    multibyte_ = true;
    i += static_cast<std::size_t>(length);
  }
}

SourceEncoding CharSetDetector::Result() const {
  SourceEncoding e;
  e.byteOrderMark = byteOrderMark_;
  if (byteOrderMark_) {
    e.charSet = CharSet::kUtf8;
    return e;
  }
  switch (declared_) {
    case Declared::kUtf8:
      e.charSet = CharSet::kUtf8;
      return e;
    case Declared::kAnsel:
      e.charSet = CharSet::kAnsel;
      return e;
    case Declared::kIbmPc:
      e.charSet = CharSet::kIbmPc;
      return e;
    case Declared::kAnsi:
      e.charSet = CharSet::kAnsi;
      return e;
    default:
      break;
  }
  if (!invalid_ && multibyte_)
    e.charSet = CharSet::kUtf8;
  else if (!invalid_ && declared_ == Declared::kAscii)
    e.charSet = CharSet::kAscii;
  else
    e.charSet = CharSet::kAnsi;
  return e;
}

SourceEncoding DetectEncoding(const LineNode* root, bool byteOrderMark, bool examineText) {
  CharSetDetector detector;
  detector.NoteByteOrderMark(byteOrderMark);
  if (!root) return detector.Result();
  static const int kTagCHAR = TagCodeOf("CHAR");
  for (const LineNode* line = root->firstChild; line; line = line->next) {
    if (line->tag != kTagHEAD) continue;
    if (const LineNode* c = FirstChild(line, kTagCHAR)) detector.NoteHeaderChar(c->Value());
    break;
  }
  const bool byText = detector.NeedsText();
  for (const LineNode* line = root->firstChild; line && examineText && detector.NeedsText();
       line = NextLine(root, line)) {
    detector.NoteText(line->Xref());
    detector.NoteText(line->Value());
  }
  SourceEncoding e = detector.Result();
  e.byText = byText;
  return e;
}

// ---- Conversions ----

void AppendProgramText(std::string& out, std::string_view raw, CharSet from) {
  if (from == CharSet::kAnsi || AllAscii(raw)) {
    out.append(raw);
    return;
  }
  switch (from) {
    case CharSet::kUtf8:
    case CharSet::kAscii:  // bytes beyond ASCII: read them as the likeliest, UTF-8 or 1252
      AppendFromUtf8(out, raw);
      return;
    case CharSet::kAnsel:
      AppendFromAnsel(out, raw);
      return;
    case CharSet::kIbmPc:
      AppendFromIbmPc(out, raw);
      return;
    case CharSet::kAnsi:
      break;
  }
  out.append(raw);
}

std::string ProgramText(std::string_view raw, CharSet from) {
  std::string out;
  out.reserve(raw.size());
  AppendProgramText(out, raw, from);
  return out;
}

std::string_view ProgramTextView(std::string_view raw, CharSet from, std::string& scratch) {
  if (from == CharSet::kAnsi || AllAscii(raw)) return raw;
  scratch.clear();
  AppendProgramText(scratch, raw, from);
  return scratch;
}

std::string FileText(std::string_view text, CharSet to) {
  if (to == CharSet::kAnsi || AllAscii(text)) return std::string(text);
  switch (to) {
    case CharSet::kUtf8:
      return ToUtf8(text);
    case CharSet::kAnsel:
      return ToAnsel(text);
    case CharSet::kIbmPc:
      return ToIbmPc(text);
    case CharSet::kAscii: {
      std::string out(text);
      for (char& ch : out) ch = AsciiOf(static_cast<Byte>(ch));
      return out;
    }
    case CharSet::kAnsi:
      break;
  }
  return std::string(text);
}

std::string Utf8FromProgramText(std::string_view text) { return FileText(text, CharSet::kUtf8); }
std::string IbmPcFromProgramText(std::string_view text) { return FileText(text, CharSet::kIbmPc); }

char UpperProgramChar(char c) { return static_cast<char>(T().upper[static_cast<Byte>(c)]); }

void UpperCaseProgramText(std::string& text) {
  const Tables& t = T();
  for (char& c : text) c = static_cast<char>(t.upper[static_cast<Byte>(c)]);
}

char PlainProgramChar(char c) { return static_cast<char>(T().plain[static_cast<Byte>(c)]); }
const unsigned char* PlainProgramTable() { return T().plain; }

int CompareProgramText(std::string_view a, std::string_view b) {
  const Tables& t = T();
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  int tie = 0;
  for (std::size_t i = 0; i < n; ++i) {
    Byte x = static_cast<Byte>(a[i]), y = static_cast<Byte>(b[i]);
    if (x == y) continue;
    Byte px = t.plain[x], py = t.plain[y];
    if (px != py) return px < py ? -1 : 1;
    if (!tie) tie = x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return tie;
}

int CompareProgramText(const char* a, const char* b) {
  const Tables& t = T();
  int tie = 0;
  for (;; ++a, ++b) {
    Byte x = static_cast<Byte>(*a), y = static_cast<Byte>(*b);
    if (x == y) {
      if (x == 0) return tie;
      continue;
    }
    // A text that ends first has a plain letter 0 there: it sorts first.
    Byte px = t.plain[x], py = t.plain[y];
    if (px != py) return px < py ? -1 : 1;
    if (!tie) tie = x < y ? -1 : 1;
  }
}

}  // namespace dv
