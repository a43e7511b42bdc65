#include "layout/LayoutOperations.h"

#include "batch/BatchOperations.h"
#include "core/Platform.h"
#include "core/VerificationReport.h"
#include "files/ConfigFileActions.h"
#include "files/ConfigFileFields.h"
#include "files/FileMessages.h"
#include "layout/LayoutLink.h"
#include "layout/LayoutListUpkeep.h"
#include "layout/LayoutScan.h"
#include "link/Exchange.h"
#include "link/LinkAddress.h"
#include "module/Identity.h"

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <string_view>

namespace vexa {

namespace {

// Lines of a verification report that frame its findings rather than being one.
constexpr std::array<std::string_view, 5> ReportFrameLines{SettingsVerificationStartText, EventVerificationStartText,
                                                           PinVerificationStartText, NumberingNoteText, VerifyOkText};

std::string ModulePrefix(const Session& session, const LayoutEntry& entry) {
    return ModuleName(session, entry.address) + " " + QuotedIdString(entry.idString);
}

// The module and the ID string of a result; a controller whose ID string was never read is
// named without one.
std::string ResultPrefix(const Session& session, const ModuleResult& result) {
    return result.idUnread ? ModuleName(session, result.entry.address) + " (ID string not read)"
                           : ModulePrefix(session, result.entry);
}

// Runs work on the controller of the result's entry (work that `writes` to it, or only reads),
// in a session of its own whose messages are kept in the result and whose progress names the
// controller. False when the work failed; `ended` tells whether the port failed or the user
// stopped, so that no further controller can be reached.
bool OnModule(Session& session, ModuleResult& result, bool writes, const std::function<bool(Session&)>& work,
              bool& ended) {
    bool passed = false;
    HeldMessages held(&session.prompter);
    {
        ModuleProgress progress(*session.progress, ResultPrefix(session, result) + ": ");
        BorrowedLink borrowed(session, held, progress, writes);
        Session& module = borrowed.session();
        module.link.moduleAddress = result.entry.address;
        ResetFrameToggle(module);
        passed = work(module);
    }
    for (std::string& text : held.summaries())
        result.messages.push_back(std::move(text));
    ended = !session.port.isOpen() || session.progress->stopRequested();
    return passed;
}

// The heading of a run's messages: "Restore restored every controller, with these messages:"
// when it did every controller, "Restore did not restore every controller:" otherwise.
std::string RunHeading(bool everyOne, const std::string& operation, const char* did, const char* doVerb) {
    return everyOne ? operation + " " + did + " every controller, with these messages:"
                    : operation + " did not " + doVerb + " every controller:";
}

// Says once what the work on the controllers said, each line naming its controller, after the
// heading; `notes` follow as paragraphs of their own. Nothing when there is nothing to say.
void SayOnce(Session& session, const std::string& heading, const std::vector<ModuleResult>& results,
             const std::vector<std::string>& notes = {}) {
    std::string text;
    for (const ModuleResult& result : results)
        for (const std::string& message : result.messages)
            text += std::string(CrLf) + ResultPrefix(session, result) + ": " + message;
    if (!text.empty())
        text = heading + text;
    for (const std::string& note : notes)
        text += (text.empty() ? "" : std::string(CrLf) + CrLf) + note;
    if (!text.empty())
        session.prompter.ask(MessageKind::OkWarning, text);
}

// The findings of the session's verification report, one per line.
std::vector<std::string> Findings(const std::string& report) {
    std::vector<std::string> findings;
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find("\r\n", start);
        if (end == std::string::npos)
            end = report.size();
        const std::string line = report.substr(start, end - start);
        bool frame = line.empty();
        for (std::string_view text : ReportFrameLines)
            frame = frame || line == text;
        if (!frame)
            findings.push_back(line);
        start = end + 2;
    }
    return findings;
}

// "Verify All" of the module against the configuration loaded into its session.
void VerifyModule(Session& module, ModuleResult& result) {
    const bool compares = VerifyAll(module);
    result.outcome = compares ? ModuleOutcome::Compares : ModuleOutcome::Differs;
    result.findings = compares ? std::vector<std::string>{} : Findings(module.verificationReport);
}

// Reads layout.txt (an older one with the base that `olderBase` gives) and checks that every
// data file it lists can be loaded, sending nothing. False after saying which file (and line)
// cannot be used.
bool ReadLayout(Session& session, const std::string& folder, const OlderLayoutBase& olderBase, LayoutListing& listing) {
    const std::string path = LayoutPath(folder, LayoutFileName);
    std::string bytes;
    std::string problem;
    std::optional<int> base;
    if (ReadLayoutBytes(folder, bytes, problem) && IsOlderLayoutFile(bytes)) {
        if (!olderBase) {
            session.prompter.ask(MessageKind::OkWarning,
                                 "The layout file " + path +
                                     " was written by an earlier version: it lists the modules as they were shown, "
                                     "without the numbering base. State the base it was made with.");
            return false;
        }
        base = olderBase(path);
        if (!base)
            return false; // the source said why
    }
    if (!problem.empty() || !ParseLayoutFile(bytes, base, HighestModuleAddress(session), listing, problem)) {
        session.prompter.ask(MessageKind::OkWarning, "The layout file " + path + " cannot be used:\r\n" + problem);
        return false;
    }
    for (const LayoutEntry& entry : listing.entries) {
        ConfigurationFileContents contents;
        if (!ReadConfigurationFile(LayoutPath(folder, entry.fileName), contents, problem)) {
            session.prompter.ask(MessageKind::OkWarning, "The data file of " + ModuleName(session, entry.address) +
                                                             " in " + path + " cannot be used:\r\n" + problem);
            return false;
        }
    }
    return true;
}

bool LoadEntry(Session& module, const std::string& folder, const LayoutEntry& entry) {
    return LoadConfigurationFile(module, LayoutPath(folder, entry.fileName));
}

// "Restore the 2 controllers listed in ...?", naming each with the data file it gets.
std::string RestoreQuestion(const Session& session, const std::string& folder, const LayoutListing& listing) {
    const std::size_t count = listing.entries.size();
    std::string text = "Restore the " + std::to_string(count) + (count == 1 ? " controller" : " controllers") +
                       " listed in " + LayoutPath(folder, LayoutFileName) + "?";
    for (const LayoutEntry& entry : listing.entries)
        text += std::string(CrLf) + ModulePrefix(session, entry) + " from " + entry.fileName;
    if (listing.numberingBase != session.numberingBase)
        text += std::string(CrLf) + "(The data files were named when numbering started at " +
                std::to_string(listing.numberingBase) + ".)";
    return text + CrLf + "Each is written with Write All from its data file, and what it holds now is overwritten.";
}

// A board that answers with another ID string than the listed one (and not with an empty one,
// as a fresh or erased board does) is not the board that was backed up there.
bool IsForeignBoard(const LayoutModule& found, const LayoutEntry& entry) {
    return !found.idString.empty() && configfile::FileSafeText(found.idString) != entry.idString;
}

// Restore: may the board that answered at the entry's address be written? A board whose ID
// string could not be read, or that is another board, is left alone (the latter noted with
// the result).
bool MayRestore(ProbeResult probe, const LayoutModule& found, ModuleResult& result) {
    if (probe == ProbeResult::Faulty) {
        result.outcome = ModuleOutcome::NotWritten;
        result.messages.push_back("not written: its ID string could not be read (" + found.idFault +
                                  "), so which board answers at this address is not known.");
        return false;
    }
    if (probe == ProbeResult::Answered && IsForeignBoard(found, result.entry)) {
        result.outcome = ModuleOutcome::Skipped;
        result.messages.push_back("skipped: the board at this address has the ID string " +
                                  QuotedIdString(found.idString) +
                                  ". The boards were moved; restoring it would overwrite another board.");
        return false;
    }
    return true;
}

// Verify (or, with `restore`, first ask, then write and verify) each controller listed in the
// folder's layout.txt, going on past differences. True when every controller compares.
bool CheckListed(Session& session, const std::string& folder, const OlderLayoutBase& olderBase,
                 std::vector<ModuleResult>& results, bool restore) {
    results.clear();
    LayoutListing listing;
    if (!ReadLayout(session, folder, olderBase, listing))
        return false;
    if (restore && !session.prompter.ask(MessageKind::OkCancelWarning, RestoreQuestion(session, folder, listing)))
        return false;
    bool allCompare = true;
    bool ended = false;
    for (const LayoutEntry& entry : listing.entries) {
        ModuleResult result{entry, ModuleOutcome::NoAnswer, {}, {}, false};
        LayoutModule found;
        const ProbeResult probe = ProbeModule(session, entry.address, ProbeWait::Normal, found);
        if (probe == ProbeResult::Ended)
            break;
        if (probe != ProbeResult::Silent && (!restore || MayRestore(probe, found, result)))
            OnModule(
                session, result, restore,
                [&](Session& work) {
                    result.outcome = restore ? ModuleOutcome::NotWritten : ModuleOutcome::Differs;
                    if (!LoadEntry(work, folder, entry) || (restore && !WriteAll(work)))
                        return false;
                    VerifyModule(work, result);
                    return true;
                },
                ended);
        allCompare = allCompare && result.outcome == ModuleOutcome::Compares;
        results.push_back(result);
        if (ended)
            break;
    }
    const bool everyOne = allCompare && results.size() == listing.entries.size();
    SayOnce(session,
            restore ? RunHeading(everyOne, "Restore", "restored", "restore")
                    : RunHeading(everyOne, "Verify All Modules", "verified", "verify"),
            results);
    return everyOne;
}

bool CreateFolder(Session& session, const std::string& folder) {
    std::error_code failed;
    std::filesystem::create_directories(PathFromUtf8(folder), failed);
    return DoneOrTell(session, failed, "The folder " + folder + " could not be created:");
}

// The warning about saved controllers that share an ID string, or "" when each has its own.
std::string SharedIdWarning(const Session& session, const std::vector<LayoutEntry>& saved) {
    std::map<std::string, std::vector<int>> byId;
    for (const LayoutEntry& entry : saved)
        byId[entry.idString].push_back(entry.address);
    std::string shared;
    for (const auto& [id, addresses] : byId) {
        if (addresses.size() < 2)
            continue;
        shared += std::string(CrLf) + QuotedIdString(id) + ":";
        for (std::size_t i = 0; i < addresses.size(); ++i)
            shared += (i == 0 ? " " : ", ") + ModuleName(session, addresses[i]);
    }
    if (shared.empty())
        return {};
    return "Several controllers have the same ID string:" + shared + CrLf +
           "The backup holds each under its module address, but if boards are moved a restore cannot tell them "
           "apart by their ID string. Give each its own ID string (Write String), then back up again.";
}

} // namespace

