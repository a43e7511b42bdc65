#include "files/StandardLibraryPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vexa {
namespace {

TEST(StandardLibraryPath, BesideTheProgramElseInTheInstalledShareFolder) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() /
                          ("vexa-library-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(root);
    fs::create_directories(root / "bin");
    fs::create_directories(root / "share" / "vexaconfig");
    const std::string bin = (root / "bin").string();

    EXPECT_EQ(StandardLibraryPath(bin), (root / "bin" / "VexaDevices.def").string());
    std::ofstream(root / "share" / "vexaconfig" / "VexaDevices.def") << "VexaDeviceDefinitions\r\n";
    EXPECT_EQ(StandardLibraryPath(bin), (root / "share" / "vexaconfig" / "VexaDevices.def").string());
    std::ofstream(root / "bin" / "VexaDevices.def") << "VexaDeviceDefinitions\r\n";
    EXPECT_EQ(StandardLibraryPath(bin), (root / "bin" / "VexaDevices.def").string());
    fs::remove_all(root);
}

} // namespace
} // namespace vexa
