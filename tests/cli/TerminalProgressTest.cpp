#include "cli/TerminalProgress.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vexa::cli {
namespace {

void ReportPinReads(Progress& progress) {
    progress.stage("Read All: Read all pins");
    progress.count(7, 10);
    progress.stage("Reading pins");
    progress.count(5, 32);
}

TEST(TerminalProgress, RewritesOneLineOnATerminalAndWritesNothingElsewhere) {
    std::ostringstream terminal;
    {
        TerminalProgress progress(terminal, true);
        ReportPinReads(progress);
        EXPECT_EQ(terminal.str().substr(terminal.str().rfind('\r') + 1),
                  "Read All: Read all pins - Reading pins, pin 5 of 32");
        EXPECT_EQ(terminal.str().find('\n'), std::string::npos);
    }
    // Wiped at the end: the last thing written is a carriage return after blanks.
    EXPECT_EQ(terminal.str().back(), '\r');

    std::ostringstream piped;
    {
        TerminalProgress progress(piped, false);
        ReportPinReads(progress);
    }
    EXPECT_EQ(piped.str(), "");
}

} // namespace
} // namespace vexa::cli
