#include "reports/ReportDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charts/selective/ChartDialogTestSupport.h"
#include "data/DataSource.h"
#include "data/DataState.h"
#include "data/DataTestSupport.h"
#include "data/RecordStore.h"
#include "reports/ReportCommands.h"
#include "reports/ReportDialogRes.h"
#include "resources/resource.h"
#include "shell/AppState.h"

namespace dv::win::test {
namespace {

// Three generations: William and Ann, their son John (with braces in his
// occupation), his wife Mary and their daughter Alice.
constexpr const char* kFamily =
    "0 HEAD\r\n"
    "0 @I1@ INDI\r\n1 NAME William /Smith/\r\n1 SEX M\r\n1 FAMS @F1@\r\n"
    "0 @I2@ INDI\r\n1 NAME Ann /Baker/\r\n1 SEX F\r\n1 FAMS @F1@\r\n"
    "0 @I3@ INDI\r\n1 NAME John /Smith/\r\n1 SEX M\r\n1 OCCU Clerk {senior}\r\n"
    "1 FAMC @F1@\r\n1 FAMS @F2@\r\n"
    "0 @I4@ INDI\r\n1 NAME Mary /van Dyke/\r\n1 SEX F\r\n1 FAMS @F2@\r\n"
    "0 @I5@ INDI\r\n1 NAME Alice /Smith/\r\n1 SEX F\r\n1 BIRT\r\n2 DATE 3 MAR 1870\r\n1 FAMC "
    "@F2@\r\n"
    "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n"
    "0 @F2@ FAM\r\n1 HUSB @I3@\r\n1 WIFE @I4@\r\n1 CHIL @I5@\r\n"
    "0 TRLR\r\n";

class ReportDialogTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    std::string summary;
    ASSERT_EQ(dv::LoadDataSourceBytes(store_, kFamily, dv::LoadOptions{}, summary), 0);
    State().hooks.saveFileDialog = [this](HWND, const std::string& filter, const char*,
                                          std::array<char, kFileNameBufferSize>& name) {
      filters_.push_back(filter);
      if (saveAs_.empty()) return 0;
      CopyText(name, saveAs_);
      return saveType_;
    };
  }
  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    for (const auto& f : files_) DeleteFileA(f.c_str());
    DataTest::TearDown();
  }

  HWND Open(int type) {
    session_.reportType = type;
    session_.store = &store_;
    session_.chooseBase = [this](HWND dialog, ChartSelection& selection) {
      chooserOwners_.push_back(dialog);
      if (choice_ == 0) return false;
      selection.baseIndex = choice_;
      return true;
    };
    session_.openFile = [this](HWND, const std::string& path) { opened_.push_back(path); };
    session_.page = [] { return dv::ReportPage{}; };
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kReportTemplate, State().app.mainWindow,
                                 ReportDialogProc, reinterpret_cast<LPARAM>(&session_));
    return dialog_;
  }
  void Press(int control) { ModalDriver::Press(dialog_, control); }
  bool Enabled(int control) { return IsWindowEnabled(GetDlgItem(dialog_, control)) != 0; }
  bool Visible(int control) {
    return (GetWindowLongA(GetDlgItem(dialog_, control), GWL_STYLE) & WS_VISIBLE) != 0;
  }
  bool Checked(int control) { return IsDlgButtonChecked(dialog_, control) == BST_CHECKED; }
  std::string Text(int control) {
    char text[256] = {};
    GetDlgItemTextA(dialog_, control, text, sizeof text);
    return text;
  }
  std::string Caption() {
    char text[128] = {};
    GetWindowTextA(dialog_, text, sizeof text);
    return text;
  }
  std::string Temp(const std::string& name) {
    std::string path = dir_ + "\\" + name;
    files_.push_back(path);
    return path;
  }
  // The engine's text of the report the dialog's settings give.
  std::string Expected(dv::ReportKind kind, std::int32_t base, bool rtf,
                       const std::string& heading) {
    dv::ReportRequest r;
    r.kind = kind;
    r.base = base;
    r.rtf = rtf;
    r.options = dv::ReportOptions::FromSettings(State().settings);
    if (kind == dv::kReportAlphabetic || kind == dv::kReportDatabase)
      r.options.maleLinesOnly = false;
    r.heading = heading;
    std::string text;
    EXPECT_EQ(dv::ReportText(store_, r, text), 0);
    return text;
  }

  dv::RecordStore store_;
  ReportDialogSession session_;
  HWND dialog_ = nullptr;
  std::int32_t choice_ = 0;
  std::vector<HWND> chooserOwners_;
  std::vector<std::string> opened_, filters_, files_;
  std::string saveAs_;
  int saveType_ = 1;
};

