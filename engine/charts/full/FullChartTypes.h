#pragma once
// The working storage of one full chart (Tree or BoxChart): the options it
// was run with, the page it is laid out for, the two family placement lists,
// the two descent-link tables, the link placeholders, the per-family and
// per-individual work fields, the generation table and the display items.
// One FullChartStorage holds all of it and is released in one step.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/Settings.h"

namespace dv {

// Capacities of the chart storage.
inline constexpr int kPlacementCapacity = 3274;  // entries of each placement list
inline constexpr int kLinkCapacity = 4092;       // entries of each descent-link table
inline constexpr int kLinkLimit = kLinkCapacity - 2;
inline constexpr int kGenerationRows = 500;  // row 0 unused
inline constexpr int kStartGeneration = 201;
inline constexpr int kAllGenerations = 199;
inline constexpr int kFcItemBlockSize = 3274;
inline constexpr int kFcItemBlocks = 19;
inline constexpr int kMaxGroupChildren = 25;
inline constexpr int kMarriageTextSize = 64;    // 63 characters and the NUL
inline constexpr int kNoPageBreakSize = 32760;  // columns and lines of an unbroken page

// Message ids of the full chart. The step messages are one text with the
// step's name behind it ("Aborted in " + "layout").
inline constexpr int kMsgFcCannotAllocate = 1;
inline constexpr int kMsgFcTooManyFamilies = 15;
inline constexpr int kMsgFcCannotGenerate = 26;
inline constexpr int kMsgFcCorrelation = 30;  // "Data correlation error"
inline constexpr int kMsgFcWidthOverrun = 35;
inline constexpr int kMsgFcVerticalFormat = 36;
inline constexpr int kMsgFcGroupsOverlap = 59;
inline constexpr int kMsgFcTooMuchData = 75;
inline constexpr int kMsgFcMarriageByEquals = 86;
inline constexpr int kMsgFcCannotDisplay = 110;
inline constexpr int kMsgFcAbortedIn = 194;  // "Aborted in " + step label
inline constexpr int kMsgFcErrorIn = 195;    // "Error in " + step label
inline constexpr int kMsgFcData = 196;       // "Data " + "processing error" / "retrieval error"
inline constexpr int kMsgFcWiderThanPage = 197;
inline constexpr int kMsgFcPageFormat = 198;
inline constexpr int kMsgFcNoAncestors = 199;
inline constexpr int kMsgFcNoDescendants = 200;
inline constexpr int kMsgFcCannotFormatForPrinter = 207;
inline constexpr int kMsgFcNoSpaceForTitle = 208;
inline constexpr int kMsgFcTitleTooLarge = 209;

// Labels: the step names behind 194-196, and the chart's own texts.
inline constexpr int kLblLayout = 320;
inline constexpr int kLblFormatting = 321;
inline constexpr int kLblXlpl = 322;
inline constexpr int kLblHorizontalPasses = 323;  // "hu/hl/lsh"
inline constexpr int kLblPageBoundaries = 324;    // "hpb/hlc"
inline constexpr int kLblLkl = 325;
inline constexpr int kLblLpc = 326;
inline constexpr int kLblRtr = 327;
inline constexpr int kLblProcessingError = 328;
inline constexpr int kLblRetrievalError = 329;
inline constexpr int kLblResultSize = 330;
inline constexpr int kLblResultCounts = 331;
inline constexpr int kLblRelativesOf = 332;
inline constexpr int kLblAncestorsOf = 333;
inline constexpr int kLblDescendantsOf = 334;
inline constexpr int kLblUnknown = 335;
inline constexpr int kLblView = 336;
inline constexpr int kLblPrintPreview = 337;

// One message to show: a string id and the text behind it.
struct ChartMessage {
  int id = 0;
  std::string suffix;
  friend bool operator==(const ChartMessage&, const ChartMessage&) = default;
};

// The status of a step: 0, or the messages to show in order.
struct ChartStatus {
  std::vector<ChartMessage> messages;
  bool ok() const { return messages.empty(); }
  int first() const { return messages.empty() ? 0 : messages.front().id; }
};
ChartStatus Fail(int id, int suffixLabel = 0);
// "Data processing error", "Data retrieval error", "Data correlation error".
ChartStatus ProcessingError();
ChartStatus RetrievalError();

enum class People : int { kAll = 0, kAncestors = 1, kDescendants = 2 };
enum class LinkPens : int { kUniform = 0, kBlack = 1, kColour = 2 };

// The BoxChart's data lines and choices (settings gparam 1-11, dparam 30,
// 33-35, 40 and 43).
struct BoxOptions {
  // Spouse: birth date, birth place, death date, death place, marriage
  // date, marriage place (gparam 1-6); child: birth date, birth place,
  // death date, death place (gparam 7-10); spouse occupation (gparam 11).
  bool spouse[6] = {true, true, true, true, true, false};
  bool child[4] = {false, false, false, false};
  bool occupation = false;
  bool blankLines = false;      // "Leave blank lines for missing data"
  bool noDuplicate = true;      // "Do not duplicate spouse/child data"
  bool fullChildNames = false;  // "Show children's names in full"
  bool maleFirst = true;        // "Male spouse always first"
  bool excludeMarried = false;  // "Exclude married children from boxes"
  bool colourBoxes = true;      // "Colour boxes"
  // Derived: no Child data line is chosen, so children take one short line.
  bool shortChildLines() const { return !child[0] && !child[1] && !child[2] && !child[3]; }
};

// The full chart options (settings dparam, bparam and fparam slots).
struct FullChartOptions {
  People people = People::kAll;          // dparam 36
  int maxAncestors = kAllGenerations;    // dparam 37, 1..199
  int maxDescendants = kAllGenerations;  // dparam 38, 1..199
  int lineWidth = 6;                     // bparam 0, 1..10
  LinkPens links = LinkPens::kUniform;   // bparam 1
  int pageNumbers = 0;                   // dparam 31, 0..4
  int alignment = 0;                     // dparam 32: 0 bottom, 1 centre
  bool fold = false;                     // dparam 6
  bool equals = false;                   // dparam 4
  bool birthNotMarriage = false;         // bparam 3
  int title = 0;                         // dparam 41 (running values 3 and negative)
  bool noPageBreaks = false;             // dparam 42
  bool boxChart = false;                 // dparam 26
  BoxOptions box;

