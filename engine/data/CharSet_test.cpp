#include "data/CharSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "data/LineTree.h"
#include "data/RecordStore.h"
#include "data/TagTable.h"

namespace dv {
namespace {

// Program text is code page 1252; these are some of its letters.
constexpr const char* kEAcute = "\xE9";
constexpr const char* kIAcuteCapital = "\xCD";

std::string Shown(CharSet cs, std::string_view raw) { return ProgramText(raw, cs); }

// ---- Detection ----

SourceEncoding Detect(std::string_view charValue, std::string_view text, bool bom = false,
                      bool withChar = true) {
  CharSetDetector d;
  d.NoteByteOrderMark(bom);
  if (withChar) d.NoteHeaderChar(charValue);
  if (d.NeedsText()) d.NoteText(text);
  return d.Result();
}

TEST(CharSetDetection, TheHeadersCharLineNamesTheSet) {
  const std::string utf8Text =
      "Aml"
      "a\xC3\xAD"
      "b";
  EXPECT_EQ(Detect(" UTF-8", utf8Text).charSet, CharSet::kUtf8);
  EXPECT_EQ(Detect(" utf8 ", "").charSet, CharSet::kUtf8);
  EXPECT_EQ(Detect(" ANSEL", utf8Text).charSet, CharSet::kAnsel);
  EXPECT_EQ(Detect(" IBMPC", utf8Text).charSet, CharSet::kIbmPc);
  EXPECT_EQ(Detect(" IBM PC", "").charSet, CharSet::kIbmPc);
  EXPECT_EQ(Detect(" ANSI", utf8Text).charSet, CharSet::kAnsi);
  EXPECT_EQ(Detect(" WINDOWS", "").charSet, CharSet::kAnsi);
  EXPECT_EQ(Detect(" IBM WINDOWS", "").charSet, CharSet::kAnsi);
  EXPECT_EQ(Detect(" ISO-8859-1", "").charSet, CharSet::kAnsi);
}

TEST(CharSetDetection, AByteOrderMarkDecidesUtf8WhateverTheCharLineSays) {
  SourceEncoding e = Detect(" ANSI", "M\xFCller", true);
  EXPECT_EQ(e.charSet, CharSet::kUtf8);
  EXPECT_TRUE(e.byteOrderMark);
  EXPECT_FALSE(Detect(" UTF-8", "").byteOrderMark);
}

TEST(CharSetDetection, WithoutADecisiveCharLineValidUtf8DecidesElseCodePage1252) {
  const std::string utf8Text =
      "Aml"
      "a\xC3\xAD"
      "b";
  EXPECT_EQ(Detect("", utf8Text, false, false).charSet, CharSet::kUtf8);
  EXPECT_EQ(Detect("",
                   "Aml"
                   "a\xED"
                   "b",
                   false, false)
                .charSet,
            CharSet::kAnsi);
  EXPECT_EQ(Detect("", "Smith", false, false).charSet, CharSet::kAnsi);
  // ASCII is kept when the text holds nothing beyond it; UTF-8 text wins.
  EXPECT_EQ(Detect(" ASCII", "Smith").charSet, CharSet::kAscii);
  EXPECT_EQ(Detect(" ASCII", utf8Text).charSet, CharSet::kUtf8);
  EXPECT_EQ(Detect(" ASCII", "M\xFCller").charSet, CharSet::kAnsi);
  // Unknown names (UNICODE in an 8-bit file, MACINTOSH) let the text decide.
  EXPECT_EQ(Detect(" UNICODE", utf8Text).charSet, CharSet::kUtf8);
  EXPECT_EQ(Detect(" MACINTOSH", "M\xFCller").charSet, CharSet::kAnsi);
}

TEST(CharSetDetection, OneInvalidSequenceAnywhereRulesOutUtf8) {
  CharSetDetector d;
  d.NoteText(
      "Aml"
      "a\xC3\xAD"
      "b");
  EXPECT_TRUE(d.NeedsText());
  d.NoteText("\xC3");  // truncated
  EXPECT_FALSE(d.NeedsText());
  d.NoteText("\xC3\xA9");
  EXPECT_EQ(d.Result().charSet, CharSet::kAnsi);
  for (std::string_view bad :
       {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE0\x80\xAF", "\x80"}) {
    CharSetDetector one;
    one.NoteText(bad);
    EXPECT_EQ(one.Result().charSet, CharSet::kAnsi) << testing::PrintToString(std::string(bad));
  }
}

TEST(CharSetDetection, TheTreesFirstHeaderAndThenItsValuesAreRead) {
  RecordStore store;
  ASSERT_EQ(store.Start(), 0);
  LineBuilder b(store.Nodes(), store.Text(), store.Root());
  b.AppendLine(0, kTagHEAD, {}, {});
  b.AppendLine(1, kTagSOUR, {}, " X");
  b.AppendLine(0, kTagINDI, "@I1@", {});
  b.AppendLine(1, kTagNAME, {},
               " Zo\xC3\xAB /N\xC3\xBA\xC3\xB1"
               "ez/");
  EXPECT_EQ(DetectEncoding(store.Root(), false).charSet, CharSet::kUtf8);
  EXPECT_TRUE(DetectEncoding(store.Root(), false).byText);
  EXPECT_EQ(DetectEncoding(store.Root(), true).charSet, CharSet::kUtf8);
  EXPECT_TRUE(DetectEncoding(store.Root(), true).byteOrderMark);
  EXPECT_FALSE(DetectEncoding(store.Root(), true).byText);
  // Without reading the lines: undecided, read string by string as UTF-8
  // with the code page 1252 fallback.
  SourceEncoding quick = DetectEncoding(store.Root(), false, false);
  EXPECT_TRUE(quick.byText);
  EXPECT_EQ(quick.charSet, CharSet::kAnsi);
  EXPECT_EQ(ReadingSet(quick), CharSet::kUtf8);

  ASSERT_EQ(store.Start(), 0);
  LineBuilder c(store.Nodes(), store.Text(), store.Root());
  LineNode* head = c.AppendLine(0, kTagHEAD, {}, {});
  c.AppendLine(1, TagCodeOf("CHAR"), {}, " IBMPC");
  c.AppendLine(0, kTagINDI, "@I1@", {});
  c.AppendLine(1, kTagNAME, {}, " Zo\xC3\xAB");
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(DetectEncoding(store.Root(), false).charSet, CharSet::kIbmPc);
  EXPECT_FALSE(DetectEncoding(store.Root(), false, false).byText);
  EXPECT_EQ(ReadingSet(DetectEncoding(store.Root(), false, false)), CharSet::kIbmPc);
  EXPECT_EQ(DetectEncoding(nullptr, false).charSet, CharSet::kAnsi);
}

// ---- UTF-8 ----

TEST(CharSetUtf8, LettersOfCodePage1252ComeThroughAsTheirByte) {
  EXPECT_EQ(Shown(CharSet::kUtf8,
                  "Aml"
                  "a\xC3\xAD"
                  "b /Mac \xC3\x8Dmar/"),
            std::string("Aml") +
                "a\xED"
                "b /Mac " +
                kIAcuteCapital + "mar/");
  EXPECT_EQ(Shown(CharSet::kUtf8,
                  "\xC5\xA0"
                  "\xC5\x92"
                  "\xE2\x82\xAC"
                  "\xE2\x80\x9C"
                  "\xE2\x80\x93"
                  "\xC5\xB8"),
            "\x8A\x8C\x80\x93\x96\x9F");
  EXPECT_EQ(Shown(CharSet::kUtf8,
                  "Stra\xC3\x9F"
                  "e"),
            "Stra\xDF"
            "e");
}

TEST(CharSetUtf8, LettersCodePage1252LacksBecomeTheirPlainLetter) {
  EXPECT_EQ(Shown(CharSet::kUtf8, "\xC5\x81ukasz /Wa\xC5\x82\xC4\x99sa/"), "Lukasz /Walesa/");
  EXPECT_EQ(Shown(CharSet::kUtf8, "Nguy\xE1\xBB\x85n"), "Nguyen");
  EXPECT_EQ(Shown(CharSet::kUtf8,
                  "\xC8\x98tefan \xC8\x9A"
                  "epe\xC8\x99"),
            "Stefan Tepes");
  EXPECT_EQ(Shown(CharSet::kUtf8, "\xC5\x90z"), "Oz");
  EXPECT_EQ(Shown(CharSet::kUtf8, "\xC4\xB2sselmuiden"), "IJsselmuiden");
  // No plain letter: one "?" per character, never the bytes of the sequence.
  EXPECT_EQ(Shown(CharSet::kUtf8, "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"), "????");
  EXPECT_EQ(Shown(CharSet::kUtf8, "\xE6\x9D\x8E"), "?");
  EXPECT_EQ(Shown(CharSet::kUtf8, "\xF0\x9F\x98\x80"), "?");
}

TEST(CharSetUtf8, CombiningMarksJoinTheLetterBeforeThem) {
  EXPECT_EQ(Shown(CharSet::kUtf8,
                  "Rene\xCC\x81"
                  "e"),
            std::string("Ren") + kEAcute + "e");
  EXPECT_EQ(Shown(CharSet::kUtf8, "Lefe\xCC\x80vre"), "Lef\xE8vre");
  EXPECT_EQ(Shown(CharSet::kUtf8,
                  "C\xCC\xA7"
                  "a"),
            "\xC7"
            "a");
  // A mark 1252 has no letter for, or two marks, leave the plain letter.
  EXPECT_EQ(Shown(CharSet::kUtf8, "e\xCC\xA8"), "e");
  EXPECT_EQ(Shown(CharSet::kUtf8, "e\xCC\x82\xCC\x81"), "e");
  // A mark with no letter before it is dropped.
  EXPECT_EQ(Shown(CharSet::kUtf8,
                  "\xCC\x81"
                  "a"),
            "a");
  EXPECT_EQ(Shown(CharSet::kUtf8, " \xCC\x81"), " ");
  EXPECT_EQ(Shown(CharSet::kUtf8, "\xC3\xA9\xCC\x81"), kEAcute);
}

TEST(CharSetUtf8, BytesThatAreNotUtf8AreReadAsCodePage1252) {
  EXPECT_EQ(Shown(CharSet::kUtf8, "M\xFCller"), "M\xFCller");
  EXPECT_EQ(Shown(CharSet::kUtf8, "end\xC3"), "end\xC3");
  EXPECT_EQ(Shown(CharSet::kUtf8, "\xE2\x82"), "\xE2\x82");
  EXPECT_EQ(Shown(CharSet::kUtf8, "\xC0\x80"), "\xC0\x80");
  EXPECT_EQ(Shown(CharSet::kUtf8, "\xED\xA0\x80"), "\xED\xA0\x80");
  // Invisible characters disappear.
  EXPECT_EQ(Shown(CharSet::kUtf8,
                  "a\xEF\xBB\xBF"
                  "b\xE2\x80\x8B"
                  "c"),
            "abc");
}

TEST(CharSetUtf8, PlainAsciiAndCodePage1252TextAreNotCopied) {
  std::string scratch;
  std::string_view raw = "John /Smith/";
  EXPECT_EQ(ProgramTextView(raw, CharSet::kUtf8, scratch).data(), raw.data());
  std::string_view ansi = "M\xFCller";
  EXPECT_EQ(ProgramTextView(ansi, CharSet::kAnsi, scratch).data(), ansi.data());
  std::string_view utf = "M\xC3\xBCller";
  EXPECT_EQ(ProgramTextView(utf, CharSet::kUtf8, scratch), "M\xFCller");
}

// ---- ANSEL ----

TEST(CharSetAnsel, MarksStandBeforeTheirLetter) {
  EXPECT_EQ(Shown(CharSet::kAnsel,
                  "Bj\xE8orn /\xEA"
                  "Angstr\xE8om/"),
            "Bj\xF6rn /\xC5ngstr\xF6m/");
  EXPECT_EQ(Shown(CharSet::kAnsel, "N\xE2u\xE4nez"),
            "N\xFA\xF1"
            "ez");
  EXPECT_EQ(Shown(CharSet::kAnsel, "\xE9S\xE9z"), "\x8A\x9E");
  EXPECT_EQ(Shown(CharSet::kAnsel,
                  "\xF0"
                  "c"),
            "\xE7");
}

TEST(CharSetAnsel, SpacingLettersAndSigns) {
  EXPECT_EQ(Shown(CharSet::kAnsel,
                  "\xA1ukasz /Wa\xB1\xF1"
                  "esa/"),
            "Lukasz /Walesa/");
  EXPECT_EQ(Shown(CharSet::kAnsel, "\xA5\xB5\xA2\xB2\xA6\xB6"), "\xC6\xE6\xD8\xF8\x8C\x9C");
  EXPECT_EQ(Shown(CharSet::kAnsel,
                  "\xB9"
                  "5 \xC3 \xC0 \xCF"),
            "\xA3"
            "5 \xA9 \xB0 \xDF");
}

TEST(CharSetAnsel, StrayMarksAndUndefinedBytes) {
  EXPECT_EQ(Shown(CharSet::kAnsel, "abc\xE2"), "abc");  // mark at the end
  EXPECT_EQ(Shown(CharSet::kAnsel, "\xE2 x"), " x");    // mark before a space
  EXPECT_EQ(Shown(CharSet::kAnsel,
                  "\xE3\xE2"
                  "e"),
            "e");  // two marks
  EXPECT_EQ(Shown(CharSet::kAnsel,
                  "\xE5"
                  "a"),
            "a");  // macron: 1252 has no such letter
  EXPECT_EQ(Shown(CharSet::kAnsel,
                  "\xE2"
                  "5"),
            "5");  // acute on a digit
  EXPECT_EQ(Shown(CharSet::kAnsel,
                  "a\x88"
                  "b\x89"
                  "c"),
            "abc");  // sorting markers
  EXPECT_EQ(Shown(CharSet::kAnsel, "\x80\xA0\xD5\xFF"), "????");
}

// ---- IBM PC ----

TEST(CharSetIbmPc, LettersSignsAndLineDrawing) {
  EXPECT_EQ(Shown(CharSet::kIbmPc,
                  "Bj\x94rn /\x8F"
                  "ngstr\x94m/"),
            "Bj\xF6rn /\xC5ngstr\xF6m/");
  EXPECT_EQ(Shown(CharSet::kIbmPc,
                  "M\xA0laga, Espa\xA4"
                  "a"),
            "M\xE1laga, Espa\xF1"
            "a");
  EXPECT_EQ(Shown(CharSet::kIbmPc,
                  "Stra\xE1"
                  "e \x9C \xF8 \xE6"),
            "Stra\xDF"
            "e \xA3 \xB0 \xB5");
  EXPECT_EQ(Shown(CharSet::kIbmPc, "\xDA\xC4\xBF\xB3\xC0\xD9\xCD\xB0"), "+-+|++=#");
}

// ---- Program text back to file text ----

TEST(CharSetFileText, Utf8RoundTripsEveryCharacterOfCodePage1252) {
  std::string all;
  for (int b = 0x20; b < 0x100; ++b) all += static_cast<char>(b);
  std::string utf8 = FileText(all, CharSet::kUtf8);
  EXPECT_NE(utf8, all);
  EXPECT_EQ(ProgramText(utf8, CharSet::kUtf8), all);
  EXPECT_EQ(FileText("Aml"
                     "a\xED"
                     "b",
                     CharSet::kUtf8),
            "Aml"
            "a\xC3\xAD"
            "b");
  EXPECT_EQ(FileText("\x80", CharSet::kUtf8), "\xE2\x82\xAC");
  EXPECT_EQ(Utf8FromProgramText("\x93Zo\xEB\x94"), "\xE2\x80\x9CZo\xC3\xAB\xE2\x80\x9D");
}

TEST(CharSetFileText, AnselPutsTheMarkBeforeTheLetterAndRoundTrips) {
  EXPECT_EQ(FileText("Bj\xF6rn", CharSet::kAnsel), "Bj\xE8orn");
  EXPECT_EQ(FileText("\xC6"
                     "ther \xDF",
                     CharSet::kAnsel),
            "\xA5ther \xCF");
  std::string letters;
  for (int b = 0x80; b < 0x100; ++b) {
    std::string one(1, static_cast<char>(b));
    std::string ansel = FileText(one, CharSet::kAnsel);
    if (ProgramText(ansel, CharSet::kAnsel) == one) letters += one;
  }
  // Every letter with a mark, and the special letters, survive the round trip.
  for (const char* l : {"\xC0", "\xC9", "\xD1", "\xDC", "\xE7", "\xFF", "\x8A", "\x9E", "\xC6",
                        "\xD8", "\xDE", "\xF0", "\x8C", "\xDF", "\xA3", "\xA9"})
    EXPECT_NE(letters.find(l), std::string::npos) << int(static_cast<unsigned char>(*l));
  // What ANSEL lacks: the plain letter or ASCII punctuation, else "?".
  EXPECT_EQ(FileText("\x93"
                     "a\x94 \x96 \xBD",
                     CharSet::kAnsel),
            "\"a\" - ?");
}

TEST(CharSetFileText, IbmPcAndAscii) {
  EXPECT_EQ(FileText("Bj\xF6rn \xC5", CharSet::kIbmPc), "Bj\x94rn \x8F");
  EXPECT_EQ(FileText("\xCDmar \xC3", CharSet::kIbmPc), "Imar A");  // 437 has neither
  EXPECT_EQ(IbmPcFromProgramText("\xB0\xA3"), "\xF8\x9C");
  EXPECT_EQ(FileText("Bj\xF6rn \x93"
                     "x\x94 \x80",
                     CharSet::kAscii),
            "Bjorn \"x\" ?");
  EXPECT_EQ(FileText("M\xFCller", CharSet::kAnsi), "M\xFCller");
}

// ---- Case, plain letters, order ----

TEST(CharSetProgramText, UpperCaseCoversTheAccentedLetters) {
  std::string s =
      "\xEDmar n\xFA\xF1"
      "ez \xFF \x9A\x9C\x9E \xDF \xB5 \xF7";
  UpperCaseProgramText(s);
  EXPECT_EQ(s,
            "\xCDMAR N\xDA\xD1"
            "EZ \x9F \x8A\x8C\x8E \xDF \xB5 \xF7");
  EXPECT_EQ(UpperProgramChar('a'), 'A');
  EXPECT_EQ(PlainProgramChar('\xE9'), 'e');
  EXPECT_EQ(PlainProgramChar('\xD8'), 'O');
  EXPECT_EQ(PlainProgramChar('-'), '-');
}

TEST(CharSetProgramText, LettersWithMarksSortBesideTheirPlainLetters) {
  std::vector<std::string> names = {"JONES", "\xCDMAR",        "IMAR",     "ZYLKA",
                                    "IMBER", "\xC5NGSTR\xD6M", "ANGSTROM", "ANGUS"};
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return ProgramTextBefore(a, b); });
  EXPECT_EQ(names, (std::vector<std::string>{"ANGSTROM", "\xC5NGSTR\xD6M", "ANGUS", "IMAR",
                                             "\xCDMAR", "IMBER", "JONES", "ZYLKA"}));
  EXPECT_EQ(CompareProgramText("abc", "abc"), 0);
  EXPECT_NE(CompareProgramText("\xCDmar", "Imar"), 0);
}

TEST(CharSetProgramText, PlainAsciiOrdersByteByByte) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> letter(0x20, 0x7E), length(0, 6);
  for (int i = 0; i < 2000; ++i) {
    std::string a, b;
    for (int n = length(rng); n > 0; --n) a += static_cast<char>(letter(rng));
    for (int n = length(rng); n > 0; --n) b += static_cast<char>(letter(rng));
    int expected = a.compare(b);
    expected = expected < 0 ? -1 : expected > 0 ? 1 : 0;
    ASSERT_EQ(CompareProgramText(a, b), expected) << a << " | " << b;
  }
}

