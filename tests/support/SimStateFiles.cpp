#include "SimStateFiles.h"

#include "ProcessRunner.h"

#include <fstream>
#include <sstream>

namespace vexa::test {

void MakeSimState(const std::string& simProgram, const std::string& path) {
    DeviceServerProcess sim(simProgram, {"--state", path}); // writes the file when it stops
}

void SetSimSettings(const std::string& path, const std::vector<std::pair<int, std::string>>& settings) {
    std::vector<std::pair<std::string, std::string>> lines;
    for (const auto& [number, values] : settings)
        lines.emplace_back("setting " + std::to_string(number), values);
    SetSimStateLines(path, lines);
}

void SetSimStateLines(const std::string& path, const std::vector<std::pair<std::string, std::string>>& lines) {
    std::istringstream in(ReadWholeFile(path));
    std::string out;
    for (std::string line; std::getline(in, line);) {
        for (const auto& [key, values] : lines)
            if (line.rfind(key + " ", 0) == 0 || line == key)
                line = key + " " + values;
        out += line + "\n";
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << out;
}

} // namespace vexa::test
