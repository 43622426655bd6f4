#include "charts/full/FullChartTypes.h"

#include <gtest/gtest.h>

#include "common/StringTable.h"

namespace dv {
namespace {

TEST(FullChartOptions, ReadTheirSettingsSlotsAndClamp) {
  Settings s;
  s.dparam[36] = 2;
  s.dparam[37] = 0;
  s.dparam[38] = 500;
  s.bparam[0] = 40;
  s.bparam[1] = 2;
  s.bparam[3] = 1;
  s.dparam[31] = 4;
  s.dparam[42] = 1;
  const FullChartOptions o = FullChartOptions::FromSettings(s);
  EXPECT_EQ(o.people, People::kDescendants);
  EXPECT_EQ(o.maxAncestors, 1);
  EXPECT_EQ(o.maxDescendants, kAllGenerations);
  EXPECT_EQ(o.lineWidth, 10);
  EXPECT_EQ(o.links, LinkPens::kColour);
  EXPECT_TRUE(o.birthNotMarriage);
  EXPECT_TRUE(o.pageNumbersTop());
  EXPECT_TRUE(o.blankPagesNumbered());
  EXPECT_TRUE(o.noPageBreaks);
  const FullChartOptions defaults = FullChartOptions::FromSettings(Settings());
  EXPECT_EQ(defaults.maxAncestors, 199);
  EXPECT_EQ(defaults.lineWidth, 6);
}

TEST(FullChartMessages, StepMessagesReadAsOneText) {
  const ChartStatus st = Fail(kMsgFcAbortedIn, kLblHorizontalPasses);
  ASSERT_EQ(st.messages.size(), 1u);
  EXPECT_EQ(MessageText(st.first(), st.messages[0].suffix), "Aborted in hu/hl/lsh");
  const ChartStatus p = ProcessingError();
  EXPECT_EQ(MessageText(p.first(), p.messages[0].suffix), "Data processing error");
  const ChartStatus r = RetrievalError();
  EXPECT_EQ(MessageText(r.first(), r.messages[0].suffix), "Data retrieval error");
  EXPECT_EQ(MessageText(kMsgFcCannotFormatForPrinter),
            "Cannot format for printer.\n\nYou must choose the 'No page breaks' option.");
}

}  // namespace
}  // namespace dv
