#include "core/Platform.h"

#include "core/win/WideText.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <shellapi.h>

#include <csignal>

namespace vexa {

bool LocalTime(std::time_t seconds, std::tm& local) {
    return localtime_s(&local, &seconds) == 0;
}

std::filesystem::path PathFromUtf8(const std::string& name) {
    return std::filesystem::path(WideFromUtf8(name));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return Utf8FromWide(path.wstring());
}

std::string ProgramFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2); // a long path: try again with more room
    }
    return Utf8FromPath(std::filesystem::path(name).parent_path());
}

std::vector<std::string> CommandLineArguments(int argc, char* argv[]) {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide) // the system could not split its own command line: take what the runtime made
        return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Utf8FromWide(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

// The runtime puts SIGINT back to its default before it calls the handler.
void CatchFirstInterrupt(void (*handler)(int)) {
    std::signal(SIGINT, handler);
}

bool StandardErrorIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

void UseUtf8Console() {
    ::SetConsoleOutputCP(CP_UTF8);
}

} // namespace vexa
