#include "data/DataCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "data/DataSource.h"
#include "data/DataTestSupport.h"
#include "resources/resource.h"

namespace dv::win::test {
namespace {

std::string WindowText(HWND window) {
  char text[600] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

bool Has(const std::vector<int>& ids, int id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

class DataCommandsTest : public DataTest {
 protected:
  void TearDown() override {
    for (const auto& file : written_) {
      DeleteFileA(file.c_str());
      DeleteFileA((file + ".bak").c_str());
    }
    DataTest::TearDown();
  }
  std::string Output(const std::string& name) {
    written_.push_back(dir_ + "\\" + name);
    return written_.back();
  }
  std::vector<std::string> written_;
};

TEST_F(DataCommandsTest, NewMakesAnUntitledDataSourceAndOpensEditMode) {
  HWND window = Start("");
  SendMessageA(window, WM_COMMAND, IDM_FILE_NEW, 0);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(WindowText(window), "Dorvane - untitled");
  const auto& app = State().app;
  EXPECT_EQ(app.helpContext, 326);
  EXPECT_EQ(app.sourceFormat, 1);
  EXPECT_NE(app.recordsLoaded, 0);
  EXPECT_TRUE(TextOf(app.currentSource).empty());
  EXPECT_EQ(Data().store.dataChanged, 1);
  EXPECT_TRUE(Has(PostedCommands(window), IDM_FILE_EDIT));
}

TEST_F(DataCommandsTest, NewOverLoadedDataAsksAndCancelKeepsIt) {
  HWND window = Start("");
  ASSERT_TRUE(Load(WriteFile("family.ged", kSmallGedcom)));
  boxes_.clear();
  boxAnswer_ = IDCANCEL;
  SendMessageA(window, WM_COMMAND, IDM_FILE_NEW, 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "This will close your current data source");
  EXPECT_EQ(Data().store.IndividualCount(), 3);
  EXPECT_EQ(WindowText(window), "Dorvane - FAMILY.GED");
}

TEST_F(DataCommandsTest, SaveOfNewDataOpensSaveAs) {
  HWND window = Start("");
  SendMessageA(window, WM_COMMAND, IDM_FILE_NEW, 0);
  TakeMessages();
  SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE, 0);
  ASSERT_EQ(fileBoxes_.size(), 1u);
  EXPECT_EQ(fileBoxes_[0], FileBox::kSaveAs);
  // Cancelled: nothing written, nothing posted.
  EXPECT_FALSE(Has(PostedCommands(window), IDM_SAVE_NAMED));
}

TEST_F(DataCommandsTest, SaveAsWritesTheTemplateWithTheFileName) {
  HWND window = Start("");
  SendMessageA(window, WM_COMMAND, IDM_FILE_NEW, 0);
  TakeMessages();
  chosenPath_ = Output("new.ged");
  SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE_AS, 0);
  ASSERT_TRUE(Has(PostedCommands(window), IDM_SAVE_NAMED));
  SendMessageA(window, WM_COMMAND, IDM_SAVE_NAMED, 0);
  EXPECT_TRUE(boxes_.empty());
  const std::string date = dv::FormatGedcomDate(dv::Today());
  EXPECT_EQ(ReadFile(chosenPath_),
            "0 HEAD\r\n"
            "1 SOUR DORVANE\r\n"
            "2 VERS 4.07\r\n"
            "2 NAME Dorvane\r\n"
            "1 DEST DORVANE\r\n"
            "1 DATE " +
                date +
                "\r\n"
                "1 SUBM @SUB1@\r\n"
                "1 FILE new.ged\r\n"
                "1 GEDC\r\n"
                "2 VERS 5.5\r\n"
                "2 FORM LINEAGE-LINKED\r\n"
                "1 CHAR ANSI\r\n"
                "0 @SUB1@ SUBM\r\n"
                "1 NAME\r\n"
                "0 TRLR\r\n");
  EXPECT_EQ(WindowText(window), "Dorvane - NEW.GED");
  EXPECT_EQ(Data().store.dataChanged, 0);
  EXPECT_EQ(std::string(TextOf(State().app.currentSource)), Upper(chosenPath_));
  EXPECT_FALSE(Exists(chosenPath_ + ".bak"));
}

TEST_F(DataCommandsTest, SaveOfALoadedFileKeepsABackup) {
  HWND window = Start("");
  const std::string path = Output("family.ged");
  { std::ofstream(path, std::ios::binary) << kSmallGedcom; }
  ASSERT_TRUE(Load(path));
  Data().store.dataChanged = 2;
  SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE, 0);
  EXPECT_TRUE(fileBoxes_.empty());
  EXPECT_TRUE(boxes_.size() == 1u && boxes_[0].text == "3 individuals\n1 families");
  EXPECT_EQ(ReadFile(path + ".bak"), kSmallGedcom);
  const std::string saved = ReadFile(path);
  EXPECT_NE(saved.find("1 FILE FAMILY.GED\r\n"), std::string::npos);
  EXPECT_EQ(Data().store.dataChanged, 0);
  EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(DataCommandsTest, AFailedWriteShowsAnErrorAndKeepsTheDataUnsaved) {
  HWND window = Start("");
  ASSERT_TRUE(Load(WriteFile("family.ged", kSmallGedcom)));
  boxes_.clear();
  Data().store.dataChanged = 2;
  const std::string missing = dir_ + "\\no such folder\\family.ged";
  CopyText(State().app.currentSource, missing);
  SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE, 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, "Dorvane");
  EXPECT_EQ(boxes_[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
  EXPECT_EQ(boxes_[0].text.rfind("Cannot open file for output: ", 0), 0u);
  EXPECT_EQ(Data().store.dataChanged, 2);
  EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(DataCommandsTest, SaveAsToAnUnwritablePlaceKeepsTheOldName) {
  HWND window = Start("");
  ASSERT_TRUE(Load(WriteFile("family.ged", kSmallGedcom)));
  boxes_.clear();
  Data().store.dataChanged = 2;
  chosenPath_ = dir_ + "\\no such folder\\other.ged";
  SendMessageA(window, WM_COMMAND, IDM_FILE_SAVE_AS, 0);
  SendMessageA(window, WM_COMMAND, IDM_SAVE_NAMED, 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(WindowText(window), "Dorvane - FAMILY.GED");
  EXPECT_EQ(Data().store.dataChanged, 2);
}

TEST_F(DataCommandsTest, ViewEditModeIsLeftBeforeAChartOrReport) {
  HWND window = Start("");
  EXPECT_TRUE(LeaveViewEditFirst(window));
  EXPECT_EQ(State().app.resumeMode, 0);
  // Close (63) belongs to the view/edit mode; while it leaves the mode on,
  // the chart or report must not open.
  State().app.viewEditMode = 1;
  EXPECT_FALSE(LeaveViewEditFirst(window));
  EXPECT_EQ(State().app.resumeMode, 1);
  State().app.viewEditMode = 0;
}

}  // namespace
}  // namespace dv::win::test
