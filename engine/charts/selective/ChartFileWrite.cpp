#include "charts/selective/ChartFileWrite.h"

#include <array>
#include <cstdio>

#include "charts/selective/ChartFileFormat.h"
#include "charts/selective/SelectiveGather.h"
#include "common/SafeFile.h"
#include "data/CharSet.h"
#include "data/ExtractScan.h"

namespace dv {

namespace {

// Field lengths that keep every written line within what a reader takes.
constexpr std::size_t kBriefField = 60;
constexpr std::size_t kMarriageField = 51;
constexpr std::size_t kSpouseField = 40;
constexpr std::size_t kChildField = 80;
constexpr std::size_t kChildrenPerLine = 100;

std::string Number(std::int64_t n) {
  char text[24];
  std::snprintf(text, sizeof text, "%lld", static_cast<long long>(n));
  return text;
}

std::string Capitals(std::string text, bool on) {
  if (on) UpperCaseProgramText(text);
  return text;
}

// An event text cut to n characters: the place gives way, the year stays.
std::string EventField(const ScanEvent& ev, std::size_t n) {
  std::string text = ev.Text();
  if (text.size() <= n || !ev.hasPlace) return text.substr(0, n);
  ScanEvent cut = ev;
  const std::size_t fixed = text.size() - ev.place.size();
  cut.place.resize(n > fixed ? n - fixed : 0);
  return cut.Text();
}

std::string Field(std::string_view text, std::size_t n, bool followed = true) {
  return CutEscaped(EscapeField(text, followed), n);
}

int OpenScan(GedcomScan& scan, const std::string& path, int capacity,
             const SelectivePrompter& p) {
  if (int rc = scan.Open(path, capacity)) {
    p.Show(rc, rc == kMsgChartFileCannotOpen ? path : std::string());
    return rc;
  }
  return 0;
}

// The output that cannot be created: the Birth Brief tells 25 with the
// name, the Selective Tree 2.
int OpenOutput(SafeFileWriter& out, const std::string& path, int message,
               const SelectivePrompter& p) {
  if (out.Open(path) != 0) {
    p.Show(message, path);
    return message;
  }
  return 0;
}

int Finish(SafeFileWriter& out, const std::string& path, const SelectivePrompter& p) {
  if (out.Commit() != 0) {
    p.Show(kMsgErrorWritingFile, path);
    return kMsgErrorWritingFile;
  }
  return 0;
}

// The walk's people and families read from the GEDCOM text.
class ScanSource final : public WalkSource {
 public:
  ScanSource(GedcomScan& scan, bool capitals) : scan_(scan), capitals_(capitals) {}
  bool Person(std::int32_t id, WalkPerson& out) override {
    const int r = scan_.Find(ScanKind::kIndi, id);
    if (r < 0) return false;
    out.name = Capitals(scan_.Name(r), capitals_);
    out.parentFamily = scan_.Pointer(r, "FAMC");
    out.birthYear = scan_.Birth(r).year;
    return true;
  }
  bool Family(std::int32_t id, WalkFamily& out) override {
    const int r = scan_.Find(ScanKind::kFam, id);
    if (r < 0) return false;
    out.husband = scan_.Pointer(r, "HUSB");
    out.wife = scan_.Pointer(r, "WIFE");
    out.children = scan_.Pointers(r, "CHIL");
    const ScanEvent m = scan_.Marriage(r);
    out.marriagePlace = m.place;
    out.marriageYear = m.year;
    marriage_ = m;
    return true;
  }
  void SpouseFamilies(std::int32_t person, std::int32_t present,
                      std::vector<std::int32_t>& out) override {
    const int r = scan_.Find(ScanKind::kIndi, person);
    out = r < 0 ? std::vector<std::int32_t>{} : scan_.Pointers(r, "FAMS");
  }
  // The marriage of the family last read.
  const ScanEvent& LastMarriage() const { return marriage_; }

