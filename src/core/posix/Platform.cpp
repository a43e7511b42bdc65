#include "core/Platform.h"

#include <csignal>
#include <system_error>

#include <unistd.h>

namespace vexa {

bool LocalTime(std::time_t seconds, std::tm& local) {
    return localtime_r(&seconds, &local) != nullptr;
}

// File names are bytes here, UTF-8 by convention: they pass unchanged.
std::filesystem::path PathFromUtf8(const std::string& name) {
    return std::filesystem::path(name);
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.string();
}

std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

std::vector<std::string> CommandLineArguments(int argc, char* argv[]) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

void CatchFirstInterrupt(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND; // the handler is taken away after the first signal
    sigaction(SIGINT, &action, nullptr);
}

bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

void UseUtf8Console() {}

} // namespace vexa
