#pragma once

#include "core/Session.h"

#include <functional>
#include <string>
#include <vector>

namespace vexa {

// One deferred command word of the window: the word, its operation, and whether the port
// must be open before the word is queued.
struct CommandWord {
    std::string word;
    std::function<bool(Session&)> run; // empty while the operation does not exist yet
    bool portCheck = false;
    bool showsReport = false; // a verify command: the verification report opens when it ends
};

// The whole table, in dispatch order.
const std::vector<CommandWord>& CommandWordTable();
const CommandWord* FindCommandWord(const std::string& word);
// The caption of the button that queues the word ("Read All" for "ReadAll"); the word itself when
// it has no button.
std::string CommandCaption(const std::string& word);
// The first entry of the table with that word, or null.
const CommandWord* FindCommandWord(const std::vector<CommandWord>& table, const std::string& word);

} // namespace vexa
