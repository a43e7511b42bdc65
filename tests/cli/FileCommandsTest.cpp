#include "../files/ConfigFileTestSupport.h"
#include "TestSeams.h"

#include "cli/CliCommand.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vexa::test {
namespace {

const cli::CliCommand* FindCommand(const std::string& name) {
    for (const cli::CliCommand& command : cli::CliCommandTable())
        if (command.name == name)
            return &command;
    return nullptr;
}

TEST(FileCommandsTest, SaveSaveCompactAndLoadAreCommandsWithAFileArgument) {
    TestBench bench;
    TemporaryFolder folder;
    std::ostringstream out;
    cli::CliContext context{bench.session, out, {}};
    const cli::CliCommand* save = FindCommand("save");
    const cli::CliCommand* compact = FindCommand("save-compact");
    const cli::CliCommand* load = FindCommand("load");
    ASSERT_TRUE(save && compact && load);
    EXPECT_EQ(save->argument, "FILE");
    EXPECT_EQ(compact->argument, "FILE");
    EXPECT_EQ(load->argument, "FILE");

    bench.session.image = MakeSampleImage();
    ASSERT_TRUE(save->run(context, folder.file("full.dat")));
    ASSERT_TRUE(compact->run(context, folder.file("compact.dat")));
    EXPECT_LT(ReadBytes(folder.file("compact.dat")).size(), ReadBytes(folder.file("full.dat")).size());

    const ConfigurationImage saved = bench.session.image;
    bench.session.image = ConfigurationImage{};
    ASSERT_TRUE(load->run(context, folder.file("full.dat")));
    EXPECT_EQ(bench.session.image.module, saved.module);
    EXPECT_EQ(bench.session.image.pins[1].aspects, saved.pins[1].aspects);

    EXPECT_FALSE(load->run(context, folder.file("none.dat")));
    ASSERT_EQ(bench.prompter.messages.size(), 1u);
    EXPECT_EQ(bench.prompter.messages[0].kind, MessageKind::OkError);
}

} // namespace
} // namespace vexa::test
