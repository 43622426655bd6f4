#include "data/viewedit/EditScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/DataSource.h"
#include "data/GedcomWriter.h"
#include "data/viewedit/Edits.h"

namespace dv::viewedit {
namespace {

const char* kSmall =
    "0 HEAD\n1 SOUR X\n"
    "0 @I1@ INDI\n1 NAME John /Smith/\n1 SEX M\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Mary /Jones/\n1 SEX F\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n0 TRLR\n";

struct Script {
  RecordStore store;
  std::string output, error;
  explicit Script(const char* text = kSmall) {
    std::string summary;
    EXPECT_EQ(LoadDataSourceBytes(store, text, {}, summary), 0);
  }
  int Run(std::vector<std::string_view> ops) {
    output.clear();
    return RunEditScript(store, ops, output, error);
  }
};

TEST(EditScript, OperationsApplyInOrderAndReport) {
  Script s;
  ASSERT_EQ(s.Run({"set", "@I1@", "birth.date=1 JAN 1800", "birth.place=York", "add-spouse", "@F1@",
                   "@I2@", "new-indi", "given=Tom", "surname=Smith", "new-fam", "spouse=@I2@",
                   "child=@I3@", "delete", "@F1@", "header", "submitter.name=Me", "show", "@I3@"}),
            0);
  EXPECT_EQ(s.output,
            "ok\nok\nok\t@I3@\nok\t@F2@\nok\nok\n"
            "xref\t@I3@\ngiven\tTom\nsurname\tSmith\nfamc\t@F2@\nok\n");
  EXPECT_EQ(GedcomText(s.store),
            "0 HEAD\r\n1 SOUR X\r\n1 SUBM @SUB1@\r\n0 @SUB1@ SUBM\r\n1 NAME Me\r\n"
            "0 @I1@ INDI\r\n1 NAME John /Smith/\r\n1 SEX M\r\n1 BIRT\r\n2 DATE 1 JAN 1800\r\n2 "
            "PLAC York\r\n"
            "0 @I2@ INDI\r\n1 NAME Mary /Jones/\r\n1 SEX F\r\n1 FAMS @F2@\r\n"
            "0 @I3@ INDI\r\n1 NAME Tom /Smith/\r\n1 FAMC @F2@\r\n"
            "0 @F2@ FAM\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n0 TRLR\r\n");
  EXPECT_EQ(DanglingPointers(s.store), 0);
}

TEST(EditScript, RefusalsAreReportedWithTheirMessage) {
  Script s;
  EXPECT_EQ(s.Run({"add-child", "@F1@", "@I1@", "set", "@I2@", "birth.month=13", "set", "@I9@",
                   "sex=M", "set", "@I1@", "nonsense=1"}),
            4);
  EXPECT_EQ(s.output,
            "refused\t222\tThis person has already been added to this family.\n"
            "refused\t232\tInvalid month!\n"
            "refused\t10\tReference number not found: @I9@\n"
            "refused\t224\tData processing error (nonsense)\n");
}

TEST(EditScript, MalformedOperationsApplyNothing) {
  Script s;
  std::string before = GedcomText(s.store);
  EXPECT_EQ(s.Run({"set", "@I1@", "sex=F", "frobnicate"}), -1);
  EXPECT_EQ(s.error, "set: expected FIELD=VALUE, got frobnicate");
  EXPECT_EQ(s.Run({"frobnicate"}), -1);
  EXPECT_EQ(s.error, "unknown operation: frobnicate");
  EXPECT_EQ(s.Run({"add-spouse", "@F1@"}), -1);
  EXPECT_EQ(GedcomText(s.store), before);
}

TEST(EditScript, HelpNamesEveryPage) {
  std::string help = EditHelp();
  for (const char* f : {"individual:", " birth.date", "family:", " marriage.place",
                        "source:", " repository", "header:", "submitter.name"})
    EXPECT_NE(help.find(f), std::string::npos) << f;
}

}  // namespace
}  // namespace dv::viewedit
