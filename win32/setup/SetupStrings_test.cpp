// The string table compiled into setup.exe is the one the engine reads.
#include <gtest/gtest.h>
#include <windows.h>

#include "setup/SetupState.h"
#include "setup/SetupText.h"

namespace dv::win::setup {
namespace {

TEST(SetupStrings, ResourceTableMatchesTheEngine) {
  ResetInstaller();
  for (const auto& entry : dv::setup::AllSetupStrings())
    EXPECT_EQ(SetupString(entry.id), entry.text) << entry.id;
  EXPECT_EQ(SetupString(dv::setup::kInvalidDirectory), "Invalid directory name specified.");
}

}  // namespace
}  // namespace dv::win::setup
