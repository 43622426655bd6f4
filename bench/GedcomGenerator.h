#pragma once
// A deterministic generator of large, realistic GEDCOM 5.5 files for the
// benchmarks: an invented population descending from a few founder couples
// over three and a half centuries, with names, sex, birth, baptism, death and
// burial events with dates and places, occupations, marriages, families of
// 0-8 children, second marriages of widowers, occasional notes (NOTE records
// and inline notes with CONT/CONC) and source citations (SOUR records kept in
// REPO records, and inline citations). Every FAMC/FAMS line matches a
// CHIL/HUSB/WIFE line of its family. Records are numbered I1..In, F1..Fn
// consecutively in file order; lines end in CR LF.
//
// The same individuals count and seed always give the same bytes.

#include <cstddef>
#include <cstdint>
#include <string>

namespace dv::bench {

struct GeneratedCounts {
  std::int32_t individuals = 0;
  std::int32_t families = 0;
  std::int32_t notes = 0;         // NOTE records
  std::int32_t sources = 0;       // SOUR records
  std::int32_t repositories = 0;  // REPO records
  std::size_t lines = 0;
  std::size_t bytes = 0;
};

// The whole file as text: exactly `individuals` INDI records (at least 2).
// About 400 bytes per individual: 30,000 individuals give about 12 MB.
std::string GenerateGedcom(std::int32_t individuals, std::uint32_t seed,
                           GeneratedCounts* counts = nullptr);

// Writes the generated file to path: true on success.
bool WriteGedcomFile(const std::string& path, std::int32_t individuals, std::uint32_t seed,
                     GeneratedCounts* counts = nullptr);

}  // namespace dv::bench
