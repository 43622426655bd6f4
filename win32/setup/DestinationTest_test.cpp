#include "setup/DestinationTest.h"

#include "setup/SetupTestSupport.h"
#include "setup/SetupText.h"

namespace dv::win::setup {
namespace {

using test::Exists;
using test::SetupTest;

class DestinationTestTest : public SetupTest {};

TEST_F(DestinationTestTest, SeveralLevelsBelowAWritableFolderPassAndLeaveNothing) {
  std::string typed = dir_ + "\\Program Files\\My Dorvane\\v4";
  std::string clean;
  ASSERT_EQ(TestDestination(typed, clean), 0);
  EXPECT_EQ(clean, typed);
  EXPECT_FALSE(Exists(dir_ + "\\Program Files"));
  // The test folder holds nothing afterwards: no probe file, no folder.
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir_ + "\\*").c_str(), &found);
  int entries = 0;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name != "." && name != "..") ++entries;
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  EXPECT_EQ(entries, 0);
}

TEST_F(DestinationTestTest, AnExistingFolderPassesAndKeepsTheUsersFiles) {
  std::string folder = MakeFolder("Existing");
  ASSERT_TRUE(test::WriteText(folder + "\\opentemp.tmp", "the user's own file"));
  std::string clean;
  ASSERT_EQ(TestDestination(folder + "\\", clean), 0);
  EXPECT_EQ(clean, folder);
  EXPECT_EQ(test::ReadText(folder + "\\opentemp.tmp"), "the user's own file");
  EXPECT_TRUE(Exists(folder));
}

TEST_F(DestinationTestTest, UnusableDestinationsFail) {
  // A drive letter that is not mapped.
  DWORD drives = GetLogicalDrives();
  char letter = 'Q';
  while (letter > 'D' && (drives & (1u << (letter - 'A')))) --letter;
  ASSERT_FALSE(drives & (1u << (letter - 'A')));
  std::string missingDrive = std::string(1, letter) + ":\\Dorvane\\Program";
  // A level that cannot be created: a file stands where the folder would go.
  ASSERT_TRUE(test::WriteText(dir_ + "\\blocked", "x"));
  std::string underFile = dir_ + "\\blocked\\Dorvane";
  for (const std::string& typed :
       {missingDrive, underFile, std::string("Dorvane"), std::string("\\Dorvane"),
        dir_ + "\\..\\elsewhere", std::string()}) {
    std::string clean = "unchanged";
    EXPECT_EQ(TestDestination(typed, clean), dv::setup::kInvalidDirectory) << typed;
    EXPECT_EQ(clean, "unchanged");
  }
  EXPECT_FALSE(Exists(std::string(1, letter) + ":\\Dorvane"));
  EXPECT_EQ(test::ReadText(dir_ + "\\blocked"), "x");
}

}  // namespace
}  // namespace dv::win::setup
