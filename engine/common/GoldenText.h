#pragma once
// Golden text files of the engine tests: the text a test makes is compared
// with the file under testdata/; with DORVANE_UPDATE_GOLDEN set in the
// environment the file is rewritten instead.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace dv::testing {

inline void ExpectGoldenText(const std::string& path, const std::string& text) {
  if (std::getenv("DORVANE_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << text;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing golden file " << path;
  std::stringstream golden;
  golden << in.rdbuf();
  EXPECT_EQ(text, golden.str()) << "golden file " << path;
}

}  // namespace dv::testing
