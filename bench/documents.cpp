// The documents of a layout of 16 controllers, each fully configured (every pin described and
// configured, every aspect described and every step in use): the configuration sheet as a PDF
// file, the pin table and the address map, each made from the layout folder on disk as the
// commands make them (reading layout.txt and the 16 data files, writing the file safely). The
// median time over the runs is printed against its target: 2 s for the sheet, 0.5 s for the
// table and for the map.

#include "BenchSupport.h"
#include "FullPins.h"

#include "documents/AddressMap.h"
#include "documents/DocumentFiles.h"
#include "files/ConfigFileActions.h"
#include "layout/LayoutFile.h"
#include "link/LinkAddress.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int Boards = 16;
constexpr int Runs = 5;
constexpr double SheetTargetMs = 2000.0;
constexpr double TableTargetMs = 500.0;
constexpr double MapTargetMs = 500.0;

void Describe(vexa::ConfigurationImage& image, int board) {
    vexa::bench::FillPins(image);
    image.module.idString = "Board " + std::to_string(board);
    image.module.dccAddress = 1 + board * 8; // 32 outputs each, side by side
    for (int p = 0; p < vexa::PinCount; ++p) {
        vexa::PinRecord& pin = image.pins[static_cast<std::size_t>(p)];
        pin.description = "Signal " + std::to_string(board) + "/" + std::to_string(p) + ", home and distant";
        for (int a = 0; a < vexa::AspectsInLayout(pin.aspectLayout); ++a)
            pin.aspects[static_cast<std::size_t>(a)].description = "Aspect " + std::to_string(a);
        image.events[static_cast<std::size_t>(p)].onEvents = {1, -1, 2, -1};
        image.events[static_cast<std::size_t>(p)].offEvents = {0, -1, -1, 3};
    }
}

} // namespace

int main() {
    vexa::bench::BenchSession bench;
    vexa::Session& session = bench.session;
    const fs::path folder = fs::temp_directory_path() / "vexa_bench_documents";
    fs::remove_all(folder);
    fs::create_directories(folder);

    std::vector<vexa::LayoutEntry> entries;
    for (int board = 0; board < Boards; ++board) {
        Describe(session.image, board);
        const std::string file = vexa::ModuleFileName(board, session.numberingBase);
        if (!vexa::SaveConfigurationFile(session, (folder / file).string(), false))
            return 1;
        entries.push_back({board, session.image.module.idString, "3.1.0.12", file});
    }
    std::ofstream(folder / vexa::LayoutFileName, std::ios::binary)
        << vexa::FormatLayoutFile(entries, session.numberingBase);

    const std::string source = folder.string();
    const auto readBoards = [&](vexa::BoardSet& set) {
        std::string problem;
        const bool read = vexa::ReadBoards({source}, session.numberingBase, 0, set, problem);
        if (!read)
            std::fprintf(stderr, "%s\n", problem.c_str());
        return read;
    };
    bool ok = true;
    const double sheetMs = vexa::bench::MedianMs(
        Runs,
        [&] {
            vexa::BoardSet set;
            return readBoards(set) && vexa::ExportSheet(session, set, (folder / "sheet.pdf").string());
        },
        ok);
    const double tableMs = vexa::bench::MedianMs(
        Runs,
        [&] {
            vexa::BoardSet set;
            return readBoards(set) && vexa::ExportPinTable(session, set, (folder / "table.csv").string());
        },
        ok);
    std::size_t lines = 0;
    const double mapMs = vexa::bench::MedianMs(
        Runs,
        [&] {
            vexa::BoardSet set;
            if (!readBoards(set))
                return false;
            lines = vexa::AddressMapLines(vexa::MapAddresses(set), set.numberingBase).size();
            return lines > 0;
        },
        ok);
    const double readMs = vexa::bench::MedianMs(
        Runs,
        [&] {
            vexa::BoardSet set;
            return readBoards(set);
        },
        ok);
    const auto sheetBytes = fs::file_size(folder / "sheet.pdf");
    fs::remove_all(folder);

    std::printf("layout of %d fully configured controllers, median of %d runs\n", Boards, Runs);
    std::printf("sheet: %.1f ms, %ju bytes (target %.0f ms, ratio %.3f)\n", sheetMs,
                static_cast<std::uintmax_t>(sheetBytes), SheetTargetMs, sheetMs / SheetTargetMs);
    std::printf("table: %.1f ms (target %.0f ms, ratio %.3f)\n", tableMs, TableTargetMs, tableMs / TableTargetMs);
    std::printf("address map: %.1f ms, %zu lines (target %.0f ms, ratio %.3f)\n", mapMs, lines, MapTargetMs,
                mapMs / MapTargetMs);
    std::printf("of which reading the layout folder: %.1f ms\n", readMs);
    if (!ok || bench.prompter.count != 0) {
        std::printf("FAILED: an operation reported a failure\n");
        return 1;
    }
    return 0;
}
