#include "soundex/Soundex.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "data/RecordStore.h"

namespace dv {
namespace {

// Letter groups in lookup order: a letter in group i gets the digit i.
constexpr const char* kSimplifiedGroups[] = {"AEIOUHWY", "BFPV", "CGKJQSXZ", "DT", "L", "MN", "R"};
constexpr const char* kAmericanGroups[] = {"AEIOUY", "BFPV", "CGKJQSXZ", "DT",
                                           "L",      "MN",   "R",        "HW"};
constexpr int kAmericanSeparatorless = 7;  // H and W: skipped after the first letter
constexpr char kNoDigit = '9';             // a digit no group gives

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Letters of code page 1252: ASCII letters and the accented letters above 0xC0
// (the multiplication and division signs excepted), and the few in 0x8A-0x9F.
bool IsLetter(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')) return true;
  if (u >= 0xC0) return u != 0xD7 && u != 0xF7;
  return u == 0x8A || u == 0x8C || u == 0x8E || u == 0x9A || u == 0x9C || u == 0x9E || u == 0x9F;
}

}  // namespace

int SoundexDigit(char c, SoundexVariant variant) {
  const char u = Upper(c);
  if (u == '\0') return -1;
  if (variant == kSoundexAmerican) {
    for (int i = 0; i < static_cast<int>(std::size(kAmericanGroups)); ++i)
      if (std::strchr(kAmericanGroups[i], u) != nullptr) return i;
  } else {
    for (int i = 0; i < static_cast<int>(std::size(kSimplifiedGroups)); ++i)
      if (std::strchr(kSimplifiedGroups[i], u) != nullptr) return i;
  }
  return -1;
}

std::string SoundexCode(std::string_view name, SoundexVariant variant) {
  std::string code;
  char previous = kNoDigit;
  for (char c : name) {
    if (static_cast<int>(code.size()) >= kSoundexCodeLength) break;
    const int digit = SoundexDigit(c, variant);
    if (digit < 0) continue;
    // H and W neither count nor separate once the code has begun.
    if (variant == kSoundexAmerican && !code.empty() && digit == kAmericanSeparatorless) continue;
    const char d = static_cast<char>('0' + digit);
    if (d == previous) continue;
    previous = d;
    // The first letter found is written as the name's first character;
    // later vowels only separate letters of equal digit.
    const char written = code.empty() ? name.front() : d;
    if (written == '0') continue;
    code += written;
  }
  code.resize(kSoundexCodeLength, '0');
  return code;
}

std::string SoundexCapitals(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = Upper(c);
  return out;
}

std::string SoundexSurname(std::string_view displayName) {
  const std::size_t space = displayName.rfind(' ');
  std::string_view last =
      space == std::string_view::npos ? displayName : displayName.substr(space + 1);
  std::size_t first = 0;
  while (first < last.size() && !IsLetter(last[first])) ++first;
  last.remove_prefix(first);
  std::string surname;
  for (char c : last) surname += c == '_' ? ' ' : Upper(c);
  while (!surname.empty() && surname.back() == ' ') surname.pop_back();
  return surname;
}

std::vector<SoundexRow> SoundexList(const RecordStore& store) {
  std::vector<SoundexRow> rows;
  std::set<std::string> seen;
  const KindIndex& individuals = store.Kind(kIndi);
  const std::size_t count =
      std::min<std::size_t>(individuals.keys.size(), individuals.count > 0 ? individuals.count : 0);
  for (std::size_t k = 0; k < count; ++k) {
    const IndividualSummary* person = store.Individual(individuals.keys[k].index);
    if (person == nullptr || person->id == 0) continue;
    const std::string surname = SoundexSurname(person->displayName.view());
    if (surname.empty() || !seen.insert(surname).second) continue;
    rows.push_back({surname, SoundexCode(surname, kSoundexSimplified),
                    SoundexCode(surname, kSoundexAmerican)});
  }
  SortSoundexRows(rows, kSoundexSurnameColumn);
  return rows;
}

const std::string& SoundexCell(const SoundexRow& row, int column) {
  switch (column) {
    case kSoundexSimplifiedColumn:
      return row.simplified;
    case kSoundexAmericanColumn:
      return row.american;
    default:
      return row.surname;
  }
}

void SortSoundexRows(std::vector<SoundexRow>& rows, int column) {
  std::stable_sort(rows.begin(), rows.end(), [column](const SoundexRow& a, const SoundexRow& b) {
    // Byte-wise: unsigned char comparison, as strcmp does.
    return SoundexCell(a, column) < SoundexCell(b, column);
  });
}

}  // namespace dv
