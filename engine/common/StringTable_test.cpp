#include "common/StringTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace dv {
namespace {

TEST(StringTable, MessagesAreExact) {
  EXPECT_EQ(StringText(1), "Cannot allocate memory");
  EXPECT_EQ(StringText(2), "Cannot open file");
  EXPECT_EQ(StringText(22), "Edit control out of space");
  EXPECT_EQ(StringText(110), "Cannot display");
  EXPECT_EQ(StringText(115), "Error in GEDCOM file");
  EXPECT_EQ(StringText(116), "Maximum 31 characters per generation");
  EXPECT_EQ(StringText(117), "Undetermined error");
  EXPECT_EQ(StringText(134), "This will close your current data source");
  EXPECT_EQ(StringText(135), "Save data to file?");
  EXPECT_EQ(StringText(225), "You cannot add images to this chart.");
  EXPECT_EQ(StringText(251), "Combine sources with same title, on conversion to records");
}

// Texts that a name, a number or a list is appended to keep their trailing
// blanks, and doubled blanks stay doubled.
TEST(StringTable, PrefixTextsKeepTheirBlanks) {
  EXPECT_EQ(StringText(10), "Reference number not found: ");
  EXPECT_EQ(StringText(37), "Manual editing required, name cannot be truncated automatically: ");
  EXPECT_EQ(StringText(58), "Too many multiple marriages:  maximum 12.");
  EXPECT_EQ(StringText(63), "Error:  procedure failed");
  EXPECT_EQ(StringText(64), "Is this a GEDCOM file?  -  ");
  EXPECT_EQ(StringText(70), "Show descent from: ");
  EXPECT_EQ(StringText(71), "Notepad ");
  EXPECT_EQ(StringText(61), "Data will be appended to file ");
  EXPECT_EQ(StringText(62), ", or will replace existing manual format data.");
  EXPECT_EQ(MessageText(10, "I23"), "Reference number not found: I23");
}

TEST(StringTable, LineBreaksAndQuotesAreDecoded) {
  EXPECT_EQ(StringText(253),
            "You must reload your data from the file\r\nfor this change to take effect.");
  EXPECT_EQ(StringText(86),
            "You have chosen to display marriages by '='.\n\r\n"
            "This character may not be displayed correctly on the screen by Windows \r\n"
            "when the screen font is very small.\n\r\nThis does not affect printing.");
  EXPECT_EQ(StringText(144),
            "This chart is formatted with page breaks.\n\n"
            " You may obtain better results and smaller charts\r\n"
            "by choosing the \"No page breaks\" option before\n"
            " generating the chart.\n\r\nDo you wish to continue?");
  EXPECT_EQ(StringText(145),
            "This chart is formatted without page breaks, and may not print \r\n"
            "correctly.\n\nDo you wish to continue?");
  EXPECT_EQ(CEscape(StringText(180)),
            R"(.\n\nIt may not be possible to print the chart after changing\r\n)"
            R"(the printer.  If not, you will need to select the printer\r\n)"
            R"(before producing the chart.)");
}

TEST(StringTable, PaperNamesAndMenuTexts) {
  EXPECT_EQ(StringText(3), "ISO A4");
  EXPECT_EQ(StringText(9), "ANSI E");
  EXPECT_EQ(StringText(18), "User-defined");
  EXPECT_EQ(StringText(89), "Unrecognized");
  EXPECT_EQ(StringText(93), "ISO A0");
  EXPECT_EQ(StringText(87), "Portrait");
  EXPECT_EQ(StringText(88), "Landscape");
  EXPECT_EQ(StringText(45), "Birth Brief");
  EXPECT_EQ(StringText(46), "Tree");
  EXPECT_EQ(StringText(107), "LastFile");
  EXPECT_EQ(StringText(166), "Switch to view mode");
  EXPECT_EQ(StringText(171), "Display help");
  EXPECT_EQ(StringText(181), "Insert &Image...");
  EXPECT_EQ(StringText(186), "Delete Te&xt");
  // The context menu's third item is a separator, not a text.
  EXPECT_EQ(StringText(183), "");
}

// A file-dialog filter is description|pattern pairs, the last character being
// the separator that stands for the NUL after the last pattern.
TEST(StringTable, FileFiltersEndWithTheSeparatorAndPairUp) {
  EXPECT_EQ(StringText(141), "Gedcom files (*.GED)|*.ged|");
  for (int id : {141, 142, 227, 300}) {
    std::string_view f = StringText(id);
    ASSERT_FALSE(f.empty()) << "id " << id;
    EXPECT_EQ(f.back(), '|') << "id " << id;
    std::size_t bars = 0;
    for (char c : f) bars += c == '|';
    EXPECT_EQ(bars % 2, 0u) << "id " << id;
  }
  EXPECT_EQ(StringText(227).substr(0, 25), "JPEG files (*.JPG)|*.jpg|");
}

TEST(StringTable, IdsAreUniqueAndInRange) {
  std::set<int> seen;
  for (const auto& e : AllStrings()) {
    EXPECT_TRUE(seen.insert(e.id).second) << "id " << e.id << " repeats";
    EXPECT_GT(e.id, 0);
    EXPECT_TRUE(e.id <= kLastMessageId || e.id >= kFirstLabelId) << "id " << e.id;
    EXPECT_FALSE(e.text.empty()) << "id " << e.id;
  }
}

TEST(StringTable, MessageTextFallsBackAndAppendsSuffix) {
  EXPECT_EQ(MessageText(0), "Undetermined error");
  EXPECT_EQ(MessageText(259), "Undetermined error");
  EXPECT_EQ(MessageText(2, "C:\\X.GED"), "Cannot open file" "C:\\X.GED");
  EXPECT_EQ(StringText(99999), "");
}

TEST(StringTable, CEscapeEscapesControlCharacters) {
  EXPECT_EQ(CEscape("a\\b\r\n\tc"), "a\\\\b\\r\\n\\tc");
}

}  // namespace
}  // namespace dv
