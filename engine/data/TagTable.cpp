#include "data/TagTable.h"

#include <array>

namespace dv {
namespace {

constexpr std::string_view kTags[kTagCount] = {
    "ABBR", "ADDR", "ADR1", "ADR2", "ADOP", "AFN",  "AGE",  "AGNC", "ALIA", "ANCE", "ANCI",
    "ANUL", "ASSO", "AUTH", "BAPL", "BAPM", "BARM", "BASM", "BIRT", "BLES", "BLOB", "BURI",
    "CALN", "CAST", "CAUS", "CENS", "CHAN", "CHAR", "CHIL", "CHR",  "CHRA", "CITY", "CONC",
    "CONF", "CONL", "CONT", "COPR", "CORP", "CREM", "CTRY", "DATA", "DATE", "DEAT", "DESC",
    "DESI", "DEST", "DIV",  "DIVF", "DSCR", "EDUC", "EMIG", "ENDL", "ENGA", "EVEN", "FAM",
    "FAMC", "FAMF", "FAMS", "FCOM", "FILE", "FORM", "GEDC", "GIVN", "GRAD", "HEAD", "HUSB",
    "IDNO", "IMMI", "INDI", "LANG", "LEGA", "MARB", "MARC", "MARL", "MARR", "MARS", "MEDI",
    "NAME", "NATI", "NATU", "NCHI", "NICK", "NMR",  "NOTE", "NPFX", "NSFX", "OBJE", "OCCU",
    "ORDI", "ORDN", "PAGE", "PEDI", "PHON", "PLAC", "POST", "PROB", "PROP", "PUBL", "QUAY",
    "REFN", "RELA", "RELI", "REPO", "RESI", "RESN", "RETI", "RFN",  "RIN",  "ROLE", "SEX",
    "SLGC", "SLGS", "SOUR", "SPFX", "SSN",  "STAE", "STAT", "SUBM", "SUBN", "SURN", "TEMP",
    "TEXT", "TIME", "TITL", "TRLR", "TYPE", "VERS", "WIFE", "WILL",
};

// A tag of at most 7 characters packed with its length into one integer, so
// the lookup on every line compares integers rather than strings.
constexpr std::uint64_t PackTag(std::string_view tag) {
  std::uint64_t key = static_cast<std::uint64_t>(tag.size()) << 56;
  for (std::size_t i = 0; i < tag.size() && i < 7; ++i)
    key |= static_cast<std::uint64_t>(static_cast<unsigned char>(tag[i])) << (8 * i);
  return key;
}
constexpr std::array<std::uint64_t, kTagCount> MakePackedTags() {
  std::array<std::uint64_t, kTagCount> keys{};
  for (int i = 0; i < kTagCount; ++i) keys[i] = PackTag(kTags[i]);
  return keys;
}
constexpr std::array<std::uint64_t, kTagCount> kPackedTags = MakePackedTags();
constexpr bool AllTagsPackable() {
  for (int i = 0; i < kTagCount; ++i)
    if (kTags[i].size() > 7) return false;
  return true;
}
static_assert(AllTagsPackable(), "a tag longer than 7 characters needs the string compare");

// The packed tags in an open-addressing table of 512 slots: one multiply
// finds a tag's slot, and the few collisions are resolved by the next
// slots (at most kMaxProbes compares, checked below).
constexpr int kHashBits = 9;
constexpr std::size_t kHashMask = (std::size_t{1} << kHashBits) - 1;
struct HashSlot {
  std::uint64_t key = 0;  // 0: empty
  std::uint8_t code = 0;
};
constexpr std::size_t HashOf(std::uint64_t key) {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - kHashBits));
}
constexpr std::array<HashSlot, kHashMask + 1> MakeTagHash() {
  std::array<HashSlot, kHashMask + 1> table{};
  for (int i = 0; i < kTagCount; ++i) {
    std::size_t slot = HashOf(kPackedTags[i]);
    while (table[slot].key) slot = (slot + 1) & kHashMask;
    table[slot] = {kPackedTags[i], static_cast<std::uint8_t>(i)};
  }
  return table;
}
constexpr std::array<HashSlot, kHashMask + 1> kTagHash = MakeTagHash();
constexpr int MaxProbes() {
  int most = 0;
  for (std::size_t s = 0; s <= kHashMask; ++s) {
    // The longest run of filled slots ends the search for an unknown tag.
    int run = 0;
    for (std::size_t t = s; kTagHash[t].key; t = (t + 1) & kHashMask) ++run;
    if (run + 1 > most) most = run + 1;
  }
  return most;
}
static_assert(MaxProbes() <= 18, "the tag look-up makes at most 18 comparisons");

