#include "reports/ReportWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/SafeFile.h"
#include "data/RecordStore.h"
#include "reports/ReportText.h"
#include "shell/Settings.h"

namespace dv {
namespace {

constexpr std::size_t kPrologLine = 127;  // the prolog is cut into lines shorter than this
constexpr std::size_t kFlushAt = 64 * 1024;
constexpr int kMarginTwips = 1440;
constexpr int kTabTwips = 720;
constexpr int kMaxFileName = 255;
constexpr int kNameRoomForExtension = 252;

template <std::size_t N>
std::string_view Field(const SummaryText<N>& field) {
  return field.view();
}

std::string Format(const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Builds the text of one report into out.
class Writer {
 public:
  Writer(const RecordStore& store, const ReportRequest& request, const ReportList& list,
         std::string& out)
      : store_(store),
        request_(request),
        options_(request.options),
        list_(list),
        out_(out),
        rtf_(request.rtf),
        size_(request.page.font.pointSize) {}

  void Prolog();
  void Heading(std::string_view heading);
  void Subheading(int generation);
  void Record(std::int32_t individual);
  void End() {
    if (rtf_) out_ += "}";
  }

 private:
  void Put(std::string_view text) { out_ += text; }
  // Text taken from the data: escaped in Rich Text.
  void PutData(std::string_view text) {
    if (rtf_)
      out_ += RtfEscape(text);
    else
      out_ += text;
  }
  void LineEnd() { Put(rtf_ ? "\r\n\\par " : "\r\n"); }
  void Indent() { Put(rtf_ ? "\\tab " : "\t"); }
  // The bold and regular font switches; the first bold of a record opens
  // the record's first group, so it has no group to close.
  void Bold(bool closeGroup = true) {
    if (!rtf_) return;
    if (closeGroup) Put("}");
    Put(Format("{\\b\\f1\\fs%d ", 2 * size_));
  }
  void Regular() {
    if (rtf_) Put(Format("}{\\f1\\fs%d ", 2 * size_));
  }
  // "[n] " or "(n) " for a listed person; nothing for one the report does not list.
  std::string Number(std::int32_t individual) const;
  void EventLine(std::string_view title, std::string_view date, std::string_view place);
  void Marriages(std::int32_t individual, const IndividualSummary& person);
  void Children(const FamilySummary& family, const IndividualSummary& person);
  void Parent(std::string_view title, std::int32_t parent);
  void Notes(const IndividualSummary& person);

  const RecordStore& store_;
  const ReportRequest& request_;
  const ReportOptions& options_;
  const ReportList& list_;
  std::string& out_;
  const bool rtf_;
  const int size_;
};

void Writer::Prolog() {
  if (!rtf_) return;
  const ReportFont& font = request_.page.font;
  std::string prolog =
      "{\\rtf1\\ansi\\ansicpg1252\\uc1 \\deff0\\deflang1033\\deflangfe1033"
      "{\\fonttbl{\\f0\\froman\\fcharset0\\fprq2 Times New Roman;}";
  if (!font.faceName.empty()) {
    prolog += "{\\f1";
    prolog += RtfFamilyWord(font.pitchAndFamily);
    prolog += Format("\\fcharset%d", font.charSet);
    prolog += Format("\\fprq%d ", font.pitchAndFamily & 3);
    prolog += RtfEscape(font.faceName);
    prolog += ";}";
  }
  prolog += "}";
  prolog += Format("\\deftab%d", kTabTwips);
  prolog += Format("\\paperw%d", request_.page.paperWidthTwips);
  prolog += Format("\\paperh%d", request_.page.paperHeightTwips);
  prolog += Format("\\margl%d", kMarginTwips);
  prolog += Format("\\margr%d", kMarginTwips);
  prolog += "\\widowctrl ";
  // Lines shorter than 128 characters, each cut before a control word.
  std::string_view rest = prolog;
  while (rest.size() > kPrologLine) {
    const std::size_t cut = rest.substr(0, kPrologLine).rfind('\\');
    if (cut == std::string_view::npos || cut == 0) break;
    Put(rest.substr(0, cut));
    Put("\r\n");
    rest.remove_prefix(cut);
  }
  Put(rest);
}

void Writer::Heading(std::string_view heading) {
  if (rtf_) {
    Put(Format("{\\b\\f1\\fs%d ", 2 * (size_ + 2)));
    PutData(heading);
    Put("\r\n");
    Put("\\par \\pard\\plain {\\*\\do\\dobxcolumn\\dobypara\\dpline\\dpptx0\\dppty0");
    Put("\\dpptx9072\\dppty0\\dpx0\\dpy115\\dpxsize9072\\dpysize0");
    Put("\\dplinew15\\dplinecor0\\dplinecog0\\dplinecob0}}");
    Put("\r\n\\par \\par");
  } else {
    PutData(heading);
    Put("\r\n\r\n");
  }
}

void Writer::Subheading(int generation) {
  const std::string title = OrdinalText(generation) + " Generation";
  if (!rtf_) {
    Put(title);
    Put("\r\n\r\n");
    return;
  }
  if (options_.keepTogether) Put("\\pard \\keepn\\keep ");
  Put("\r\n\\par ");
  Put(Format("{\\b\\f1\\fs%d ", 2 * (size_ + 2)));
  Put(title);
  Put("\r\n\\par \r\n\\par }");
}

std::string Writer::Number(std::int32_t individual) const {
  if (!options_.numberIndividuals || !list_.Listed(individual)) return {};
  switch (request_.kind) {
    case kReportAlphabetic: {
      const IndividualSummary* person = store_.Individual(individual);
      return person ? Format("[%d] ", person->id) : std::string();
    }
    case kReportDatabase:
      return Format("(%d) ", individual);
    default:
      return Format("(%d) ", list_.SequenceOf(individual));
  }
}

void Writer::EventLine(std::string_view title, std::string_view date, std::string_view place) {
  const std::string shown = ReportDate(date);
  if (shown.empty() && place.empty()) return;
  Put(title);
  PutData(shown);
  if (!shown.empty() && !place.empty()) Put(", ");
  PutData(place);
  LineEnd();
}

void Writer::Record(std::int32_t individual) {
  const IndividualSummary* person = store_.Individual(individual);
  if (person == nullptr || person->id == 0) return;
  if (rtf_) Put(options_.keepTogether ? "\\pard \\keepn\\keep " : "\\pard ");
  Put(Number(individual));
  Bold(false);
  PutData(RecordName(Field(person->displayName)));
  LineEnd();
  Regular();

  const std::string_view birth = Field(person->birthDate);
  if (!birth.empty()) {
    const bool baptism = birth.front() == 'c';
    EventLine(baptism ? "Baptised:  " : "Born:  ", WithoutEventPrefix(birth),
              Field(person->birthPlace));
  }
  const std::string_view death = Field(person->deathDate);
  if (!death.empty()) {
    const bool burial = death.front() == 'b';
    EventLine(burial ? "Buried:  " : "Died:  ", WithoutEventPrefix(death),
              Field(person->deathPlace));
  }
  const std::string_view occupation = Field(person->occupation);
  if (!occupation.empty()) {
    Put("Occupation:  ");
    PutData(occupation);
    LineEnd();
  }
  Marriages(individual, *person);
  if (const FamilySummary* parents = store_.Family(person->parentFamily);
      parents != nullptr && parents->id != 0) {
    Parent("Father:  ", parents->husband);
    Parent("Mother:  ", parents->wife);
  }
  if (options_.includeNotes) Notes(*person);

  if (rtf_) {
    Put(Format("} \\pard \\nowidctlpar {\\fs%d ", 2 * size_));
    LineEnd();
    Put("}");
  } else {
    LineEnd();
  }
}

void Writer::Marriages(std::int32_t individual, const IndividualSummary& person) {
  const std::vector<std::int32_t> families = store_.FamiliesOf(individual, true);
  int order = 0;
  for (std::int32_t f : families) {
    ++order;
    const FamilySummary* family = store_.Family(f);
    if (family == nullptr) continue;
    Put(families.size() == 1 ? std::string("Married:  ") : Format("Married %d:  ", order));
    const std::string date = ReportDate(WithoutEventPrefix(Field(family->marriageDate)));
    if (!date.empty()) {
      PutData(date);
      Put(", ");
    }
    const std::string_view place = Field(family->marriagePlace);
    if (!place.empty()) {
      PutData(place);
      Put(", ");
    }
    const std::int32_t spouse = family->husband == individual ? family->wife : family->husband;
    const IndividualSummary* other = spouse > 0 ? store_.Individual(spouse) : nullptr;
    if (other != nullptr && other->id != 0) Put(Number(spouse));
    Bold();
    if (other != nullptr && other->id != 0) PutData(PlainName(Field(other->displayName)));
    LineEnd();
    Regular();
    Children(*family, person);
  }
}

void Writer::Children(const FamilySummary& family, const IndividualSummary& person) {
  if (person.sex == 0 && options_.childrenUnderFatherOnly) {
    const auto count = std::count_if(std::begin(family.children), std::end(family.children),
                                     [](std::int32_t c) { return c > 0; });
    Indent();
    Put("Children: ");
    Put(Format("%d", static_cast<int>(count)));
    LineEnd();
    return;
  }
  // Later children line up under the first: the tab stops that the width
  // of "Children: " covers (one in plain text).
  const int covered = rtf_ ? request_.page.font.childrenWidthTwips / kTabTwips : 1;
  bool first = true;
  for (std::int32_t c : family.children) {
    const IndividualSummary* child = c > 0 ? store_.Individual(c) : nullptr;
    if (child == nullptr || child->id == 0) continue;
    Indent();
    if (first) {
      Put("Children: ");
    } else {
      for (int i = 0; i < covered; ++i) Indent();
    }
    Indent();
    first = false;
    Put(Number(c));
    PutData(PlainName(Field(child->displayName)));
    const std::string_view year = Field(child->birthYear);
    if (!year.empty()) {
      const std::string_view birth = Field(child->birthDate);
      Put(!birth.empty() && birth.front() == 'c' ? ",  bapt. " : ",  born ");
      PutData(year);
    }
    LineEnd();
  }
}

void Writer::Parent(std::string_view title, std::int32_t parent) {
  const IndividualSummary* person = parent > 0 ? store_.Individual(parent) : nullptr;
  if (person == nullptr || person->id == 0) return;
  Put(title);
  Put(Number(parent));
  Bold();
  PutData(PlainName(Field(person->displayName)));
  LineEnd();
  Regular();
}

void Writer::Notes(const IndividualSummary& person) {
  if (person.noteOffset <= 0) return;
  const char* text = store_.TextAt(person.noteOffset);
  if (text == nullptr) return;
  const std::vector<std::string> lines = NoteLines(text);
  if (lines.empty()) return;
  if (!options_.omitNotesTitle) Put("Notes:  ");
  for (const std::string& line : lines) {
    PutData(line);
    LineEnd();
  }
}

// Runs the writer over a list; drain is offered the text after each record
// and returns false to stop.
int Write(const RecordStore& store, const ReportRequest& request, const ReportList& list,
          std::string& out, const ReportProgress& progress, const std::function<bool()>& drain) {
  const std::int32_t total = list.Size();
  if (progress) progress(0, total);
  Writer writer(store, request, list, out);
  writer.Prolog();
  const std::string_view heading =
      std::string_view(request.heading)
          .substr(0, std::min(request.heading.size(), kMaxHeadingLength));
  if (request.options.includeHeading && !heading.empty()) writer.Heading(heading);
  const bool subheadings = request.options.generationSubheadings &&
                           (request.kind == kReportDescendants || request.kind == kReportAncestors);
  int generation = 0;
  std::int32_t done = 0;
  for (const ReportEntry& entry : list.Entries()) {
    if (subheadings && entry.generation != generation) {
      generation = entry.generation;
      if (generation >= 1 && generation <= kMaxReportGeneration) writer.Subheading(generation);
    }
    writer.Record(entry.individual);
    ++done;
    if (progress && done % kProgressEvery == 0) progress(done, total);
    if (drain && !drain()) return kReportWriteFailed;
  }
  writer.End();
  if (progress) progress(total, total);
  return 0;
}

}  // namespace

ReportOptions ReportOptions::FromSettings(const Settings& settings) {
  ReportOptions o;
  for (int i = 0; i < kCount; ++i) o.Set(i, settings.fparam[kFirstSlot + i] != 0);
  return o;
}

void ReportOptions::StoreIn(Settings& settings) const {
  for (int i = 0; i < kCount; ++i) settings.fparam[kFirstSlot + i] = Get(i) ? 1 : 0;
}

bool ReportOptions::Get(int check) const {
  switch (check) {
    case 0:
      return includeNotes;
    case 1:
      return omitNotesTitle;
    case 2:
      return numberIndividuals;
    case 3:
      return childrenUnderFatherOnly;
    case 4:
      return maleLinesOnly;
    case 5:
      return keepTogether;
    case 6:
      return includeHeading;
    case 7:
      return generationSubheadings;
  }
  return false;
}

void ReportOptions::Set(int check, bool on) {
  switch (check) {
    case 0:
      includeNotes = on;
      break;
    case 1:
      omitNotesTitle = on;
      break;
    case 2:
      numberIndividuals = on;
      break;
    case 3:
      childrenUnderFatherOnly = on;
      break;
    case 4:
      maleLinesOnly = on;
      break;
    case 5:
      keepTogether = on;
      break;
    case 6:
      includeHeading = on;
      break;
    case 7:
      generationSubheadings = on;
      break;
  }
}

std::string_view RtfFamilyWord(int pitchAndFamily) {
  switch (pitchAndFamily & 0xF0) {
    case 0x10:
      return "\\froman";
    case 0x20:
      return "\\fswiss";
    case 0x30:
      return "\\fmodern";
    case 0x40:
      return "\\fscript";
    case 0x50:
      return "\\fdecor";
    default:
      return "\\fnil";
  }
}

ReportFont ReportFontOf(const FontRecord& record, int dpi) {
  ReportFont font;
  font.faceName = record.faceName();
  font.charSet = record.charSet();
  font.pitchAndFamily = record.pitchAndFamily();
  if (dpi <= 0) dpi = 96;
  const int height = std::abs(record.height());
  // A cell height holds some leading above the characters: about a sixth.
  const int characterHeight = record.height() < 0 ? height : height * 5 / 6;
  font.pointSize = std::max(kMinReportPointSize, (characterHeight * 72 + dpi / 2) / dpi);
  const bool fixedPitch = (font.pitchAndFamily & 3) == 1 || (font.pitchAndFamily & 0xF0) == 0x30;
  // Twentieths of a point: ten characters of 0.6 em (or 0.5 em).
  font.childrenWidthTwips = 10 * font.pointSize * 20 * (fixedPitch ? 6 : 5) / 10;
  return font;
}

ReportPage ReportPageOf(const Settings& settings, int dpi) {
  ReportPage page;
  if (settings.fparam[3] > 0 && settings.fparam[4] > 0) {
    page.paperHeightTwips = settings.fparam[3];
    page.paperWidthTwips = settings.fparam[4];
  }
  page.font = ReportFontOf(settings.fonts[kChartFont], dpi);
  return page;
}

int ReportText(const RecordStore& store, const ReportRequest& request, std::string& out,
               const ReportProgress& progress) {
  out.clear();
  ReportList list;
  if (BuildReportList(store, request.kind, request.base, request.options.maleLinesOnly, list) != 0)
    return kReportNoList;
  return Write(store, request, list, out, progress, {});
}

int WriteReport(const RecordStore& store, const ReportRequest& request, const std::string& path,
                const ReportProgress& progress) {
  // The list first: without one no file is made.
  ReportList list;
  if (BuildReportList(store, request.kind, request.base, request.options.maleLinesOnly, list) != 0)
    return kReportNoList;
  std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "wb");
  if (file == nullptr) return kReportCannotOpen;
  std::string text;
  bool written = true;
  const auto drain = [&]() {
    if (text.size() < kFlushAt) return true;
    written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    text.clear();
    return written;
  };
  int status = Write(store, request, list, text, progress, drain);
  if (status == 0 && !text.empty())
    written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = std::fclose(file) == 0;
  if (status == 0 && (!written || !closed)) status = kReportWriteFailed;
  if (status != 0) RemovePartialFile(path);
  return status;
}

std::string ReportFileName(std::string_view name, bool rtf) {
  std::string out(name.substr(0, std::min<std::size_t>(name.size(), kMaxFileName)));
  const std::size_t separator = out.find_last_of("\\/");
  const std::size_t dot = out.rfind('.');
  const bool hasExtension =
      dot != std::string::npos && (separator == std::string::npos || dot > separator);
  if (!hasExtension && static_cast<int>(out.size()) < kNameRoomForExtension)
    out += rtf ? ".rtf" : ".txt";
  return out;
}

std::string DefaultReportHeading(std::string_view label, std::string_view displayName) {
  if (displayName.empty()) return {};
  std::string heading(label);
  std::replace(heading.begin(), heading.end(), ':', ' ');
  heading += PlainName(displayName);
  while (!heading.empty() && heading.back() == ' ') heading.pop_back();
  return heading;
}

}  // namespace dv
