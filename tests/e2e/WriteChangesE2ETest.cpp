// "Write Changes" as a user runs it: vexaconfig-cli against vexa-sim on a pseudo-terminal.

#include "ProcessRunner.h"

#include "../files/ConfigFileTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vexa::test::RunProgram;
using vexa::test::SplitLines;

constexpr auto ProgramTimeLimit = std::chrono::seconds(60);

// The data bytes of the requests in a link trace ("> [hh] [hh] ..." lines: header, control, data).
std::vector<std::vector<int>> TracedRequests(const std::string& trace) {
    std::vector<std::vector<int>> requests;
    for (const std::string& line : SplitLines(trace)) {
        if (line.rfind("> ", 0) != 0)
            continue;
        std::vector<int> bytes;
        std::istringstream in(line.substr(2));
        std::string field;
        while (in >> field)
            bytes.push_back(std::stoi(field.substr(1, 2), nullptr, 16));
        if (bytes.size() > 2)
            requests.emplace_back(bytes.begin() + 2, bytes.end());
    }
    return requests;
}

bool IsWrite(const std::vector<int>& request) {
    return request[0] >= 96 && request[0] <= 102;
}

TEST(WriteChangesE2E, AfterReadAllAnEditedFileWritesOnlyThePinItChanges) {
    vexa::test::DeviceServerProcess sim(VEXA_SIM_PATH, {});
    ASSERT_FALSE(sim.device().empty());
    vexa::test::TemporaryFolder folder;
    const std::string saved = folder.file("read.dat");
    const auto first = RunProgram(VEXA_CLI_PATH, {"--port", sim.device(), "read-all", "save", saved}, ProgramTimeLimit);
    ASSERT_EQ(first.status, 0) << first.err;

    // One step of the first pin with a program gets another third parameter.
    std::vector<std::string> lines = vexa::test::SplitCrLfLines(vexa::test::ReadBytes(saved));
    int pin = -1;
    int steps = 0;
    bool edited = false;
    for (std::string& line : lines) {
        if (line.rfind("\"Pin\",", 0) == 0) {
            if (edited)
                break;
            pin = std::stoi(line.substr(6));
        } else if (line.rfind("    \"Ins\",", 0) == 0) {
            ++steps;
            if (!edited) {
                line = line.substr(0, line.rfind(',') + 1) + "9";
                edited = true;
            }
        } else if (!edited) {
            steps = 0;
        }
    }
    ASSERT_TRUE(edited);
    const std::string changed = folder.file("edited.dat");
    vexa::test::WriteBytes(changed, vexa::test::JoinCrLf(lines));

    const std::string trace = folder.file("trace.txt");
    const auto run = RunProgram(
        VEXA_CLI_PATH,
        {"--port", sim.device(), "--trace", trace, "read-all", "load", changed, "write-changes", "verify-all"},
        ProgramTimeLimit);
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const std::vector<std::string> out = SplitLines(run.out);
    EXPECT_EQ(out.front(), "Read All done");
    EXPECT_EQ(out.at(1), "Write Changes done: 1 pin");
    EXPECT_EQ(out.back(), "Verify OK");

    std::vector<std::vector<int>> writes;
    for (const std::vector<int>& request : TracedRequests(vexa::test::ReadBytes(trace)))
        if (IsWrite(request))
            writes.push_back(request);
    // Layout, initial aspect, address configuration, every step in use, the type block: that pin's only.
    EXPECT_EQ(writes.size(), static_cast<std::size_t>(steps + 4));
    for (const std::vector<int>& request : writes)
        EXPECT_EQ(request.at(1), pin) << request[0];

    // Nothing changed since: nothing is sent.
    const auto again =
        RunProgram(VEXA_CLI_PATH, {"--port", sim.device(), "read-all", "write-changes"}, ProgramTimeLimit);
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.err.find("Nothing to write"), std::string::npos) << again.err;
}

} // namespace
