// Applies random sequences of view/edit operations (field edits, new
// records, spouses, children, removals, deletions) to a loaded family and
// checks the store's invariants after each one.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "data/DataSource.h"
#include "data/GedcomWriter.h"
#include "data/viewedit/Edits.h"
#include "data/viewedit/Pages.h"

namespace {

const char* kFamily =
    "0 HEAD\n1 SOUR X\n1 SUBM @SUB1@\n0 @SUB1@ SUBM\n1 NAME Me\n"
    "0 @I1@ INDI\n1 NAME John /Smith/ Jr.\n2 GIVN John\n1 SEX M\n1 BIRT\n2 DATE ABT 1750/51\n1 "
    "FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Mary /Jones/\n1 SEX F\n1 FAMS @F1@\n1 FAMS @F2@\n1 NOTE @N1@\n"
    "0 @I3@ INDI\n1 NAME Tom /Smith/\n1 FAMC @F1@\n1 ASSO @I4@\n2 RELA friend\n"
    "0 @I4@ INDI\n1 NAME Ann /Brown/\n1 SEX F\n1 ADOP\n2 FAMC @F1@\n1 FAMC @F1@\n2 PEDI adopted\n"
    "0 @I5@ INDI\n1 NAME Bob /Grey/\n1 SEX M\n1 FAMS @F2@\n1 OCCU Smith\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n1 MARR\n2 PLAC Kirk\n"
    "0 @F2@ FAM\n1 HUSB @I5@\n1 WIFE @I2@\n1 DIV Y\n"
    "0 @N1@ NOTE A shared note\n1 CONT with two lines\n"
    "0 @S1@ SOUR\n1 TITL Register\n1 REPO @R1@\n0 @R1@ REPO\n1 NAME Office\n0 TRLR\n";

struct Reader {
  const std::uint8_t* data;
  std::size_t size, at = 0;
  bool More() const { return at < size; }
  int Byte() { return at < size ? data[at++] : 0; }
  std::string Text() {
    static const char* kXrefs[] = {"@I1@", "@I3@", "@I9@", "@F1@",   "@F7@",
                                   "@S1@", "@R1@", "@N1@", "@SUB1@", "@@"};
    int pick = Byte();
    if (pick < 64) return kXrefs[pick % 10];
    int n = Byte() % 80;
    std::string s;
    for (int i = 0; i < n && More(); ++i) s += static_cast<char>(Byte());
    return s;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dv::viewedit;
  dv::RecordStore store;
  std::string summary;
  if (dv::LoadDataSourceBytes(store, kFamily, {}, summary) != 0) __builtin_trap();
  Reader in{data, size};
  const PageKind kinds[] = {PageKind::kIndividual, PageKind::kFamily, PageKind::kSource,
                            PageKind::kRepository, PageKind::kHeader, PageKind::kSubmitter};
  for (int step = 0; step < 40 && in.More(); ++step) {
    int op = in.Byte() % 8;
    std::int32_t a = in.Byte() % (store.IndividualCount() + 2);
    std::int32_t f = in.Byte() % (store.FamilyCount() + 2);
    switch (op) {
      case 0:
      case 1: {  // edit fields of a page and store it
        PageKind kind = kinds[in.Byte() % 6];
        std::int32_t index = kind == PageKind::kFamily ? f : a;
        if (kind == PageKind::kSource || kind == PageKind::kRepository) index = in.Byte() % 3;
        RecordPage page;
        if (in.Byte() & 1 || ReadPage(store, kind, index, page) != 0) page = NewPage(kind);
        std::vector<std::string> names = FieldNames(kind);
        for (int n = in.Byte() % 4; n >= 0; --n) {
          std::string name = names[static_cast<std::size_t>(in.Byte()) % names.size()];
          std::size_t at = name.find(".N.");
          if (at != std::string::npos) name.replace(at + 1, 1, std::to_string(in.Byte() % 4 + 1));
          SetField(page, name, in.Text());
        }
        StorePage(store, page);
        break;
      }
      case 2:
      case 3:
      case 4: {  // build a family
        RecordPage page;
        if (ReadPage(store, PageKind::kFamily, f, page) != 0) page = NewPage(PageKind::kFamily);
        int r = op == 2   ? AddSpouse(store, page, a)
                : op == 3 ? AddChild(store, page, a)
                          : RemovePerson(store, page, a);
        if (r == 0) StorePage(store, page);
        break;
      }
      case 5:
        DeleteIndividual(store, a);
        break;
      case 6:
        DeleteFamily(store, f);
        break;
      default:
        DeleteRecord(store, (in.Byte() & 1) ? dv::kSour : dv::kRepo, in.Byte() % 3);
        break;
    }
    if (StoreProblems(store) != 0) {
      std::fprintf(stderr, "step %d op %d a %d f %d: %d problems\n%s", step, op, a, f,
                   StoreProblems(store), dv::GedcomText(store).c_str());
      __builtin_trap();
    }
  }
  // What was written loads again.
  dv::RecordStore again;
  if (dv::LoadDataSourceBytes(again, dv::GedcomText(store), {}, summary) != 0) __builtin_trap();
  return 0;
}
