#include "layout/LayoutOperations.h"

#include "batch/BatchOperations.h"
#include "core/Platform.h"
#include "core/VerificationReport.h"
#include "files/ConfigFileActions.h"
#include "files/ConfigFileFields.h"
#include "files/FileMessages.h"
#include "layout/LayoutLink.h"
#include "layout/LayoutScan.h"
#include "link/Exchange.h"
#include "link/LinkAddress.h"
#include "model/TextEncoding.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string_view>

namespace vexa {

namespace {

// Lines of a verification report that frame its findings rather than being one.
constexpr std::array<std::string_view, 5> ReportFrameLines{SettingsVerificationStartText, EventVerificationStartText,
                                                           PinVerificationStartText, NumberingNoteText, VerifyOkText};

std::string ModulePrefix(const Session& session, const LayoutEntry& entry) {
    return ModuleName(session, entry.address) + " \"" + Utf8FromLatin1(entry.idString) + "\"";
}

// Runs work on the controller of the entry (work that `writes` to it, or only reads), in a
// session of its own whose messages are the user's and whose progress names the controller.
// False when the work failed; `ended` tells whether the port failed or the user stopped, so
// that no further controller can be reached.
bool OnModule(Session& session, const LayoutEntry& entry, bool writes, const std::function<bool(Session&)>& work,
              bool& ended) {
    bool passed = false;
    {
        ModuleProgress progress(*session.progress, ModulePrefix(session, entry) + ": ");
        BorrowedLink borrowed(session, session.prompter, progress, writes);
        Session& module = borrowed.session();
        module.link.moduleAddress = entry.address;
        ResetFrameToggle(module);
        passed = work(module);
    }
    ended = !session.port.isOpen() || session.progress->stopRequested();
    return passed;
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

// Reads layout.txt and checks that every data file it lists can be loaded, sending nothing.
// False after saying which file (and line) cannot be used.
bool ReadLayout(Session& session, const std::string& folder, std::vector<LayoutEntry>& entries) {
    const std::string path = LayoutPath(folder, LayoutFileName);
    std::string problem;
    if (!ReadLayoutFile(folder, session.numberingBase, HighestModuleAddress(session), entries, problem)) {
        session.prompter.ask(MessageKind::OkWarning, "The layout file " + path + " cannot be used:\r\n" + problem);
        return false;
    }
    for (const LayoutEntry& entry : entries) {
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

// A board that answers with another ID string than the listed one (and not with an empty one,
// as a fresh or erased board does) is not the board that was backed up there.
bool IsForeignBoard(const LayoutModule& found, const LayoutEntry& entry) {
    return !found.idString.empty() && configfile::FileSafeText(found.idString) != entry.idString;
}

// Restore: may the board that answered at the entry's address be written? A board whose ID
// string could not be read, or that is another board, is left alone (and the latter said).
bool MayRestore(Session& session, const LayoutEntry& entry, ProbeResult probe, const LayoutModule& found,
                ModuleResult& result) {
    if (probe == ProbeResult::Faulty) {
        result.outcome = ModuleOutcome::NotWritten; // which board is there is not known
        return false;
    }
    if (probe == ProbeResult::Answered && IsForeignBoard(found, entry)) {
        result.outcome = ModuleOutcome::Skipped;
        session.prompter.ask(MessageKind::OkWarning,
                             ModulePrefix(session, entry) + " skipped: the board at this address has the ID string \"" +
                                 Utf8FromLatin1(found.idString) +
                                 "\".\r\nThe boards were moved; restoring it would overwrite another board.");
        return false;
    }
    return true;
}

// Verify (or, with `restore`, first ask, then write and verify) each controller listed in the
// folder's layout.txt, going on past differences. True when every controller compares.
bool CheckListed(Session& session, const std::string& folder, std::vector<ModuleResult>& results, bool restore) {
    results.clear();
    std::vector<LayoutEntry> entries;
    if (!ReadLayout(session, folder, entries))
        return false;
    if (restore && !session.prompter.ask(MessageKind::OkCancelWarning,
                                         "Restore the " + std::to_string(entries.size()) + " controllers listed in " +
                                             LayoutPath(folder, LayoutFileName) +
                                             "?\r\nEach is written with Write All from its data file, and what it "
                                             "holds now is overwritten."))
        return false;
    bool allCompare = true;
    for (const LayoutEntry& entry : entries) {
        ModuleResult result{entry, ModuleOutcome::NoAnswer, {}};
        LayoutModule found;
        const ProbeResult probe = ProbeModule(session, entry.address, found);
        if (probe == ProbeResult::Ended)
            return false;
        bool ended = false;
        if (probe != ProbeResult::Silent && (!restore || MayRestore(session, entry, probe, found, result)))
            OnModule(
                session, entry, restore,
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
            return false;
    }
    return allCompare;
}

bool CreateFolder(Session& session, const std::string& folder) {
    std::error_code failed;
    std::filesystem::create_directories(PathFromUtf8(folder), failed);
    if (!failed)
        return true;
    session.prompter.ask(MessageKind::OkError,
                         "The folder " + folder + " could not be created:\r\n" + failed.message());
    return false;
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
    for (const LayoutModule& module : found) {
        ModuleResult result{{module.address, module.idString, module.version, ModuleFileName(module.address, base)},
                            ModuleOutcome::NotSaved,
                            {}};
        bool ended = false;
        const bool done = OnModule(
            session, result.entry, false,
            [&](Session& work) {
                if (!ReadAll(work))
                    return false;
                result.entry.idString = configfile::FileSafeText(work.image.module.idString);
                result.entry.version = work.versionText;
                return SaveConfigurationFile(work, LayoutPath(folder, result.entry.fileName), false);
            },
            ended);
        if (done) {
            result.outcome = ModuleOutcome::Saved;
            saved.push_back(result.entry);
        }
        results.push_back(result);
        if (ended)
            return false; // the files saved so far stay; the list would be incomplete
    }
    if (saved.empty())
        return false;
    if (!ReplaceFileOrTell(session, LayoutPath(folder, LayoutFileName), FormatLayoutFile(saved, base)))
        return false;
    return saved.size() == found.size();
}

bool VerifyLayout(Session& session, const std::string& folder, std::vector<ModuleResult>& results) {
    return CheckListed(session, folder, results, false);
}

bool RestoreLayout(Session& session, const std::string& folder, std::vector<ModuleResult>& results) {
    return CheckListed(session, folder, results, true);
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
    const std::string prefix = ModulePrefix(session, result.entry) + ": ";
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
