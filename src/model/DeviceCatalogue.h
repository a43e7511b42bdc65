#pragma once

#include <string>
#include <vector>

namespace vexa {

// The devices of the loaded device library files: each device name with the file it was found
// in, in the order they were read, and the caption of the loaded files' version texts.
struct DeviceCatalogue {
    struct Entry {
        std::string name;
        std::string path;

        bool operator==(const Entry&) const = default;
    };

    static constexpr const char* NoCaption = "None";

    std::vector<Entry> entries;
    std::string caption = NoCaption;

    // Position of the first entry with exactly this name, or -1.
    int find(const std::string& name) const {
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].name == name)
                return static_cast<int>(i);
        return -1;
    }
};

} // namespace vexa
