#pragma once
// SHA-256 of a byte string, as lower-case hexadecimal. The uninstaller uses
// it to tell a sample file the user has changed from the one it installed.

#include <cstdint>
#include <span>
#include <string>

namespace dv::setup {

std::string Sha256Hex(std::span<const std::uint8_t> data);

}  // namespace dv::setup