constexpr int Code(std::string_view tag) {
  for (int i = 0; i < kTagCount; ++i)
    if (kTags[i] == tag) return i;
  return -1;
}

struct ClassName {
  std::string_view tag;
  std::string_view name;
};
// Class numbers in order (number = position + 1).
constexpr ClassName kAttributes[] = {
    {"CAST", "Rank/Status"},      {"DSCR", "Description"},       {"EDUC", "Education"},
    {"IDNO", "Identity Number"},  {"NATI", "Nationality"},       {"NCHI", "Number of Children"},
    {"NMR", "Number of Marriages"}, {"OCCU", "Occupation"},      {"PROP", "Property"},
    {"RELI", "Religion"},         {"RESI", "Residence"},         {"SSN", "Social Security Number"},
    {"TITL", "Title"},
};
constexpr ClassName kIndividualEvents[] = {
    {"ADOP", "Adoption"},     {"CHR", "Baptism"},       {"CHRA", "Baptism (Adult)"},
    {"BARM", "Bar Mitzvah"},  {"BASM", "Bas Mitzvah"},  {"BIRT", "Birth"},
    {"BLES", "Blessing"},     {"BURI", "Burial"},       {"CENS", "Census"},
    {"CONF", "Confirmation"}, {"CREM", "Cremation"},    {"DEAT", "Death"},
    {"EMIG", "Emigration"},   {"EVEN", "Event"},        {"FCOM", "First Communion"},
    {"GRAD", "Graduation"},   {"IMMI", "Immigration"},  {"NATU", "Naturalisation"},
    {"ORDN", "Ordination"},   {"PROB", "Probate"},      {"RETI", "Retirement"},
    {"WILL", "Will"},
};
constexpr ClassName kFamilyEvents[] = {
    {"ANUL", "Annulment"},         {"MARB", "Banns"},    {"CENS", "Census"},
    {"DIV", "Divorce"},            {"DIVF", "Divorce Filed"}, {"ENGA", "Engagement"},
    {"EVEN", "Event"},             {"MARL", "License"},  {"MARR", "Marriage"},
    {"MARC", "Marriage Contract"}, {"MARS", "Marriage Settlement"},
};
constexpr std::string_view kRecordKinds[] = {"HEAD", "INDI", "FAM",  "NOTE",
                                             "SOUR", "REPO", "OBJE", "TRLR"};

constexpr std::array<std::uint32_t, kTagCount> MakeClasses() {
  std::array<std::uint32_t, kTagCount> c{};
  for (std::uint32_t i = 0; i < std::size(kAttributes); ++i) c[Code(kAttributes[i].tag)] |= i + 1;
  for (std::uint32_t i = 0; i < std::size(kFamilyEvents); ++i)
    c[Code(kFamilyEvents[i].tag)] |= (i + 1) << 4;
  for (std::uint32_t i = 0; i < std::size(kIndividualEvents); ++i)
    c[Code(kIndividualEvents[i].tag)] |= (i + 1) << 8;
  c[Code("BAPM")] |= 2u << 8;  // BAPM is a baptism as CHR is
  for (std::uint32_t i = 0; i < std::size(kRecordKinds); ++i)
    c[Code(kRecordKinds[i])] |= (i + 1) << 16;
  return c;
}
constexpr std::array<std::uint32_t, kTagCount> kClasses = MakeClasses();