TEST_F(ReportDialogTest, AllIndividualsOpensWithTheListingOrderAndTheWindowCaption) {
  Start("");
  SetWindowTextA(State().app.mainWindow, "Dorvane - FAMILY.GED");
  State().settings.fparam[5] = 1;   // database order
  State().settings.fparam[10] = 1;  // number individuals
  ASSERT_NE(Open(0), nullptr);
  EXPECT_EQ(Caption(), "All Individuals report");
  EXPECT_TRUE(Visible(IDC_REPORT_LISTING));
  EXPECT_TRUE(Checked(IDC_REPORT_DATABASE));
  EXPECT_FALSE(Checked(IDC_REPORT_ALPHABETIC));
  EXPECT_FALSE(Visible(IDC_REPORT_BASE_LABEL));
  EXPECT_FALSE(Visible(IDC_REPORT_BASE_NAME));
  EXPECT_FALSE(Visible(IDC_REPORT_SELECT_BASE));
  EXPECT_FALSE(Enabled(IDC_REPORT_MALE_LINES));
  EXPECT_TRUE(Checked(IDC_REPORT_NUMBER));
  EXPECT_FALSE(Checked(IDC_REPORT_NOTES));
  EXPECT_EQ(Text(IDC_REPORT_HEADING), "Dorvane - FAMILY.GED");
  EXPECT_TRUE(Enabled(IDC_REPORT_SAVE));
  EXPECT_FALSE(Enabled(IDC_REPORT_VIEW));
}

TEST_F(ReportDialogTest, DescendantsShowTheBaseAndTheDefaultHeading) {
  Data().selection.baseIndex = 4;
  Open(1);
  EXPECT_EQ(Caption(), "Descendants report");
  EXPECT_FALSE(Visible(IDC_REPORT_LISTING));
  EXPECT_FALSE(Visible(IDC_REPORT_ALPHABETIC));
  EXPECT_TRUE(Visible(IDC_REPORT_SELECT_BASE));
  EXPECT_EQ(Text(IDC_REPORT_BASE_LABEL), "Descendants of:");
  EXPECT_EQ(Text(IDC_REPORT_BASE_NAME), "Mary van Dyke");
  EXPECT_EQ(Text(IDC_REPORT_HEADING), "Descendants of Mary van Dyke");
  EXPECT_TRUE(Enabled(IDC_REPORT_MALE_LINES));
  EXPECT_TRUE(Enabled(IDC_REPORT_SAVE));
}

TEST_F(ReportDialogTest, WithoutABaseSaveIsDisabledUntilOneIsChosen) {
  Open(2);
  EXPECT_EQ(Caption(), "Ancestors report");
  EXPECT_EQ(Text(IDC_REPORT_BASE_LABEL), "Ancestors of:");
  EXPECT_EQ(Text(IDC_REPORT_HEADING), "");
  EXPECT_FALSE(Enabled(IDC_REPORT_SAVE));
  choice_ = 5;
  Press(IDC_REPORT_SELECT_BASE);
  ASSERT_EQ(chooserOwners_.size(), 1u);
  EXPECT_EQ(Data().selection.baseIndex, 5);
  EXPECT_EQ(Text(IDC_REPORT_HEADING), "Ancestors of Alice Smith");
  EXPECT_TRUE(Enabled(IDC_REPORT_SAVE));
}