bool BackupLayout(Session& session, const std::string& folder, std::vector<ModuleResult>& results) {
    results.clear();
    std::vector<LayoutModule> found;
    if (!ScanLayout(session, found))
        return false;
    if (found.empty()) {
        session.tell("No controller answered at any module address: nothing was backed up.");
        return false;
    }
    if (!CreateFolder(session, folder))
        return false;
    const int base = session.numberingBase;
    std::vector<LayoutEntry> saved;
    std::vector<std::string> notes;
    std::vector<std::string> earlierList; // what became of the earlier backup's list
    bool ended = false;
    for (const LayoutModule& module : found) {
        ModuleResult result{{module.address, module.idString, module.version, ModuleFileName(module.address, base)},
                            ModuleOutcome::NotSaved,
                            {},
                            {},
                            !module.idFault.empty()};
        if (ended) { // stopped: the controllers not reached are listed as not saved
            results.push_back(result);
            continue;
        }
        const bool done = OnModule(
            session, result, false,
            [&](Session& work) {
                if (!ReadAll(work))
                    return false;
                if (const std::string problem = IdStringProblem(work.image.module.idString); !problem.empty())
                    notes.push_back(ModuleName(session, module.address) + " " +
                                    QuotedIdString(work.image.module.idString) + ": " + problem +
                                    " Give it another ID string (Write String).");
                result.entry.idString = configfile::FileSafeText(work.image.module.idString);
                result.entry.version = work.versionText;
                result.idUnread = false;
                return ForgetFileListedForAnotherModule(work, folder, result.entry, earlierList) &&
                       SaveConfigurationFile(work, LayoutPath(folder, result.entry.fileName), false);
            },
            ended);
        if (done) {
            result.outcome = ModuleOutcome::Saved;
            saved.push_back(result.entry);
        }
        results.push_back(result);
    }
    if (const std::string sharedIds = SharedIdWarning(session, saved); !sharedIds.empty())
        notes.insert(notes.begin(), sharedIds);
    const bool everyOne = !ended && saved.size() == found.size();
    if (ended || saved.empty()) // no list of its own replaces the earlier one
        notes.insert(notes.end(), earlierList.begin(), earlierList.end());
    SayOnce(session, RunHeading(everyOne, "Back Up All", "saved", "save"), results, notes);
    // The list comes last: after a stop it would be incomplete, so there is none.
    if (ended || saved.empty())
        return false;
    if (!ReplaceFileOrTell(session, LayoutPath(folder, LayoutFileName), FormatLayoutFile(saved, base)))
        return false;
    return everyOne;
}

