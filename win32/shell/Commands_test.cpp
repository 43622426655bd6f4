#include "shell/Commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "resources/resource.h"
#include "shell/MainMenus.h"

namespace dv::win {
namespace {

// The menu as text, one line per item: indentation for popups, the text,
// and the command id ("-" for a separator).
void Describe(HMENU menu, int depth, std::string& out, std::set<int>& ids) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[256] = {};
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    out += std::string(depth * 2, ' ');
    if (HMENU sub = GetSubMenu(menu, i)) {
      out += std::string(text) + "\n";
      Describe(sub, depth + 1, out, ids);
      continue;
    }
    const UINT id = GetMenuItemID(menu, i);
    if (id == 0) {
      out += "-\n";
      continue;
    }
    ids.insert(static_cast<int>(id));
    out += std::string(text) + " = " + std::to_string(id) + "\n";
  }
}

class MainMenuResource : public ::testing::Test {
 protected:
  void SetUp() override {
    menu_ = LoadMenuA(GetModuleHandleA(nullptr), kMainMenuName);
    ASSERT_NE(menu_, nullptr);
    Describe(menu_, 0, text_, ids_);
  }
  void TearDown() override { DestroyMenu(menu_); }
  HMENU menu_ = nullptr;
  std::string text_;
  std::set<int> ids_;
};

TEST_F(MainMenuResource, ItemsAndCommands) {
  EXPECT_EQ(text_, R"(&File
  &New = 60
  &Open... = 1
  &View = 64
  &Extract... = 2
  E&dit... = 5
  &Save = 61
  Save &As... = 62
  &Close = 63
  E&xit = 10
&Charts
  &BirthBrief... = 3
  &Selective Tree... = 4
  &FullChart
    Bo&xChart... = 11
    &Tree... = 12
&Reports
  All &Individuals... = 35
  &Descendants... = 36
  &Ancestors... = 37
&Tools
  &Soundex Calculator... = 43
&Options
  &BirthBrief... = 6
  &Selective Tree... = 7
  &FullChart... = 14
  &Margins... = 13
  &Printer... = 9
  F&onts... = 16
  &Colours... = 34
  P&references... = 20
&Help
  &Help...	F1 = 17
  &Contents... = 19
  &About... = 8
)");
}

TEST_F(MainMenuResource, EveryItemHasACommandRow) {
  for (int id : ids_) EXPECT_NE(FindCommand(id), nullptr) << "menu id " << id;
}

TEST(CommandTable, IdsAreUniqueAndBelowLimit) {
  std::set<int> seen;
  for (const auto& entry : CommandTable()) {
    EXPECT_TRUE(seen.insert(entry.id).second) << entry.name;
    EXPECT_GT(entry.id, 0);
    EXPECT_LT(entry.id, IDM_LIMIT);
    EXPECT_NE(entry.handler, nullptr) << entry.name;
  }
}

TEST(CommandTable, ChartBarContextMenuAndRecentFilesHaveRows) {
  for (const auto& word : kChartBarWords)
    EXPECT_NE(FindCommand(word.command), nullptr) << word.text;
  for (int id : {201, 202, 204, 205, 206}) EXPECT_NE(FindCommand(id), nullptr) << id;
  for (int id = IDM_FILE_RECENT_FIRST; id <= IDM_FILE_RECENT_LAST; ++id)
    EXPECT_NE(FindCommand(id), nullptr) << id;
}

TEST(CommandTable, InternalCommandsHaveRows) {
  for (int id : {26, 28, 29, 30, 31, 32, 33, 50, 65, 66, 67, 68, 69, 70, 200, 207})
    EXPECT_NE(FindCommand(id), nullptr) << id;
}

TEST(CommandTable, UnknownIdsHaveNoRow) {
  for (int id : {0, 15, 18, 27, 203, 208, 1000}) EXPECT_EQ(FindCommand(id), nullptr) << id;
}

}  // namespace
}  // namespace dv::win
