#pragma once

#include "core/Session.h"
#include "model/ConfigurationImage.h"
#include "module/AddressLabels.h"

#include <optional>
#include <string>
#include <vector>

namespace vexa {

// The controllers that a configuration sheet, a pin table or an address map describes: the
// configuration in the window, the controllers of a layout folder (its layout.txt and the data
// files it lists) or a list of data files.

// One controller with where it sits on the bus.
struct Board {
    int address = 0;             // stored module address, 0..31
    std::optional<int> xAddress; // stored eXtended address the tool reaches it at, if one
    std::string version;         // firmware version as last read, "" when not known
    std::string fileName;        // its data file as named by the user (UTF-8), "" for the window's
    ConfigurationImage image;
};

struct BoardSet {
    std::string title; // what the documents are headed with: the file or folder name (UTF-8)
    int numberingBase = 1;
    bool layout = false;       // the boards of a layout folder: the sheet opens with the address map
    std::vector<Board> boards; // by module address
};

// What the address labels of a board's pins follow.
AddressContext AddressContextOf(const BoardSet& set, const Board& board);

// A pin that is configured, runs aspects, or has a description or a device. The others are
// empty: the sheet sums them up in one line and the address map leaves their addresses out.
bool PinInUse(const PinRecord& pin);

// "module N", N as shown.
std::string ModuleWords(int address, int numberingBase);

// The configuration of the session (the window's, or what the command line read or loaded) as
// one board at the session's module address, headed with `title`.
BoardSet SessionBoards(const Session& session, const std::string& title);

// Reads the boards that the sources name: one layout folder, or data files. A data file named
// "module-N.dat" (as a layout backup names them) is module N, N as shown; the others take the
// free module addresses from `firstAddress` on, in the order given. False, with `problem` naming
// the file (and the line) that cannot be used, when a source cannot be read.
bool ReadBoards(const std::vector<std::string>& sources, int numberingBase, int firstAddress, BoardSet& set,
                std::string& problem);

} // namespace vexa
