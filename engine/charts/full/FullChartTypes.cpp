#include "charts/full/FullChartTypes.h"

#include <algorithm>

#include "common/StringTable.h"

namespace dv {

ChartStatus Fail(int id, int suffixLabel) {
  ChartStatus st;
  st.messages.push_back({id, suffixLabel ? std::string(StringText(suffixLabel)) : std::string()});
  return st;
}

ChartStatus ProcessingError() { return Fail(kMsgFcData, kLblProcessingError); }
ChartStatus RetrievalError() { return Fail(kMsgFcData, kLblRetrievalError); }

FullChartOptions FullChartOptions::FromSettings(const Settings& s) {
  FullChartOptions o;
  o.people = People(std::clamp(s.dparam[36], 0, 2));
  o.maxAncestors = s.dparam[37];
  o.maxDescendants = s.dparam[38];
  o.lineWidth = s.bparam[0];
  o.links = LinkPens(std::clamp(s.bparam[1], 0, 2));
  o.pageNumbers = s.dparam[31];
  o.alignment = s.dparam[32];
  o.fold = s.dparam[6] != 0;
  o.equals = s.dparam[4] != 0;
  o.birthNotMarriage = s.bparam[3] != 0;
  o.title = s.dparam[41];
  o.noPageBreaks = s.dparam[42] != 0;
  o.boxChart = s.dparam[26] != 0;
  for (int k = 0; k < 6; ++k) o.box.spouse[k] = s.gparam[1 + k] != 0;
  for (int k = 0; k < 4; ++k) o.box.child[k] = s.gparam[7 + k] != 0;
  o.box.occupation = s.gparam[11] != 0;
  o.box.maleFirst = s.dparam[30] != 0;
  o.box.blankLines = s.dparam[33] != 0;
  o.box.noDuplicate = s.dparam[34] != 0;
  o.box.fullChildNames = s.dparam[35] != 0;
  o.box.colourBoxes = s.dparam[40] != 0;
  o.box.excludeMarried = s.dparam[43] != 0;
  return o.Normalised();
}

void FullChartOptions::DeriveShortChildLines(Settings& s) {
  s.gparam[0] = s.gparam[7] == 0 && s.gparam[8] == 0 && s.gparam[9] == 0 && s.gparam[10] == 0;
}

FullChartOptions FullChartOptions::Normalised() const {
  FullChartOptions o = *this;
  o.maxAncestors = std::clamp(o.maxAncestors, 1, kAllGenerations);
  o.maxDescendants = std::clamp(o.maxDescendants, 1, kAllGenerations);
  o.lineWidth = std::clamp(o.lineWidth, 1, 10);
  o.pageNumbers = std::clamp(o.pageNumbers, 0, 4);
  o.alignment = o.alignment != 0 ? 1 : 0;
  return o;
}

}  // namespace dv