TEST_F(ReportDialogTest, TheIndividualChosenInTheMainListBecomesTheBase) {
  Data().selectedRecord = 3;
  Open(2);
  EXPECT_EQ(Data().selection.baseIndex, 3);
  EXPECT_EQ(Text(IDC_REPORT_BASE_NAME), "John Smith");
  EXPECT_TRUE(Enabled(IDC_REPORT_SAVE));
}

TEST_F(ReportDialogTest, OptionsAndOrderAreStoredAtOnce) {
  Open(0);
  CheckDlgButton(dialog_, IDC_REPORT_SUBHEADINGS, BST_CHECKED);
  Press(IDC_REPORT_SUBHEADINGS);
  CheckDlgButton(dialog_, IDC_REPORT_NOTES, BST_CHECKED);
  Press(IDC_REPORT_NOTES);
  EXPECT_EQ(State().settings.fparam[15], 1);
  EXPECT_EQ(State().settings.fparam[8], 1);
  EXPECT_EQ(State().settings.fparam[9], 0);
  CheckRadioButton(dialog_, IDC_REPORT_ALPHABETIC, IDC_REPORT_DATABASE, IDC_REPORT_DATABASE);
  Press(IDC_REPORT_DATABASE);
  EXPECT_EQ(State().settings.fparam[5], 1);
  CheckDlgButton(dialog_, IDC_REPORT_NOTES, BST_UNCHECKED);
  Press(IDC_REPORT_CLOSE);
  EXPECT_EQ(State().settings.fparam[8], 0);
}

TEST_F(ReportDialogTest, SaveWritesTheReportWithItsExtensionAndViewOpensIt) {
  Data().selection.baseIndex = 1;
  State().settings.fparam[10] = 1;
  State().settings.fparam[14] = 1;  // heading
  Open(1);
  saveAs_ = Temp("family");
  saveType_ = 2;
  Temp("family.txt");
  Press(IDC_REPORT_SAVE);
  ASSERT_EQ(filters_.size(), 1u);
  EXPECT_EQ(filters_[0],
            std::string("Rich Text Format (*.RTF)\0*.rtf\0Plain text (*.TXT)\0*.txt\0\0", 57));
  EXPECT_EQ(session_.lastStatus, 0);
  EXPECT_EQ(session_.fileType, 2);
  EXPECT_EQ(session_.writtenFile, saveAs_ + ".txt");
  EXPECT_EQ(ReadFile(saveAs_ + ".txt"),
            Expected(dv::kReportDescendants, 1, false, "Descendants of William Smith"));
  EXPECT_TRUE(Enabled(IDC_REPORT_VIEW));
  EXPECT_TRUE(boxes_.empty());
  Press(IDC_REPORT_VIEW);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], saveAs_ + ".txt");
}

TEST_F(ReportDialogTest, RichTextReportWithBracesInTheData) {
  Open(0);
  SetDlgItemTextA(dialog_, IDC_REPORT_HEADING, "{Smiths}");
  State().settings.fparam[14] = 1;
  saveAs_ = Temp("all.rtf");
  saveType_ = 1;
  Press(IDC_REPORT_SAVE);
  const std::string rtf = ReadFile(saveAs_);
  EXPECT_EQ(rtf, Expected(dv::kReportAlphabetic, 0, true, "{Smiths}"));
  EXPECT_NE(rtf.find("\\{Smiths\\}"), std::string::npos);
  EXPECT_NE(rtf.find("Clerk \\{senior\\}"), std::string::npos);
}

