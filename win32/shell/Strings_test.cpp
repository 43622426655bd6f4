#include <windows.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/StringTable.h"

// The resource string table and the engine's table come from one list;
// these check that windres read every entry as the engine did.
TEST(ResourceStrings, MatchEngineTable) {
  for (const auto& e : dv::AllStrings()) {
    char buffer[1024] = {};
    int n = LoadStringA(GetModuleHandleA(nullptr), e.id, buffer, sizeof buffer);
    EXPECT_EQ(std::string_view(buffer, n), e.text) << "id " << e.id;
  }
}

// The resource holds UTF-16 text; it must be the code page 1252 reading of the
// engine's bytes, whatever code page the test process runs with.
TEST(ResourceStrings, WideTextIsCodePage1252) {
  for (const auto& e : dv::AllStrings()) {
    std::wstring expected(e.text.size() + 1, L'\0');
    int m = MultiByteToWideChar(1252, 0, e.text.data(), int(e.text.size()), expected.data(),
                                int(expected.size()));
    ASSERT_GT(m, 0) << "id " << e.id;
    expected.resize(m);
    const wchar_t* text = nullptr;
    int n = LoadStringW(GetModuleHandleW(nullptr), e.id, reinterpret_cast<wchar_t*>(&text), 0);
    ASSERT_GT(n, 0) << "id " << e.id;
    EXPECT_TRUE(std::wstring_view(text, n) == expected) << "id " << e.id;
  }
}

// Nothing in the resource table that the engine does not know.
TEST(ResourceStrings, HoldNoOtherIds) {
  std::set<int> known;
  for (const auto& e : dv::AllStrings()) known.insert(e.id);
  for (int id = 0; id < 1024; ++id) {
    if (known.count(id)) continue;
    char buffer[16] = {};
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer), 0) << "id " << id;
  }
}
