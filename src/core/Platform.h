#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace vexa {

// What the operating system provides to the core and the programs. Every name given to or
// taken from these functions is UTF-8; each system has its own implementation (core/posix,
// core/win).

// The local calendar time of `seconds` (for a date shown or printed, never for a wait); false
// when the system cannot say.
bool LocalTime(std::time_t seconds, std::tm& local);

// The path of a file named in UTF-8, as the system opens it (wide characters on Windows).
std::filesystem::path PathFromUtf8(const std::string& name);

// The UTF-8 name of a path, for messages and for handing it on.
std::string Utf8FromPath(const std::filesystem::path& path);

// The folder that holds the running program; "" when the system does not say.
std::string ProgramFolder();

// The program's arguments after its own name, in UTF-8. On Windows they are taken from the
// wide command line, because `argv` holds them in the local code page, which cannot carry
// every name.
std::vector<std::string> CommandLineArguments(int argc, char* argv[]);

// Calls `handler` (as a signal handler: it may only set a flag) on the first Ctrl+C; a second
// Ctrl+C ends the program as usual.
void CatchFirstInterrupt(void (*handler)(int));

// Whether standard error goes to a terminal (a console window) rather than to a file or pipe.
bool StandardErrorIsTerminal();

// Lets the console show the UTF-8 text the program writes (a no-op where it already does).
void UseUtf8Console();

} // namespace vexa
