#pragma once
// The GEDCOM tags the program knows: 129 tags in alphabetical order, each
// with a fixed code (its position), found through a small hash table of
// the tags packed into integers; and the tag classes that sort tags into record kinds, attributes,
// individual events and family events for the pages and lists.

#include <cstdint>
#include <string_view>

namespace dv {

inline constexpr int kTagCount = 129;
inline constexpr int kTagUnknown = 129;  // a tag not in the table
inline constexpr int kTagNotLetter = 130;  // first character not A-Z

// Codes used by the record store and its readers and writers.
enum TagCode : int {
  kTagABBR = 0,
  kTagADOP = 4,
  kTagASSO = 12,
  kTagBAPM = 15,
  kTagBIRT = 18,
  kTagBURI = 21,
  kTagCHIL = 28,
  kTagCHR = 29,
  kTagCONC = 32,
  kTagCONT = 35,
  kTagDATA = 40,
  kTagDATE = 41,
  kTagDEAT = 42,
  kTagDEST = 45,
  kTagFAM = 54,
  kTagFAMC = 55,
  kTagFAMS = 57,
  kTagFILE = 59,
  kTagHEAD = 64,
  kTagHUSB = 65,
  kTagINDI = 68,
  kTagMARR = 74,
  kTagNAME = 77,
  kTagNOTE = 83,
  kTagOBJE = 86,
  kTagOCCU = 87,
  kTagPEDI = 91,
  kTagPLAC = 93,
  kTagREPO = 102,
  kTagSEX = 109,
  kTagSOUR = 112,
  kTagSUBM = 117,
  kTagSUBN = 118,
  kTagTEXT = 121,
  kTagTITL = 123,
  kTagTRLR = 124,
  kTagWIFE = 127,
};

// The code of a tag (exact match), kTagUnknown or kTagNotLetter.
int TagCodeOf(std::string_view tag);
// The same for a tag of at most 7 characters already packed as the line
// parser reads it: character i in bits 8i..8i+7, the length in bits 56-63.
int TagCodeOfPacked(std::uint64_t packed);

// The tag text of a code 0-128; empty for any other code.
std::string_view TagName(int code);

// Tag classes, packed per tag: bits 0-3 attribute number, bits 4-7
// family-event number, bits 8-15 individual-event number, bits 16-19
// record-kind number. Codes outside 0-128 give 0.
std::uint32_t TagClass(int code);
int AttributeNumber(int code);
int FamilyEventNumber(int code);
int IndividualEventNumber(int code);
int RecordKindNumber(int code);  // HEAD 1, INDI 2, FAM 3, NOTE 4, SOUR 5, REPO 6, OBJE 7, TRLR 8

// Display names of the class numbers ("(None)" for 0; empty beyond the end).
std::string_view AttributeName(int number);
std::string_view IndividualEventName(int number);
std::string_view FamilyEventName(int number);
// The tag of a class number (0 beyond the end); CHR for individual event 2.
int AttributeTag(int number);
int IndividualEventTag(int number);
int FamilyEventTag(int number);
int AttributeCount();        // 13
int IndividualEventCount();  // 22
int FamilyEventCount();      // 11

}  // namespace dv
