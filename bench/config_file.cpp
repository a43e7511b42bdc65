// Saving and loading a full configuration data file: every pin configured and described, every
// aspect described and every step in use (layouts 3 and 2 alternating). Each operation runs
// through the same functions as the "Save File" and "Load File" buttons, to a real file, and
// its median time over the runs is printed against the 5 ms target.

#include "BenchSupport.h"

#include "files/ConfigFileActions.h"
#include "files/ConfigFileReader.h"
#include "files/ConfigFileWriter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

constexpr double TargetMs = 5.0;
constexpr int Runs = 50;

void FillImage(vexa::ConfigurationImage& image) {
    for (int p = 0; p < vexa::PinCount; ++p) {
        vexa::PinRecord& pin = image.pins[static_cast<std::size_t>(p)];
        pin.description = "Pin description " + std::to_string(p);
        pin.deviceDescription = "Device " + std::to_string(p / 4);
        pin.configType = static_cast<std::uint8_t>(1 + p % 5);
        for (int n = 1; n <= vexa::ConfigParamCount; ++n)
            pin.param(n) = static_cast<std::uint8_t>(n == 2 ? 27 : (p + n) % 128);
        pin.aspectLayout = p % 2 == 0 ? vexa::LayoutFourByNine : vexa::LayoutTwelveByThree;
        pin.initialAspect = 1;
        for (int a = 0; a < vexa::AspectsInLayout(pin.aspectLayout); ++a) {
            vexa::AspectRecord& aspect = pin.aspects[static_cast<std::size_t>(a)];
            aspect.description = "Aspect " + std::to_string(a);
            for (int s = 0; s < vexa::StepsInLayout(pin.aspectLayout); ++s)
                aspect.steps[static_cast<std::size_t>(s)] =
                    vexa::AspectStep{6, 1, static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(a + p), 0, 0};
        }
    }
    for (vexa::EventRecord& events : image.events) {
        events.onEvents = {-1, 0, 5, 11};
        events.offEvents = {3, -1, -1, 2};
    }
}

} // namespace

int main() {
    vexa::bench::BenchSession bench;
    vexa::Session& session = bench.session;
    FillImage(session.image);

    const std::filesystem::path path = std::filesystem::temp_directory_path() / "vexa_bench_config_file.dat";
    bool ok = true;
    const double saveMs = vexa::bench::MedianMs(
        Runs, [&] { return vexa::SaveConfigurationFile(session, path.string(), false); }, ok);
    const auto size = std::filesystem::file_size(path);
    const double loadMs = vexa::bench::MedianMs(
        Runs, [&] { return vexa::LoadConfigurationFile(session, path.string()); }, ok);
    std::filesystem::remove(path);

    // The same work without the file system: formatting the text and reading it into a copy.
    std::string text;
    const double formatMs = vexa::bench::MedianMs(
        Runs,
        [&] {
            text = vexa::FormatConfigurationFile(session.image, false);
            return !text.empty();
        },
        ok);
    const double parseMs = vexa::bench::MedianMs(
        Runs,
        [&] {
            vexa::ConfigurationImage copy = session.image;
            vexa::ConfigFileReader reader(text);
            return reader.readHeader() && reader.readBody(copy);
        },
        ok);

    std::printf("full configuration file: %ju bytes, median of %d runs\n", static_cast<std::uintmax_t>(size), Runs);
    std::printf("save: %.3f ms (target %.1f ms, ratio %.2f)\n", saveMs, TargetMs, saveMs / TargetMs);
    std::printf("load: %.3f ms (target %.1f ms, ratio %.2f)\n", loadMs, TargetMs, loadMs / TargetMs);
    std::printf("of which formatting the text: %.3f ms, reading the text: %.3f ms\n", formatMs, parseMs);
    if (!ok || bench.prompter.count != 0) {
        std::printf("FAILED: an operation reported a failure\n");
        return 1;
    }
    return 0;
}
