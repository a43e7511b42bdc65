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
    std::string caption{};    // of the button that queues it ("Read All" for "ReadAll")
};

// The whole table, in dispatch order.
const std::vector<CommandWord>& CommandWordTable();
const CommandWord* FindCommandWord(const std::string& word);
// The caption of the button that queues the entry's word; the word itself when it has none.
inline std::string CommandCaption(const CommandWord& entry) {
    return entry.caption.empty() ? entry.word : entry.caption;
}
// The first entry of the table with that word, or null.
const CommandWord* FindCommandWord(const std::vector<CommandWord>& table, const std::string& word);

} // namespace vexa
