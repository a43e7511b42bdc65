#pragma once

#include <memory>
#include <string>

namespace vexa {

// What a save finds where it is to write.
struct SaveTarget {
    enum class Kind { Missing, RegularFile, Folder, Other };
    Kind kind = Kind::Missing;
    // Empty when the user may replace the file there (or create it); otherwise why not, in words
    // that name the file or folder at fault.
    std::string refusal;
};

// The steps of one safe save of one target, each a call of its own, so that the order in which
// they run is decided in one place (ReplaceFileBytesWith) and each platform only says how a
// step is done. An object serves one save; it removes its temporary file when it is destroyed
// before the target was replaced.
class SaveSteps {
public:
    virtual ~SaveSteps() = default;

    // Looks at the target and at its folder: what is there and whether the user may replace it.
    virtual SaveTarget inspect() = 0;
    // Writes the bytes to a temporary file of its own beside the target; the temporary file takes
    // the owner, group and permissions of the file it will replace as far as the system allows.
    virtual bool writeTemporary(const std::string& bytes, std::string& error) = 0;
    // Puts the temporary file's bytes on the disk and closes it.
    virtual bool flushTemporary(std::string& error) = 0;
    // Puts the temporary file in the target's place in one step.
    virtual bool replaceTarget(std::string& error) = 0;
    // Puts the folder's changed entry on the disk, so that the replacement survives a power cut.
    virtual bool flushFolder(std::string& error) = 0;
    // Removes the temporary file after a failed step.
    virtual void discardTemporary() = 0;
};

// The steps of this platform for a save to `path` (a symbolic link is followed: the file it
// names is the one replaced).
std::unique_ptr<SaveSteps> PlatformSaveSteps(const std::string& path);

} // namespace vexa
