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
  return o.Normalised();
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