  static FullChartOptions FromSettings(const Settings& s);
  // Sets the derived slot gparam 0: 1 when no Child data line is chosen.
  static void DeriveShortChildLines(Settings& s);
  // Maxima and line width clamped to their ranges, page numbers to 0..4.
  FullChartOptions Normalised() const;
  bool pageNumbersOn() const { return pageNumbers > 0; }
  bool pageNumbersTop() const { return pageNumbers == 2 || pageNumbers == 4; }
  bool blankPagesNumbered() const { return pageNumbers >= 3; }
};

// The page a full chart is laid out for, in cells of the chart font.
struct FullChartPage {
  int pageColumns = 160, pageLines = 130;  // printable area in cells
  int marginTop = 0, marginBottom = 0, marginLeft = 0, marginRight = 0;
  int chartTop = 0, chartBottom = 0, chartLeft = 0, chartRight = 0;
  int printerCharWidth = 15, printerLineHeight = 25;  // printer pixels of one cell
  int dpiX = 600, dpiY = 600;                         // printer pixels per inch
  int usableColumns() const { return pageColumns - marginLeft - marginRight; }
  int usableLines() const { return pageLines - marginTop - marginBottom; }
};

// The title as measured in the title font scaled to the printer, in cells.
struct TitleSize {
  int oneLineColumns = 0;    // "Relatives of " + name
  int threeLineColumns = 0;  // the wider of "Relatives" and the name
  int lineLines = 2;         // one title line in lines of the chart font
};

// A family placement: a family index (> 0), a link placeholder (< 0) or an
// empty entry (0), its generation and position in the row, the link that
// leads to it, and its flag (1 reached again, -1 childless without other
// marriages).
struct FamilyPlacement {
  std::int32_t family = 0;
  std::int16_t generation = 0;
  std::int16_t position = 0;
  std::int32_t link = 0;
  std::int16_t flag = 0;
};

// Descent-link kinds.
inline constexpr int kLinkHusbandUp = 1;
inline constexpr int kLinkWifeUp = 2;
inline constexpr int kLinkRepeated = 3;
inline constexpr int kLinkSon = 4;
inline constexpr int kLinkDaughter = 5;
inline constexpr int kLinkPlacedElsewhere = 6;
inline constexpr int kLinkWithdrawn = -10;

// A descent link from a child's slot in the group above (upper: a family
// index, or a placeholder number < 0) to the person's place in the group
// below (lower: the family the person heads, or a placeholder < 0).
struct DescentLink {
  std::int32_t upper = 0;
  std::int32_t lower = 0;
  std::int16_t childIndex = 0;  // among the upper family's children (0-based)
  std::int16_t side = 0;        // 0 husband's side, 1 wife's side
  std::int16_t route1 = 0, route2 = 0;
  std::int16_t kind = 0;
  std::int16_t flag = 0;  // 1 spans generations, -10 withdrawn
  std::int32_t upperGeneration = 0;
  std::int32_t position = 0;
  std::int32_t order = 0;
};

// A link placeholder: a place in one generation that a line of descent runs
// through, 2 columns wide and 1 line high.
struct Placeholder {
  std::int32_t number = 0;  // negative, as stored in a placement
  std::int16_t generation = 0;
  std::int16_t position = 0;
  std::int32_t column = 0;
  std::int32_t width = 2;
  std::int32_t height = 1;
};

// The work fields of a family while a chart is held.
struct FamilyWork {
  std::int32_t column = 0;  // left edge of the group
  std::int32_t width = 0;
  std::int32_t coupleOffset = 0;
  std::int32_t childrenOffset = 0;
  std::int32_t marriageOffset = 0;
  std::int32_t nameWidth[2] = {};   // first and second name as shown
  std::int32_t connection[2] = {};  // centre of the husband's and the wife's name
  std::int32_t dropColumn = 0;      // offset of the line down to the children
  std::int32_t childOffset[kMaxGroupChildren] = {};
  std::int32_t childWidth[kMaxGroupChildren] = {};
  std::int16_t childrenState = -1;  // -1 none, 0 one, 1 several, 2 foldable, 3 folded
  std::int16_t firstLineCount = 0;  // children on the first line of a folded group
  std::int32_t joinOffset = 0;      // folded: the column joining the two children lines
  char marriageText[kMarriageTextSize] = {};
  std::int32_t boxHeight = 0;  // BoxChart: the box's text lines
  // The next and the previous group of the row when they are marriages of
  // one person that stand side by side as a chain, else 0; the marriage's
  // number in its chain (1, 2, ...), 0 outside a chain.
  std::int32_t chainNext = 0;
  std::int32_t chainPrev = 0;
  std::int16_t chainNumber = 0;
  std::int16_t generation = 0;
  std::int16_t colour = 0;  // 1..16
  bool wifeFirst = false;
  bool placed = false;      // in one of the placement lists
  std::int32_t line = 0;    // top line of the group
  std::int32_t bottom = 0;  // the line below its last line
};

// The work fields of an individual while a chart is held.
struct IndividualWork {
  std::int32_t nameWidth = 0;  // as shown in a children line
  bool counted = false;
  // > 0: the child heads the family of that index below (a slot); < 0 the
  // child's childless marriage (family -mark) is shown inside this group.
  std::int32_t mark = 0;
};

// One row of the generation table.
struct GenerationRow {
  std::int16_t generation = 0;
  std::int32_t line = 0;       // top of its family groups
  std::int32_t rightmost = 0;  // rightmost column in use
  std::int32_t families = 0;   // families and placeholders in the row
  bool childrenLine = false;
  bool folded = false;
  // A repeated-family line (kinds 3 and 6) runs through a placeholder here.
  bool repeatedLinks = false;
  std::int32_t boxHeight = 0;  // BoxChart: the greatest box height
  std::int32_t height = 0;     // lines from the row's line to its groups' last line
  std::int32_t reservedAbove = 0, reservedBelow = 0;
  std::int32_t step = 0;  // lines from this row's line to the next
};

// A display item (text, rule or box) of the composed chart.
inline constexpr int kFcText = 1;
inline constexpr int kFcHorizontal = 2;
inline constexpr int kFcVertical = 3;
inline constexpr int kFcVerticalContinued = 4;
inline constexpr int kFcBox = -1;
// A box's style without "Colour boxes": framed by its four edges.
inline constexpr int kFcFramedBox = -1;

struct DisplayItem {
  std::int32_t column = 0;
  std::int32_t line = 0;
  std::int16_t kind = 0;
  std::int16_t length = 0;  // columns (horizontal), lines (vertical), 0 text
  std::int16_t style = 0;   // lines: link kind; texts and boxes: colour index
  std::int16_t page = 0;
  std::int32_t text = -1;  // index into the chart's text store; box: width | height << 16
};

}  // namespace dv
