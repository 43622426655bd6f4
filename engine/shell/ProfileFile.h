#pragma once
// A profile (.ini) file held in memory: "[section]" headers followed by
// "key=value" lines. The text is parsed once; the lookups then give what the
// Windows profile-reading call gives for the same file, so a hand-edited
// settings file reads the same on every platform:
//  - lines end with LF, CR LF or a lone CR; a UTF-8 byte-order mark is skipped;
//  - blanks around a line, around the key and after "=" do not count;
//  - section and key names match without regard to case;
//  - the first section of a name is the one searched, and in it the first key
//    of a name wins; keys before any section belong to no section;
//  - a value enclosed in matching double or single quotes loses the quotes;
//  - a header without "]" is read as an ordinary line of the current section.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dv {

// The lines of text, without their line ends (LF, CR LF or a lone CR). A final
// line end does not start another line.
std::vector<std::string_view> SplitLines(std::string_view text);

class ProfileFile {
 public:
  struct Key {
    std::string name;
    std::string value;      // as written after "=", blanks trimmed, quotes kept
    bool hasValue = false;  // false for a line without "="
  };
  struct Section {
    std::string name;  // "" for the keys before the first header
    std::vector<Key> keys;
  };

  ProfileFile() = default;

  // Parses a whole file's text. Never fails: any text gives some profile.
  static ProfileFile Parse(std::string_view text);

  // The value of key in section, unquoted but not shortened; nullopt when the
  // section or the key is missing or the key's line has no "=".
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  // The value as the profile call with a buffer of bufferSize characters
  // returns it: unquoted, at most bufferSize - 1 characters; def (shortened
  // the same way) when Find gives nothing.
  std::string GetString(std::string_view section, std::string_view key, std::size_t bufferSize,
                        std::string_view def = {}) const;

  const std::vector<Section>& sections() const { return sections_; }

 private:
  std::vector<Section> sections_;
};

}  // namespace dv
