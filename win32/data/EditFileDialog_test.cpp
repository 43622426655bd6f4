#include "data/EditFileDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "data/DataTestSupport.h"
#include "data/EditFileDialogRes.h"
#include "resources/resource.h"

namespace dv::win::test {
namespace {

class EditFileDialogTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    window_ = Start("");
    CopyText(State().work.pathBuffer, "");
    // The editor is never started for real.
    Data().hooks.runProgram = [this](const std::string& command) -> UINT {
      started_.push_back(command);
      return 33;
    };
  }
  std::string Typed(HWND dialog) {
    char text[300] = {};
    GetDlgItemTextA(dialog, IDC_EF_PATH, text, sizeof text);
    return text;
  }
  HWND window_ = nullptr;
  std::vector<std::string> started_;
};

TEST_F(EditFileDialogTest, OkHandsTheTypedFileToTheEditor) {
  CopyText(State().app.currentSource, "C:\\charts\\family.dvb");
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), kEditFileTemplate, window_,
                                   EditFileDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Typed(dialog), "C:\\charts\\family.dvb");
  SetDlgItemTextA(dialog, IDC_EF_PATH, "C:\\charts\\other.dva");
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_EQ(std::string(TextOf(State().work.pathBuffer)), "Notepad C:\\charts\\other.dva");
  EXPECT_EQ(PostedCommands(window_), std::vector<int>{IDM_RUN_EDITOR});
  if (IsWindow(dialog)) DestroyWindow(dialog);
}

TEST_F(EditFileDialogTest, CancelStartsNothing) {
  CopyText(State().app.currentSource, "C:\\charts\\family.dva");
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), kEditFileTemplate, window_,
                                   EditFileDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(TextOf(State().work.pathBuffer).empty());
  EXPECT_TRUE(PostedCommands(window_).empty());
  if (IsWindow(dialog)) DestroyWindow(dialog);
}

// File > Edit with a chart file open asks for the file to edit; with GEDCOM
// data it opens view/edit mode instead, never this dialog.
TEST_F(EditFileDialogTest, FileEditOnAChartFileOpensTheDialog) {
  CopyText(State().app.currentSource, "C:\\charts\\family.dva");
  State().app.sourceFormat = kFormatBirthBrief;
  std::string seen;
  DialogDriver driver([&seen](HWND d) {
    char caption[32] = {};
    GetWindowTextA(d, caption, sizeof caption);
    seen = caption;
    PostMessageA(d, WM_COMMAND, IDOK, 0);
  });
  SendMessageA(window_, WM_COMMAND, IDM_FILE_EDIT, 0);
  EXPECT_EQ(seen, "Edit File");
  EXPECT_EQ(std::string(TextOf(State().work.pathBuffer)), "Notepad C:\\charts\\family.dva");
  EXPECT_EQ(State().app.viewEditMode, 0);
}

}  // namespace
}  // namespace dv::win::test