bool VerifyLayout(Session& session, const std::string& folder, const OlderLayoutBase& olderBase,
                  std::vector<ModuleResult>& results) {
    return CheckListed(session, folder, olderBase, results, false);
}

bool RestoreLayout(Session& session, const std::string& folder, const OlderLayoutBase& olderBase,
                   std::vector<ModuleResult>& results) {
    return CheckListed(session, folder, olderBase, results, true);
}

const char* OutcomeWord(ModuleOutcome outcome) {
    switch (outcome) {
    case ModuleOutcome::Saved:
        return "saved";
    case ModuleOutcome::NotSaved:
        return "not saved";
    case ModuleOutcome::Compares:
        return "compares";
    case ModuleOutcome::Differs:
        return "differs";
    case ModuleOutcome::NoAnswer:
        return "no answer";
    case ModuleOutcome::Skipped:
        return "skipped";
    case ModuleOutcome::NotWritten:
        return "not written";
    }
    return "";
}

std::vector<std::string> ResultLines(const Session& session, const ModuleResult& result) {
    const std::string prefix = ResultPrefix(session, result) + ": ";
    switch (result.outcome) {
    case ModuleOutcome::Saved:
        return {prefix + "saved as " + result.entry.fileName};
    case ModuleOutcome::Compares:
        return {prefix + VerifyOkText};
    case ModuleOutcome::Differs: {
        std::vector<std::string> lines{prefix + "does not compare"};
        for (const std::string& finding : result.findings)
            lines.push_back("  " + finding);
        return lines;
    }
    default:
        return {prefix + OutcomeWord(result.outcome)};
    }
}

} // namespace vexa
