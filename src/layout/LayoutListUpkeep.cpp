#include "layout/LayoutListUpkeep.h"

#include "core/Platform.h"
#include "files/FileMessages.h"
#include "layout/LayoutScan.h"
#include "link/LinkAddress.h"
#include "module/Identity.h"

#include <algorithm>
#include <filesystem>

namespace vexa {

namespace {

bool RemoveOrTell(Session& session, const std::string& path) {
    std::error_code failed;
    std::filesystem::remove(PathFromUtf8(path), failed);
    return DoneOrTell(session, failed, "The layout file " + path + " could not be removed:");
}

} // namespace

bool ForgetFileListedForAnotherModule(Session& session, const std::string& folder, const LayoutEntry& written,
                                      std::vector<std::string>& notes) {
    const std::string path = LayoutPath(folder, LayoutFileName);
    std::string bytes;
    std::string problem;
    LayoutListing listing;
    // An older list is read with the base in force only to find its lines; which module they
    // meant is not known.
    if (!ReadLayoutBytes(folder, bytes, problem) ||
        !ParseLayoutFile(bytes, session.numberingBase, HighestTunnelModuleAddress, listing, problem))
        return true; // no list a restore could use
    const auto givenElsewhere = [&](const LayoutEntry& entry) {
        return entry.fileName == written.fileName && (listing.olderForm || entry.address != written.address);
    };
    const auto dropped = std::find_if(listing.entries.begin(), listing.entries.end(), givenElsewhere);
    if (dropped == listing.entries.end())
        return true;
    const std::string now = written.fileName + " now holds the backup of " + ModuleName(session, written.address) +
                            " " + QuotedIdString(written.idString) + ".";
    if (listing.olderForm) {
        notes.push_back("The layout file " + path + " of an earlier version was removed: it listed " +
                        written.fileName + ", and its numbering base is not known. " + now);
        return RemoveOrTell(session, path);
    }
    notes.push_back("The layout file " + path + " of the earlier backup no longer lists " +
                    ModuleName(session, dropped->address) + " " + QuotedIdString(dropped->idString) + ": " + now);
    std::erase_if(listing.entries, givenElsewhere);
    return listing.entries.empty()
               ? RemoveOrTell(session, path)
               : ReplaceFileOrTell(session, path, FormatLayoutFile(listing.entries, listing.numberingBase));
}

} // namespace vexa
