#include "SimStateFiles.h"

#include "ProcessRunner.h"

#include <fstream>
#include <sstream>

namespace vexa::test {

void MakeSimState(const std::string& simProgram, const std::string& path) {
    DeviceServerProcess sim(simProgram, {"--state", path}); // writes the file when it stops
}

void SetSimSettings(const std::string& path, const std::vector<std::pair<int, std::string>>& settings) {
    std::istringstream in(ReadWholeFile(path));
    std::string out;
    for (std::string line; std::getline(in, line);) {
        for (const auto& [number, values] : settings) {
            const std::string key = "setting " + std::to_string(number);
            if (line.rfind(key + " ", 0) == 0 || line == key)
                line = key + " " + values;
        }
        out += line + "\n";
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << out;
}

} // namespace vexa::test
