#include "setup/InfScript.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "setup/SetupText.h"

namespace dv::setup {
namespace {

constexpr PayloadFile kSmallPayload[] = {
    {"dorvane.exe", PayloadKind::Program, {}}, {"setup.exe", PayloadKind::Program, {}},
    {"readme.txt", PayloadKind::Document, {}}, {"sample.ged", PayloadKind::Sample, "00"},
    {"301.html", PayloadKind::Help, {}},       {"303.html", PayloadKind::Help, {}},
};

std::string Crlf(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// The whole script from the string table, with a small payload: the fixed
// sections in order and every file list filled in.
TEST(InfScript, WholeScriptFromBothParts) {
  std::string script =
      AssembleInfScript(SetupText(kScriptPart1), SetupText(kScriptPart2), kSmallPayload);
  EXPECT_EQ(script, Crlf(R"([Version]
Signature="$Chicago$"

[DefaultInstall]

[DorvaneInstall]
CopyFiles=Dorvane.Copy.Files,Dorvane.Copy.Help
AddReg=Dorvane.Add.Reg

[DefaultUninstall]
DelFiles=Dorvane.Del.Files

[DorvaneUninstall]
DelFiles=Dorvane.Del.Help
DelReg=Dorvane.Del.Reg

[Links1]
DelFiles=Dorvane.Del.Links1

[Links2]
DelFiles=Dorvane.Del.Links2

[Dorvane.Add.Reg]

[Dorvane.Del.Reg]
HKCR,gedfile\shell\open\command
HKCR,gedfile\DefaultIcon
HKCR,dvafile\DefaultIcon
HKCR,dvbfile\DefaultIcon
HKCR,dvafile\shell\open\command
HKCR,dvbfile\shell\open\command
HKLM,SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Dorvane,DisplayName
HKLM,SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Dorvane,UninstallString
HKLM,SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Dorvane
HKLM,SOFTWARE\Dorvane\Dorvane v3\UserInfo,DestinationPath
HKLM,SOFTWARE\Dorvane\Dorvane v3\UserInfo
HKLM,SOFTWARE\Dorvane\Dorvane v3
HKLM,SOFTWARE\Dorvane

[SourceDisksNames]
1="Dorvane Source Disk",,

[SourceDisksFiles]
dorvane.exe=1
setup.exe=1
readme.txt=1
sample.ged=1
301.html=1,help
303.html=1,help

[DestinationDirs]
Dorvane.Del.Files=01
Dorvane.Del.Help=65600,help
Dorvane.Copy.Files=65600
Dorvane.Copy.Help=65600,help
Dorvane.Del.Links1=65700
Dorvane.Del.Links2=65800

[Dorvane.Copy.Files]
dorvane.exe
setup.exe
readme.txt
sample.ged

[Dorvane.Copy.Help]
301.html
303.html

[Dorvane.Del.Files]
dorvane.exe
setup.exe
readme.txt
sample.ged
dorvane.inf
uninstdv.exe

[Dorvane.Del.Help]
301.html
303.html

[Dorvane.Del.Links1]
"%W_DESC%.lnk"
"%H_DESC%.lnk"
"%R_DESC%.lnk"

[Dorvane.Del.Links2]
"%W_DESC%.lnk"

[Strings]
W_DESC="Dorvane"
H_DESC="Dorvane Help"
R_DESC="Dorvane ReadMe"
)"));
}

// A user's changed sample is left off the copy and delete lists; a name in
// braces that is no list stays.
TEST(InfScript, KeptSamplesStayOffTheDeleteList) {
  std::vector<std::string> keep = {"SAMPLE.GED"};
  std::string script =
      AssembleInfScript("[A]\r\n{Dorvane.Copy.Files}\r\n",
                        "[B]\r\n{Dorvane.Del.Files}\r\n{Other}\r\n", kSmallPayload, keep);
  EXPECT_EQ(script, Crlf(R"([A]
dorvane.exe
setup.exe
readme.txt
[B]
dorvane.exe
setup.exe
readme.txt
{Other}
)"));
}

// The payload of this build: the program files first, every sample with
// its hash, the help contents page among the help pages.
TEST(InfScript, PayloadOfThisBuild) {
  auto payload = Payload();
  ASSERT_GE(payload.size(), 5u);
  EXPECT_EQ(payload[0].name, "dorvane.exe");
  EXPECT_EQ(payload[1].name, "setup.exe");
  EXPECT_EQ(payload[2].name, "readme.txt");
  auto sample = std::find_if(payload.begin(), payload.end(),
                             [](const PayloadFile& f) { return f.name == "sample.ged"; });
  ASSERT_NE(sample, payload.end());
  EXPECT_EQ(sample->kind, PayloadKind::Sample);
  EXPECT_EQ(sample->sha256.size(), 64u);
  auto contents = std::find_if(payload.begin(), payload.end(), [](const PayloadFile& f) {
    return PayloadPath(f) == kHelpContents;
  });
  ASSERT_NE(contents, payload.end());
  EXPECT_EQ(contents->kind, PayloadKind::Help);
  EXPECT_EQ(PayloadPath(*sample), "sample.ged");
}

}  // namespace
}  // namespace dv::setup
