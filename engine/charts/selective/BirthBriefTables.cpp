#include "charts/selective/BirthBriefTables.h"

#include <algorithm>
#include <cstring>

#include "data/Names.h"

namespace dv {

namespace {

template <std::size_t N>
void CopyBounded(std::array<char, N>& field, std::string_view text) {
  const std::size_t n = std::min(text.size(), N - 1);
  std::fill(field.begin(), field.end(), '\0');
  std::copy_n(text.begin(), n, field.begin());
}

template <std::size_t N>
std::string_view ViewOf(const std::array<char, N>& field) {
  return std::string_view(field.data(), ::strnlen(field.data(), N));
}

template <std::size_t N>
void UpperCaseField(std::array<char, N>& field) {
  std::string text(ViewOf(field));
  if (text.empty()) return;
  UpperCase1252(text);
  CopyBounded(field, text);
}

}  // namespace

BirthBriefOptions BirthBriefOptions::FromSettings(const Settings& s) {
  BirthBriefOptions o;
  o.generations = s.eparam[0] != 0 ? 8 : 7;
  o.allCapitals = s.eparam[1] != 0;
  o.addBirthDeath = s.eparam[2] != 0;
  o.addOccupation = s.eparam[3] != 0;
  o.excludeGen12 = s.eparam[4] != 0;
  o.excludeGen6 = s.eparam[5] != 0;
  o.showAllLines = s.eparam[6] != 0;
  o.width = s.dparam[39];
  return o.Normalised();
}

BirthBriefOptions BirthBriefOptions::Normalised() const {
  BirthBriefOptions o = *this;
  o.generations = generations == 7 ? 7 : 8;
  o.width = std::clamp(width, 20, 31);
  return o;
}

std::string_view BirthBriefTables::Name(int slot) const {
  if (slot < 0 || slot >= kNameRows) return {};
  return ViewOf(names_[slot].text);
}

std::int32_t BirthBriefTables::Ref(int slot) const {
  if (slot < 0 || slot >= kNameRows) return 0;
  return names_[slot].ref;
}

void BirthBriefTables::SetName(int slot, std::string_view text) {
  if (slot < 0 || slot >= kNameRows) return;
  CopyBounded(names_[slot].text, text);
}

void BirthBriefTables::SetRef(int slot, std::int32_t ref) {
  if (slot < 0 || slot >= kNameRows) return;
  names_[slot].ref = ref;
}

std::string_view BirthBriefTables::Detail(int row) const {
  if (row < 0 || row >= kDetailRows) return {};
  return ViewOf(details_[row]);
}

void BirthBriefTables::SetDetail(int row, std::string_view text) {
  if (row < 0 || row >= kDetailRows) return;
  CopyBounded(details_[row], text);
}

std::string_view BirthBriefTables::Birth(int slot) const {
  return slot >= 0 && slot < kDetailSlots ? Detail(slot) : std::string_view{};
}

std::string_view BirthBriefTables::Death(int slot) const {
  return slot >= 0 && slot < kDetailSlots ? Detail(kDeathRowBase + slot) : std::string_view{};
}

std::string_view BirthBriefTables::Occupation(int slot) const {
  return slot >= 0 && slot < kOccupationSlots ? Detail(kOccupationRowBase + slot)
                                              : std::string_view{};
}

void BirthBriefTables::UpperCaseAll() {
  for (auto& row : names_) UpperCaseField(row.text);
  for (auto& row : details_) UpperCaseField(row);
}

void BirthBriefTables::Clear() {
  names_.fill(NameRow{});
  for (auto& row : details_) row.fill('\0');
}

std::string EventLine(char kind, std::string_view place, std::string_view year, int width) {
  std::string text;
  if (kind != 'm') {
    text += kind;
    text += ' ';
  }
  // House numbers go: leading digits and spaces of the place are skipped.
  std::size_t i = 0;
  while (i < place.size() && ((place[i] >= '0' && place[i] <= '9') || place[i] == ' ')) ++i;
  // Only the first component of the place is copied. A space found early
  // enough is remembered as a place to cut a long text at.
  int cutAt = 0;
  for (; i < place.size() && place[i] != ','; ++i) {
    const char c = place[i];
    if (c == ' ') {
      if (kind == 'm' && int(text.size()) > width - 7) break;
      if (cutAt < 6 && int(text.size()) < width - 4) cutAt = int(text.size());
    }
    text += c;
  }
  if (int(text.size()) > width - 5 && cutAt >= 6) text.resize(std::size_t(cutAt));
  if (!year.empty() && text.size() >= 3) text += ',';
  if (int(text.size()) > width - 4) {
    // Keep the beginning and the last four characters, joined by an apostrophe.
    const int head = std::max(0, width - 9);
    std::string tail = text.substr(text.size() - 4);
    text.resize(std::size_t(head));
    text += '\'';
    text += tail;
  }
  text += year;
  if (text.size() < 3) text.clear();
  return text;
}

bool ShortenChartName(std::string_view text, int width, std::string& out) {
  return FitName(text, std::min(width, 35), false, out);
}

void UpperCase1252(std::string& text) {
  for (char& ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') {
      ch = char(c - 32);
    } else if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
      ch = char(c - 32);  // accented small letters of code page 1252
    } else if (c == 0x9A || c == 0x9C || c == 0x9E) {
      ch = char(c - 16);  // s, oe and z with their marks
    } else if (c == 0xFF) {
      ch = char(0x9F);  // y with diaeresis
    }
  }
}

}  // namespace dv