TEST_F(ReportDialogTest, AFileThatCannotBeCreatedIsReportedAndViewStaysOff) {
  Open(0);
  saveAs_ = dir_ + "\\no such folder\\report.rtf";
  Press(IDC_REPORT_SAVE);
  EXPECT_EQ(session_.lastStatus, dv::kReportCannotOpen);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Cannot open file");
  EXPECT_FALSE(Enabled(IDC_REPORT_VIEW));
  Press(IDC_REPORT_VIEW);
  EXPECT_TRUE(opened_.empty());
}

TEST_F(ReportDialogTest, CancelledSaveWritesNothing) {
  Open(0);
  Press(IDC_REPORT_SAVE);
  EXPECT_EQ(filters_.size(), 1u);
  EXPECT_TRUE(session_.writtenFile.empty());
  EXPECT_FALSE(Enabled(IDC_REPORT_VIEW));
}

TEST_F(ReportDialogTest, HeadingOverflowSaysSo) {
  Open(0);
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_REPORT_HEADING, EN_MAXTEXT),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog_, IDC_REPORT_HEADING)));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Edit control out of space");
  EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_REPORT_HEADING, EM_GETLIMITTEXT, 0, 0), 147);
}

TEST_F(ReportDialogTest, ThePageTakesThePaperAndMeasuresTheChartFont) {
  State().settings.fparam[3] = 15840;  // letter, long side
  State().settings.fparam[4] = 12240;
  dv::ReportPage page = MeasureReportPage();
  EXPECT_EQ(page.paperHeightTwips, 15840);
  EXPECT_EQ(page.paperWidthTwips, 12240);
  EXPECT_EQ(page.font.faceName, "Courier New");
  // The small default chart font gives the smallest report size.
  EXPECT_EQ(page.font.pointSize, dv::kMinReportPointSize);
  EXPECT_GT(page.font.childrenWidthTwips, 720);
  EXPECT_LT(page.font.childrenWidthTwips, 1440);
  // Twelve points: ten characters of a fixed-pitch font are 1.2 inches or so.
  State().settings.fonts[dv::kChartFont].setHeight(-16);
  page = MeasureReportPage();
  EXPECT_EQ(page.font.pointSize, 12);
  EXPECT_GT(page.font.childrenWidthTwips, 1300);
  EXPECT_LT(page.font.childrenWidthTwips, 1700);
}

class ReportCommandTest : public DataTest {};

TEST_F(ReportCommandTest, EachCommandOpensTheDialogForItsReport) {
  HWND window = Start("");
  ASSERT_TRUE(Load(WriteFile("small.ged", kSmallGedcom)));
  Data().selection.baseIndex = 3;
  const std::pair<int, const char*> commands[] = {
      {IDM_REPORTS_ALL_INDIVIDUALS, "All Individuals report"},
      {IDM_REPORTS_DESCENDANTS, "Descendants report"},
      {IDM_REPORTS_ANCESTORS, "Ancestors report"}};
  for (const auto& [id, caption] : commands) {
    ModalDriver driver;
    int context = 0;
    driver.Then(caption, [&context](HWND dialog) {
      context = State().app.helpContext;
      ModalDriver::Press(dialog, IDC_REPORT_CLOSE);
    });
    CopyText(State().app.fileNameBuffer, "old name");
    SendMessageA(window, WM_COMMAND, id, 0);
    EXPECT_TRUE(driver.Done()) << caption;
    EXPECT_EQ(context, kHelpReports);
    EXPECT_EQ(State().settings.fparam[6], id - IDM_REPORTS_ALL_INDIVIDUALS);
    EXPECT_EQ(TextOf(State().app.fileNameBuffer), "");
  }
  EXPECT_EQ(State().app.helpContext, 301);
}

TEST_F(ReportCommandTest, WithoutRecordsNoDialog) {
  HWND window = Start("");
  DialogDriver any;
  SendMessageA(window, WM_COMMAND, IDM_REPORTS_DESCENDANTS, 0);
  EXPECT_EQ(any.seen, 0);
}

}  // namespace
}  // namespace dv::win::test
