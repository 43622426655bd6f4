#pragma once
// The destination test of the wizard's destination page and the unattended
// install: can the installer create the destination folder?

#include <string>
#include <string_view>

namespace dv::win::setup {

// Cleans the typed destination (absolute paths only, see
// NormalizeDestination), then walks up from it to the nearest folder where a
// probe file can be created (a uniquely named one, removed again at once, so
// that no file of the user's is ever touched), creates the missing folders
// below that point one by one and removes again the ones it created.
// Returns 0 with the clean path in out, or 3 ("Invalid directory name
// specified.") when no writable ancestor exists or a level cannot be made.
int TestDestination(std::string_view typed, std::string& out);

}  // namespace dv::win::setup
