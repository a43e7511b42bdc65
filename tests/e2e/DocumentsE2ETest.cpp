// A layout on paper and in a table, as a modeller makes them: vexaconfig-cli against vexa-sim
// --modules on a pseudo-terminal, then the sheet, the pin table and the address map of the
// backup.

#include "ProcessRunner.h"

#include "../files/ConfigFileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using vexa::test::ProgramResult;
using vexa::test::ReadBytes;
using vexa::test::SplitLines;
using vexa::test::WriteBytes;

ProgramResult Cli(const std::vector<std::string>& args) {
    return vexa::test::RunProgram(VEXA_CLI_PATH, args, std::chrono::seconds(60));
}

bool HasLine(const std::string& text, const std::string& line) {
    const Lines lines = SplitLines(text);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(DocumentsE2E, ABackedUpLayoutOnPaperInATableAndItsAddressConflicts) {
    vexa::test::TemporaryFolder desk;
    const std::string backup = desk.file("layout");
    {
        vexa::test::DeviceServerProcess sim(VEXA_SIM_PATH, {"--modules", "1,4"});
        ASSERT_EQ(Cli({"--port", sim.device(), "backup-layout", backup}).status, 0);
        // As the first command with a port, the sheet is the controller's, read first.
        const ProgramResult read = Cli({"--port", sim.device(), "--address", "5", "sheet", desk.file("five.pdf")});
        EXPECT_EQ(read.status, 0) << read.err;
        EXPECT_NE(ReadBytes(desk.file("five.pdf")).find("(Module 5 \"Vexa Sim\") Tj"), std::string::npos);
    }

    // Both boards hold the simulator's demonstration pins 1..3 from basic address 1 and
    // eXtended address 1.
    const ProgramResult clash = Cli({"addresses", backup});
    EXPECT_EQ(clash.status, 1) << clash.err;
    EXPECT_TRUE(HasLine(clash.out, "DCC address 1: module 2 pin 1")) << clash.out;
    EXPECT_TRUE(HasLine(clash.out, "DCC address 1: module 2 pin 1 and module 5 pin 1")) << clash.out;
    EXPECT_TRUE(HasLine(clash.out, "eXtended DCC address 3: module 2 pin 3 and module 5 pin 3")) << clash.out;
    EXPECT_TRUE(HasLine(clash.out, "serial address 129: module 5 pin 1")) << clash.out;

    // Board 5 moved to basic address 12 (outputs 45..) and eXtended address 50: no conflict.
    const std::string five = backup + "/module-5.dat";
    WriteBytes(five, Replaced(ReadBytes(five), "\"DCC\",1,1,", "\"DCC\",12,50,"));
    const ProgramResult clear = Cli({"addresses", backup + "/module-2.dat", five});
    EXPECT_EQ(clear.status, 0) << clear.out << clear.err;
    EXPECT_TRUE(HasLine(clear.out, "DCC address 45: module 5 pin 1")) << clear.out;
    EXPECT_EQ(SplitLines(clear.out).back(), "No address conflicts");

    const ProgramResult sheet = Cli({"sheet", desk.file("club.pdf"), backup});
    EXPECT_EQ(sheet.status, 0) << sheet.err;
    const std::string pdf = ReadBytes(desk.file("club.pdf"));
    EXPECT_TRUE(pdf.starts_with("%PDF-1.4"));
    EXPECT_LT(pdf.find("(Address map) Tj"), pdf.find("(Module 2 \"Vexa Sim\") Tj"));
    EXPECT_EQ(Cli({"sheet", desk.file("club.html"), backup}).status, 0);
    EXPECT_NE(ReadBytes(desk.file("club.html")).find("<h1>Module 5 &quot;Vexa Sim&quot;</h1>"), std::string::npos);

    ASSERT_EQ(Cli({"export-csv", desk.file("pins.csv"), backup}).status, 0);
    const Lines rows = SplitLines(ReadBytes(desk.file("pins.csv")));
    ASSERT_EQ(rows.size(), 1u + 2 * 32);
    EXPECT_TRUE(rows[0].starts_with("Module,ID String,Pin,Description,Device,Type,Parameters,")) << rows[0];
    EXPECT_TRUE(rows[33].starts_with("5,Vexa Sim,1,,,Servo,")) << rows[33];
}

TEST(DocumentsE2E, AFileThatCannotBeReadIsNamedWithItsLineAndNothingIsWritten) {
    vexa::test::TemporaryFolder desk;
    WriteBytes(desk.file("old.pdf"), "the sheet of last year");
    WriteBytes(desk.file("broken.dat"), "\"VexaConfiguration 3100\"\r\n\"ID$\",\"Yard\"\r\n\"Pin\",40,0,0,\"\"\r\n");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"sheet", desk.file("old.pdf"), desk.file("broken.dat")},
          {"export-csv", desk.file("old.pdf"), desk.file("broken.dat")}}) {
        const ProgramResult failed = Cli(args);
        EXPECT_EQ(failed.status, 1) << args.front();
        EXPECT_NE(failed.err.find(desk.file("broken.dat")), std::string::npos) << failed.err;
        EXPECT_NE(failed.err.find("Line 3"), std::string::npos) << failed.err;
        EXPECT_EQ(ReadBytes(desk.file("old.pdf")), "the sheet of last year");
    }
    EXPECT_EQ(Cli({"addresses", desk.file("broken.dat")}).status, 2);
    EXPECT_EQ(Cli({"addresses", desk.file("missing.dat")}).status, 2);
    EXPECT_EQ(Cli({"sheet", desk.file("sheet.txt"), desk.file("broken.dat")}).status, 2);
    EXPECT_EQ(vexa::test::NamesIn(desk.path()), (Lines{"broken.dat", "old.pdf"}));
}

} // namespace
