#include "setup/SetupText.h"

#include <gtest/gtest.h>

namespace dv::setup {
namespace {

TEST(SetupText, MessagesAreExact) {
  EXPECT_EQ(SetupText(kInvalidDirectory), "Invalid directory name specified.");
  EXPECT_EQ(SetupText(kInstallComplete),
            "Installation complete.\n\r\nYou may need to reboot in order for\n icons to be "
            "correctly shown in Explorer,\n but the program is ready for use.");
  EXPECT_EQ(SetupText(kUninstallDataMissing),
            "    Uninstall data not available   \n        Unable to proceed.");
  EXPECT_EQ(SetupText(kScriptFailed), "Installation script did not complete successfully!");
  EXPECT_EQ(SetupText(kSelfDeleteFailed),
            "    Unable to proceed.     \n\n   You will need to delete remaining files manually  ");
  EXPECT_EQ(SetupText(kInstallErrorCaption), "Dorvane Install Error");
  EXPECT_EQ(SetupText(kUninstallErrorCaption), "Dorvane Uninstall Error");
  EXPECT_EQ(SetupText(kBrowseTitle), "Select a folder:");
  EXPECT_TRUE(SetupText(1).empty());
}

// The installer's own texts keep to their ids: the two that the main
// program's table also uses, its labels block and the two script parts.
TEST(SetupText, IdsStayInTheInstallersBlocks) {
  for (const auto& e : AllSetupStrings()) {
    bool own = e.id == 3 || e.id == 5 || (e.id >= 380 && e.id <= 389) || e.id == 997 || e.id == 998;
    EXPECT_TRUE(own) << e.id;
    EXPECT_FALSE(e.text.empty()) << e.id;
  }
}

// The script parts are read into buffers of 4096 and 2048 characters.
TEST(SetupText, ScriptPartsFitTheirBuffers) {
  EXPECT_LT(SetupText(kScriptPart1).size(), kScriptPart1Buffer);
  EXPECT_LT(SetupText(kScriptPart2).size(), kScriptPart2Buffer);
  EXPECT_TRUE(SetupText(kScriptPart1).starts_with("[Version]\r\nSignature=\"$Chicago$\"\r\n"));
  EXPECT_TRUE(SetupText(kScriptPart2).starts_with("[SourceDisksNames]\r\n"));
}

}  // namespace
}  // namespace dv::setup
