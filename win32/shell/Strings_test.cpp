#include <windows.h>
#include <gtest/gtest.h>

#include "common/StringTable.h"

// The resource string table and the engine's table come from one list;
// this checks that windres read every entry as the engine did.
TEST(ResourceStrings, MatchEngineTable) {
  for (const auto& e : dv::AllStrings()) {
    char buffer[1024] = {};
    int n = LoadStringA(GetModuleHandleA(nullptr), e.id, buffer, sizeof buffer);
    EXPECT_EQ(std::string_view(buffer, n), e.text) << "id " << e.id;
  }
}