TEST(CharSetProgramText, TheOrderIsTotalOnAnyBytes) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> byte(1, 255), length(0, 4);
  for (int i = 0; i < 2000; ++i) {
    std::string a, b;
    for (int n = length(rng); n > 0; --n) a += static_cast<char>(byte(rng));
    for (int n = length(rng); n > 0; --n) b += static_cast<char>(byte(rng));
    ASSERT_EQ(CompareProgramText(a, b), -CompareProgramText(b, a));
    ASSERT_EQ(CompareProgramText(a, b) == 0, a == b);
    // The form for NUL-terminated keys gives the same order.
    ASSERT_EQ(CompareProgramText(a.c_str(), b.c_str()), CompareProgramText(a, b));
  }
}

TEST(CharSetProgramText, ConversionNeverLengthensTextNorAddsNul) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> byte(1, 255), length(0, 40);
  for (CharSet cs : {CharSet::kUtf8, CharSet::kAnsel, CharSet::kIbmPc, CharSet::kAscii}) {
    for (int i = 0; i < 3000; ++i) {
      std::string raw;
      for (int n = length(rng); n > 0; --n) raw += static_cast<char>(byte(rng));
      std::string shown = ProgramText(raw, cs);
      ASSERT_LE(shown.size(), raw.size());
      ASSERT_EQ(shown.find('\0'), std::string::npos);
    }
  }
}

TEST(CharSetProgramText, NamesOfTheSets) {
  EXPECT_EQ(CharSetName(CharSet::kUtf8), "UTF-8");
  EXPECT_EQ(CharSetName(CharSet::kAnsel), "ANSEL");
  EXPECT_EQ(CharSetName(CharSet::kIbmPc), "IBMPC");
  EXPECT_EQ(CharSetName(CharSet::kAnsi), kProgramCharName);
  EXPECT_EQ(kProgramCodePage, 1252);
  EXPECT_TRUE(
      StartsWithByteOrderMark("\xEF\xBB\xBF"
                              "0 HEAD"));
  EXPECT_FALSE(StartsWithByteOrderMark("\xEF\xBB"));
}

}  // namespace
}  // namespace dv