static_assert(Code("ADOP") == kTagADOP && Code("ASSO") == kTagASSO && Code("BAPM") == kTagBAPM &&
              Code("BIRT") == kTagBIRT && Code("BURI") == kTagBURI && Code("CHIL") == kTagCHIL &&
              Code("CHR") == kTagCHR && Code("CONC") == kTagCONC && Code("CONT") == kTagCONT &&
              Code("DATA") == kTagDATA && Code("DATE") == kTagDATE && Code("DEAT") == kTagDEAT &&
              Code("DEST") == kTagDEST && Code("FAM") == kTagFAM && Code("FAMC") == kTagFAMC &&
              Code("FAMS") == kTagFAMS && Code("FILE") == kTagFILE && Code("HEAD") == kTagHEAD &&
              Code("HUSB") == kTagHUSB && Code("INDI") == kTagINDI && Code("MARR") == kTagMARR &&
              Code("NAME") == kTagNAME && Code("NOTE") == kTagNOTE && Code("OBJE") == kTagOBJE &&
              Code("OCCU") == kTagOCCU && Code("PEDI") == kTagPEDI && Code("PLAC") == kTagPLAC &&
              Code("REPO") == kTagREPO && Code("SEX") == kTagSEX && Code("SOUR") == kTagSOUR &&
              Code("SUBM") == kTagSUBM && Code("SUBN") == kTagSUBN && Code("TEXT") == kTagTEXT &&
              Code("TITL") == kTagTITL && Code("TRLR") == kTagTRLR && Code("WIFE") == kTagWIFE,
              "tag codes out of step with the table");

template <std::size_t N>
std::string_view NameOf(const ClassName (&table)[N], int number) {
  if (number == 0) return "(None)";
  if (number < 0 || number > static_cast<int>(N)) return {};
  return table[number - 1].name;
}
template <std::size_t N>
int TagOf(const ClassName (&table)[N], int number) {
  if (number < 1 || number > static_cast<int>(N)) return 0;
  return Code(table[number - 1].tag);
}

}  // namespace

int TagCodeOf(std::string_view tag) {
  if (tag.empty() || tag[0] < 'A' || tag[0] > 'Z') return kTagNotLetter;
  if (tag.size() > 7) return kTagUnknown;  // every known tag is shorter
  return TagCodeOfPacked(PackTag(tag));
}

int TagCodeOfPacked(std::uint64_t key) {
  const auto first = static_cast<unsigned char>(key & 0xFF);
  if ((key >> 56) == 0 || first < 'A' || first > 'Z') return kTagNotLetter;
  for (std::size_t slot = HashOf(key);; slot = (slot + 1) & kHashMask) {
    if (kTagHash[slot].key == key) return kTagHash[slot].code;
    if (!kTagHash[slot].key) return kTagUnknown;
  }
}

std::string_view TagName(int code) {
  if (code < 0 || code >= kTagCount) return {};
  return kTags[code];
}

std::uint32_t TagClass(int code) {
  if (code < 0 || code >= kTagCount) return 0;
  return kClasses[code];
}
int AttributeNumber(int code) { return TagClass(code) & 0xF; }
int FamilyEventNumber(int code) { return (TagClass(code) >> 4) & 0xF; }
int IndividualEventNumber(int code) { return (TagClass(code) >> 8) & 0xFF; }
int RecordKindNumber(int code) { return (TagClass(code) >> 16) & 0xF; }

std::string_view AttributeName(int number) { return NameOf(kAttributes, number); }
std::string_view IndividualEventName(int number) { return NameOf(kIndividualEvents, number); }
std::string_view FamilyEventName(int number) { return NameOf(kFamilyEvents, number); }
int AttributeTag(int number) { return TagOf(kAttributes, number); }
int IndividualEventTag(int number) { return TagOf(kIndividualEvents, number); }
int FamilyEventTag(int number) { return TagOf(kFamilyEvents, number); }
int AttributeCount() { return static_cast<int>(std::size(kAttributes)); }
int IndividualEventCount() { return static_cast<int>(std::size(kIndividualEvents)); }
int FamilyEventCount() { return static_cast<int>(std::size(kFamilyEvents)); }

}  // namespace dv