 private:
  GedcomScan& scan_;
  bool capitals_;
  ScanEvent marriage_;
};

// The given names of a display name: every word before the last.
std::string GivenNames(std::string_view name) {
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  const std::size_t space = name.rfind(' ');
  return space == std::string_view::npos ? std::string() : std::string(name.substr(0, space));
}

}  // namespace

int ExtractBirthBrief(const ExtractRequest& rq, const SelectivePrompter& p) {
  if (!LooksLikeGedcomName(rq.sourcePath) && !p.Ask(kMsgNotGedcomQuestion, rq.sourcePath))
    return -1;
  GedcomScan scan;
  if (int rc = OpenScan(scan, rq.sourcePath, GedcomScan::kBirthBriefIndex, p)) return rc;
  SafeFileWriter out;
  if (int rc = OpenOutput(out, rq.outputPath, kMsgCannotOpenForOutput, p)) return rc;
  out.WriteLine("Chart");

  std::array<std::int32_t, kNameRows> refs{};
  refs[0] = rq.baseNumber;
  const int width = std::clamp(rq.width, 20, 31);
  for (int s = 0; s < kNameRows; ++s) {
    if (refs[s] <= 0) continue;
    const int r = scan.Find(ScanKind::kIndi, refs[s]);
    if (r < 0) {
      p.Show(kMsgReferenceNotFound, Number(refs[s]));
      return kMsgErrorInData;
    }
    const std::string name = Capitals(scan.Name(r), rq.allCapitals);
    std::string shortened;
    if (!ShortenChartName(" " + name, width, shortened)) {
      p.Show(kMsgManualEditing, name);
      return kMsgErrorInData;
    }
    std::string line = Number(s + 1) + " " + Field(name, kBriefField);
    if (s < kDetailSlots) {
      line += "/ " + Field(Capitals(scan.Occupation(r), rq.allCapitals), kBriefField);
      line += "/" + Field(EventField(scan.Birth(r), kBriefField), kBriefField);
      line += "/" + Field(EventField(scan.Death(r), kBriefField), kBriefField, false);
    }
    out.WriteLine(line);
    if (s < kNameRows / 2) {
      const std::int32_t famc = scan.Pointer(r, "FAMC");
      if (famc <= 0) continue;
      const int f = scan.Find(ScanKind::kFam, famc);
      if (f < 0) {
        p.Show(kMsgReferenceNotFound, Number(famc));
        return kMsgErrorInData;
      }
      refs[2 * s + 1] = scan.Pointer(f, "HUSB");
      refs[2 * s + 2] = scan.Pointer(f, "WIFE");
    }
  }
  return Finish(out, rq.outputPath, p);
}

int ExtractTree(const ExtractRequest& rq, const SelectivePrompter& p) {
  GedcomScan scan;
  if (int rc = OpenScan(scan, rq.sourcePath, GedcomScan::kTreeIndex, p)) return rc;
  ScanSource source(scan, rq.allCapitals);
  SelectiveGatherInput in;
  in.source = &source;
  in.baseIndex = rq.baseNumber;
  in.selection = rq.selection;
  in.options = rq.treeOptions;
  in.options.birthMarriage = true;
  in.options.allCapitals = rq.allCapitals;
  in.extract = true;
  auto tables = std::make_unique<SelectiveTables>();
  if (int rc = GatherSelectiveTree(in, *tables, p)) return rc;
  const SelectiveTables& t = *tables;

  SafeFileWriter out;
  if (int rc = OpenOutput(out, rq.outputPath, kMsgChartFileCannotOpen, p)) return rc;
  out.WriteLine("Tree");
  std::string line;
  for (std::int32_t n : t.selection) line += Number(n) + " ";
  out.WriteLine(line);
  WalkPerson base;
  source.Person(rq.baseNumber, base);
  out.WriteLine("1 " + Field(base.name, kBriefField, false));

  for (int gi = 1; gi <= t.groupCount; ++gi) {
    const FamilyGroup& g = t.groups[gi];
    const bool remarriage = g.slot >= kRemarriageSlot;
    WalkFamily fam;
    source.Family(g.family, fam);
    // The other family of each remarried spouse, from the remarriage places.
    std::int32_t other[2] = {0, 0};
    for (int s = kRemarriageSlot; s < kGridSlots; ++s)
      for (int l = 0; l < kTracks; ++l) {
        const GridCell& c = t.Cell(l, s);
        if (c.group == gi && c.ref > 0) other[c.key > 0 ? 0 : 1] = c.ref;
      }
    const std::string key = remarriage ? "0" : Number(g.key);
    line = key + " " + Number(g.family) + " (" +
           CutEscaped(EscapeField(source.LastMarriage().Text(), false), kMarriageField) + ")/";
    const bool husbandPair = g.husbandMarriage != 0 && other[0] > 0;
    const bool wifePair = g.wifeMarriage != 0 && other[1] > 0;
    // The husband's pair always comes first (0/0 when only the wife
    // remarried), so the reader never gives the wife's pair to him.
    if (husbandPair || wifePair)
      line += husbandPair ? Number(g.husbandMarriage) + "/" + Number(other[0]) + "/" : "0/0/";
    if (wifePair) line += Number(g.wifeMarriage) + "/" + Number(other[1]) + "/";
    WalkPerson husband, wife;
    if (fam.husband > 0) source.Person(fam.husband, husband);
    if (fam.wife > 0) source.Person(fam.wife, wife);
    line += Field(husband.name, kSpouseField) + "/" + Field(wife.name, kSpouseField, false);
    out.WriteLine(line);

    const std::string prefix = remarriage ? "0 " + Number(g.family) + " " : key + " ";
    std::string children;
    for (std::uint16_t c : g.children) {
      if (c == 0) break;
      const ChildRecord& rec = t.children[c];
      WalkPerson child;
      source.Person(rec.individual, child);
      children += Field(GivenNames(child.name), kChildField) + "/" +
                  char('0' + std::clamp(rec.mark, 0, 6)) + "/" + child.birthYear + "/";
      if (children.size() > kChildrenPerLine) {
        out.WriteLine(prefix + children);
        children.clear();
      }
    }
    if (!children.empty()) out.WriteLine(prefix + children);
  }
  return Finish(out, rq.outputPath, p);
}

}  // namespace dv
