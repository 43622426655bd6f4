#include "setup/Sha256.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace dv::setup {
namespace {

std::string Hash(std::string_view text) {
  return Sha256Hex({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// Published test vectors, with lengths around the block and padding edges.
TEST(Sha256, KnownVectors) {
  EXPECT_EQ(Hash(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Hash("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Hash("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(Hash(std::string(1000000, 'a')),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, OneChangedByteChangesTheHash) {
  std::string text(200, 'x');
  std::string changed = text;
  changed[117] = 'y';
  EXPECT_NE(Hash(text), Hash(changed));
  EXPECT_EQ(Hash(text).size(), 64u);
}

}  // namespace
}  // namespace dv::setup
