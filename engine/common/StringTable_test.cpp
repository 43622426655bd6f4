#include "common/StringTable.h"

#include <gtest/gtest.h>

#include <set>

namespace dv {
namespace {

TEST(StringTable, QuotedTextsAreExact) {
  EXPECT_EQ(StringText(1), "Cannot allocate memory");
  EXPECT_EQ(StringText(117), "Undetermined error");
  EXPECT_EQ(StringText(135), "Save data to file?");
}

TEST(StringTable, IdsAreUniqueAndInRange) {
  std::set<int> seen;
  for (const auto& e : AllStrings()) {
    EXPECT_TRUE(seen.insert(e.id).second) << "id " << e.id << " repeats";
    EXPECT_GT(e.id, 0);
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
