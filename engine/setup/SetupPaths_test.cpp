#include "setup/SetupPaths.h"

#include <gtest/gtest.h>

#include "setup/SetupText.h"

namespace dv::setup {
namespace {

TEST(SetupPaths, ModeComesFromTheOwnFileName) {
  EXPECT_TRUE(IsUninstallerPath("C:\\Program Files\\Dorvane\\uninstdv.exe"));
  EXPECT_TRUE(IsUninstallerPath("C:\\Program Files\\Dorvane\\UNINSTDV.EXE"));
  EXPECT_TRUE(IsUninstallerPath("d:/x/UnInstDv.Exe"));
  EXPECT_TRUE(IsUninstallerPath("uninstdv.exe"));
  EXPECT_FALSE(IsUninstallerPath("C:\\Dist\\setup.exe"));
  EXPECT_FALSE(IsUninstallerPath("C:\\Dist\\uninstdv.exe.bak"));
  EXPECT_FALSE(IsUninstallerPath("C:\\uninstdv.exe\\setup.exe"));
  EXPECT_FALSE(IsUninstallerPath("C:\\Dist\\uninstdv2.exe"));
}

TEST(SetupPaths, FoldersAndJoins) {
  EXPECT_EQ(FolderOf("C:\\Program Files\\Dorvane\\setup.exe"), "C:\\Program Files\\Dorvane");
  EXPECT_EQ(FolderOf("setup.exe"), "");
  EXPECT_EQ(JoinPath("C:\\Dorvane", "dorvane.exe"), "C:\\Dorvane\\dorvane.exe");
  EXPECT_EQ(JoinPath("C:\\", "dorvane.exe"), "C:\\dorvane.exe");
}

std::string Clean(std::string_view text) {
  std::string out = "unchanged";
  return NormalizeDestination(text, out) == 0 ? out : "invalid";
}

TEST(SetupPaths, DestinationsAreCleaned) {
  EXPECT_EQ(Clean("C:\\Program Files\\Dorvane"), "C:\\Program Files\\Dorvane");
  EXPECT_EQ(Clean("  c:/Program Files//Dorvane\\\\ "), "c:\\Program Files\\Dorvane");
  EXPECT_EQ(Clean("D:\\"), "D:\\");
  EXPECT_EQ(Clean("\\\\server\\share\\Dorvane\\"), "\\\\server\\share\\Dorvane");
  EXPECT_EQ(Clean("\\\\server\\share"), "\\\\server\\share");
}

// Only absolute paths with names Windows can create are accepted; the
// caller's buffer is left alone when the path is refused.
TEST(SetupPaths, DestinationsThatAreRefused) {
  for (std::string_view bad : {"",
                               "   ",
                               "Dorvane",
                               "Program Files\\Dorvane",
                               "\\Dorvane",
                               "C:",
                               "C:Dorvane",
                               "1:\\Dorvane",
                               "C:\\Program Files\\..\\Windows",
                               "C:\\a\\.\\b",
                               "C:\\a:b",
                               "C:\\a*",
                               "C:\\a?",
                               "C:\\a|b",
                               "C:\\a<b>",
                               "C:\\\"a\"",
                               "C:\\name.",
                               "C:\\name \\x",
                               "\\\\server",
                               "\\\\server\\",
                               "\\\\\\share",
                               "C:\\tab\there"}) {
    std::string out = "unchanged";
    EXPECT_EQ(NormalizeDestination(bad, out), kInvalidDirectory) << bad;
    EXPECT_EQ(out, "unchanged") << bad;
  }
}

// Every installed file must still fit a path buffer below the destination.
TEST(SetupPaths, DestinationLengthLeavesRoomForTheFiles) {
  std::string longest = "C:\\" + std::string(200, 'a');
  std::string out;
  EXPECT_EQ(NormalizeDestination(longest, out), 0);
  EXPECT_EQ(NormalizeDestination("C:\\" + std::string(256, 'a'), out), kInvalidDirectory);
  EXPECT_EQ(NormalizeDestination("C:\\" + std::string(240, 'a'), out), kInvalidDirectory);
}

TEST(SetupPaths, AncestorsRunUpToTheRoot) {
  EXPECT_EQ(DestinationAncestors("C:\\Program Files\\Dorvane"),
            (std::vector<std::string>{"C:\\Program Files\\Dorvane", "C:\\Program Files", "C:\\"}));
  EXPECT_EQ(DestinationAncestors("C:\\"), (std::vector<std::string>{"C:\\"}));
  EXPECT_EQ(
      DestinationAncestors("\\\\srv\\share\\a\\b"),
      (std::vector<std::string>{"\\\\srv\\share\\a\\b", "\\\\srv\\share\\a", "\\\\srv\\share"}));
  EXPECT_TRUE(DestinationAncestors("relative\\path").empty());
}

TEST(SetupPaths, ProgramFolderNames) {
  std::string out;
  EXPECT_EQ(CheckProgramFolderName("  Dorvane ", out), 0);
  EXPECT_EQ(out, "Dorvane");
  EXPECT_EQ(CheckProgramFolderName("Family History", out), 0);
  EXPECT_EQ(out, "Family History");
  for (std::string_view bad : {"", "  ", ".", "..", "..\\Startup", "a..b", "Start\\Up", "Start/Up",
                               "C:Dorvane", "what?", "a*", "name.", "<x>"}) {
    out = "unchanged";
    EXPECT_EQ(CheckProgramFolderName(bad, out), kInvalidProgramFolder) << bad;
    EXPECT_EQ(out, "unchanged");
  }
}

// The paths the registry gets are quoted: the default destination has a blank.
TEST(SetupPaths, RegistryTextsQuoteThePaths) {
  EXPECT_EQ(OpenCommand(kDefaultDestination), "\"C:\\Program Files\\Dorvane\\dorvane.exe\" \"%1\"");
  EXPECT_EQ(UninstallCommand(kDefaultDestination), "\"C:\\Program Files\\Dorvane\\uninstdv.exe\"");
  EXPECT_EQ(IconLocation(kDefaultDestination), "C:\\Program Files\\Dorvane\\dorvane.exe,0");
  EXPECT_EQ(OpenCommand("D:\\"), "\"D:\\dorvane.exe\" \"%1\"");
}

}  // namespace
}  // namespace dv::setup
