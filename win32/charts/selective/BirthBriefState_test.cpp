#include "charts/selective/BirthBriefState.h"

#include <gtest/gtest.h>

#include <string>

#include "charts/selective/BirthBriefTestData.h"
#include "data/DataSource.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

using BirthBriefStateTest = ShellTest;

// Without a printer the page is widened to hold the widest chart, inside
// the margins of the settings.
TEST_F(BirthBriefStateTest, WithoutAPrinterThePageHoldsTheChart) {
  State().settings.dparam[39] = 31;
  State().settings.dparam[17] = 3;  // left margin
  State().settings.dparam[18] = 2;  // right margin
  State().page.pageColumns = 100;
  State().page.pageLines = 60;
  const dv::PageGeometry page = BirthBriefPageGeometry();
  EXPECT_EQ(page.margins.left, 3);
  EXPECT_EQ(page.pageColumns, 6 * 31 + 34 + 3 + 2);
  EXPECT_EQ(page.usableColumns, 6 * 31 + 34);
  EXPECT_EQ(page.pageLines, 130);
}

TEST_F(BirthBriefStateTest, ALargerPageIsKept) {
  State().page.pageColumns = 300;
  State().page.pageLines = 200;
  const dv::PageGeometry page = BirthBriefPageGeometry();
  EXPECT_EQ(page.pageColumns, 300);
  EXPECT_EQ(page.pageLines, 200);
}

TEST_F(BirthBriefStateTest, RecordsCountOnlyWhileLoaded) {
  ResetDataState();
  std::string summary;
  ASSERT_EQ(dv::LoadDataSourceBytes(Data().store, kBirthBriefFamily, dv::LoadOptions{}, summary),
            0);
  EXPECT_EQ(LoadedRecordStore(), nullptr);
  State().app.recordsLoaded = 1;
  EXPECT_EQ(LoadedRecordStore(), &Data().store);
  EXPECT_NE(BaseDisplayName(LoadedRecordStore(), 4).find("Petroc"), std::string::npos);
  EXPECT_EQ(BaseDisplayName(LoadedRecordStore(), 99), "");
  EXPECT_EQ(BaseDisplayName(nullptr, 1), "");
  ResetDataState();
}

}  // namespace
}  // namespace dv::win::test
