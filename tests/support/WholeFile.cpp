#include "WholeFile.h"

#include "core/Platform.h"

#include <fstream>
#include <sstream>

namespace vexa::test {

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace vexa::test
