#include "WalkChecks.h"

#include "WalkOracle.h"

#include "cli/CliCommand.h"
#include "files/ConfigFileActions.h"
#include "layout/LayoutFile.h"
#include "link/LinkAddress.h"
#include "module/SerialAddressing.h"
#include "module/SettingComparison.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace vexa::sequence {

namespace {

constexpr int IdSetting = 10;
constexpr int VersionSetting = 0;
constexpr std::size_t IdLimit = 12;
constexpr int FullTransfer = -1; // among the revealers: a whole Read All or Write All

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

bool AnyContains(const std::vector<std::string>& texts, const std::string& part) {
    return std::any_of(texts.begin(), texts.end(), [&part](const std::string& t) { return Contains(t, part); });
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

bool IsWrite(Op op) {
    return op == Op::WriteAll || op == Op::WriteChanges || op == Op::WritePin;
}

// The bytes of the trace lines ("> [hh] [hh] ..."), each line's bytes in order.
std::vector<std::pair<char, std::vector<int>>> TraceLines(const std::string& trace) {
    std::vector<std::pair<char, std::vector<int>>> lines;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 2 || (line[0] != '>' && line[0] != '<'))
            continue;
        std::vector<int> bytes;
        for (std::size_t at = line.find('['); at != std::string::npos; at = line.find('[', at + 1))
            bytes.push_back(std::stoi(line.substr(at + 1, 2), nullptr, 16));
        lines.emplace_back(line[0], bytes);
    }
    return lines;
}

// A configuration file read into an image, or nothing when it cannot be read.
std::optional<ConfigurationImage> FileImage(const std::string& path) {
    ConfigurationFileContents contents;
    std::string problem;
    if (!ReadConfigurationFile(path, contents, problem))
        return std::nullopt;
    return contents.image;
}

// The pin's values a data file keeps, the descriptions and the live value left out; steps only
// within the layout.
bool SamePinValues(PinRecord a, PinRecord b) {
    for (PinRecord* pin : {&a, &b}) {
        pin->description.clear();
        pin->deviceDescription.clear();
        pin->liveValue = 0;
        for (int aspect = 0; aspect < AspectCount; ++aspect) {
            AspectRecord& record = pin->aspects[static_cast<std::size_t>(aspect)];
            record.description.clear();
            for (int step = 0; step < StepCount; ++step)
                if (aspect >= AspectsInLayout(pin->aspectLayout) || step >= StepsInLayout(pin->aspectLayout))
                    record.steps[static_cast<std::size_t>(step)] = {};
        }
    }
    return a == b;
}

// The pin's values a data file keeps, its texts included (they are values of a file, though not
// of the controller).
bool SameFilePinValues(const PinRecord& a, const PinRecord& b) {
    if (!SamePinValues(a, b) || a.description != b.description || a.deviceDescription != b.deviceDescription)
        return false;
    for (int aspect = 0; aspect < AspectsInLayout(a.aspectLayout); ++aspect)
        if (a.aspects[static_cast<std::size_t>(aspect)].description !=
            b.aspects[static_cast<std::size_t>(aspect)].description)
            return false;
    return true;
}

// Whether two files hold the same values; what only one of them holds (a pin a compact file
// leaves out, the enforced mode, the enable map) is left out.
bool SameFileValues(ConfigurationFileContents fileA, ConfigurationFileContents fileB) {
    ConfigurationImage& a = fileA.image;
    ConfigurationImage& b = fileB.image;
    if (!a.module.enforcedXAddress || !b.module.enforcedXAddress)
        a.module.enforcedXAddress = b.module.enforcedXAddress;
    if (!a.enableMap || !b.enableMap)
        a.enableMap = b.enableMap;
    for (std::size_t pin = 0; pin < static_cast<std::size_t>(PinCount); ++pin)
        if (fileA.pins[pin] && fileB.pins[pin] && !SameFilePinValues(a.pins[pin], b.pins[pin]))
            return false;
    return a.module == b.module && a.events == b.events && a.enableMap == b.enableMap;
}

// The data files of the layout's folder ("module-N.dat") with their bytes.
std::map<std::string, std::string> LayoutDataFiles(const std::string& folder) {
    std::map<std::string, std::string> files;
    std::error_code failed;
    for (const auto& entry : std::filesystem::directory_iterator(folder, failed)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("module-", 0) == 0 && name.ends_with(".dat"))
            files[name] = test::ReadBytes(entry.path().string());
    }
    return files;
}

} // namespace

const std::set<std::string>& KnownOpenInvariants() {
    static const std::set<std::string> open{}; // none now: every invariant is checked
    return open;
}

Checker::Checker(World& world) : world_(world) {}

bool Checker::checked(const std::string& invariant) const {
    const char* all = std::getenv("VEXA_WALK_ALL_INVARIANTS");
    const char* skipped = std::getenv("VEXA_WALK_SKIP");
    if (skipped && Contains("," + std::string(skipped) + ",", "," + invariant + ","))
        return false;
    return (all && std::string(all) == "1") || KnownOpenInvariants().count(invariant) == 0;
}

Checker::Identity Checker::identity() const {
    const Session& session = world_.session();
    return {world_.generation(), session.port.openings, session.link.moduleAddress};
}

void Checker::before(const Step& step) {
    oneWayBefore_ = world_.oneWayByChoice();
    // "Bidirectional Comm." off after a missed answer: the window then writes one-way, and only
    // its marks can tell what is known.
    lostBefore_ = !world_.session().link.bidirectional && !oneWayBefore_;
    portUsableBefore_ = world_.session().port.isOpen() && !world_.vanished();
    identityBefore_ = identity();
    if (step.op == Op::Swap)
        noteSwap(step);
    if (step.op == Op::BackupLayout)
        layoutFilesBefore_ = LayoutDataFiles(world_.layoutFolder());
}

void Checker::noteSwap(const Step& step) {
    const int address = world_.shape().modules[static_cast<std::size_t>(step.a) % world_.shape().modules.size()];
    const Simulator* reached = world_.reached();
    if (!reached || reached != world_.line().at(address).get())
        return;
    // The swap is played after this: the new board is drawn from the step, as the world does.
    const ControllerMemory other = World::OtherController(step.b, reached->idString());
    // Until the program reads what it knew of the board's identity (or reads or writes it whole),
    // it cannot know of the swap.
    const ControllerCopy& copy = world_.session().controllerCopy();
    revealers_ = {FullTransfer};
    for (int setting : {IdSetting, VersionSetting})
        if (other.settings[static_cast<std::size_t>(setting)] != reached->setting(setting) &&
            copy.find({HeldPart::Setting, setting}))
            revealers_.insert(setting);
    swapIdentity_ = identity();
    swappedSinceRead_ = true;
}

// A valid answer to a read of the ID string or the version of the swapped board shows the
// program that another board answers; from then on it has to know.
void Checker::noteRevealed(const Step& step, const StepOutcome& outcome) {
    if (revealers_.empty())
        return;
    if ((step.op == Op::ReadAll || step.op == Op::WriteAll) && outcome.passed && !outcome.linkFault) {
        revealers_.clear(); // all of it read or written anew
        return;
    }
    if (identity() != swapIdentity_) {
        revealers_.clear(); // the program no longer holds anything of that board
        return;
    }
    const auto lines = TraceLines(world_.session().trace.text());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<int>& request = lines[i].second;
        if (lines[i].first != '>' || request.size() < 2)
            continue;
        const std::size_t data = (request[1] & 16) ? 3 : 2;
        // Once the program wrote its ID string to the new board (one-way by the user's choice,
        // where nothing is checked), reading it back tells the boards apart no longer.
        if (request.size() >= data + 2 && request[data] == 96 && request[data + 1] == IdSetting)
            revealers_.erase(IdSetting);
        if (i + 1 == lines.size() || lines[i + 1].first != '<' || lines[i + 1].second.size() < 2)
            continue;
        const std::vector<int>& answer = lines[i + 1].second;
        // Only an answer that echoes the read is one: a late answer to an earlier read, which the
        // link hands on when nothing else came, is refused by the answer checks.
        const std::size_t answerData = (answer[1] & 16) ? 3 : 2;
        const auto echoes = [&] {
            return answer.size() >= answerData + 2 && answer[answerData] == request[data] &&
                   answer[answerData + 1] == request[data + 1];
        };
        if (request.size() >= data + 2 && request[data] == 112 && revealers_.count(request[data + 1]) && echoes()) {
            revealers_.clear();
            return;
        }
    }
}

void Checker::fail(const std::string& invariant, const std::string& text) {
    if (broken_.empty() && checked(invariant))
        broken_ = invariant + ": " + text;
}

std::string Checker::after(const Step& step, const StepOutcome& outcome) {
    if (identity() != blindIdentity_)
        blindWrites_ = false;
    if (IsWrite(step.op) && oneWayBefore_ && !world_.reached()) {
        blindWrites_ = true; // one-way by choice, into the void: the program cannot know
        blindIdentity_ = identity();
    }
    noteRevealed(step, outcome);
    broken_.clear();
    claims(step, outcome);
    sameIsHeld();
    files(step, outcome);
    layout(step, outcome);
    layoutOwners(step);
    return broken_;
}

// What the step itself claimed: a write or read done, "Verify OK", a backup that verifies.
void Checker::claims(const Step& step, const StepOutcome& outcome) {
    Session& session = world_.session();
    const int base = world_.numberingBase();
    const Simulator* reached = world_.reached();
    const bool done = outcome.ran && outcome.passed && !outcome.linkFault;
    std::string problem;
    const ConfigurationImage* held = reached ? &ReadBack(reached->memory(), problem) : nullptr;
    if (!problem.empty())
        return fail("ControllerReadsBack", problem);
    const auto notHeld = [&](const std::vector<Item>& items) {
        return held ? NotHeld(session.image, *held, items, base) : std::vector<std::string>{"no controller answers"};
    };

    const bool writeChangesBlind = step.op == Op::WriteChanges && oneWayBefore_ && !revealers_.empty();
    const bool windowOneWayAfterLoss = world_.shape().window && lostBefore_;
    if (IsWrite(step.op) && done && !blindWrites_ && !writeChangesBlind && !windowOneWayAfterLoss) {
        const auto missing = notHeld(step.op == Op::WritePin ? std::vector<Item>{{Item::Pin, step.a}} : AllItems());
        if (!missing.empty())
            fail("WriteDoneHoldsTheImage", "the write was done, but the controller does not hold " + Joined(missing));
    }
    if (IsWrite(step.op) && step.op != Op::WritePin && outcome.passed &&
        outcome.before.module.idString.size() > IdLimit && !AnyContains(outcome.messages, "12") &&
        !Contains(outcome.out, "12"))
        fail("IdCutIsSaid", "the ID string \"" + outcome.before.module.idString + "\" was cut without a word");
    if ((step.op == Op::VerifyAll || step.op == Op::RoundTrip) && Contains(outcome.out, "Verify OK")) {
        // A differing eXtended address or group mask is named in the report and does not fail.
        std::vector<Item> compared = AllItems();
        if (Contains(outcome.out, "eXtended Address does not compare") ||
            Contains(outcome.out, "eXtended Group Mask does not compare"))
            std::erase(compared, Item{Item::Block, static_cast<int>(SettingBlock::SerialAddressing)});
        const auto missing = notHeld(compared);
        if (!missing.empty())
            fail("VerifyOkHoldsTheImage", "\"Verify OK\", but the controller does not hold " + Joined(missing));
        if (!session.image.enableMap && !Contains(outcome.out, "enable map unknown, not compared"))
            fail("VerifyOkHoldsTheImage", "the enable map was not compared, and the report does not say so");
        if (!session.image.module.enforcedXAddress && !Contains(outcome.out, "eXtended Address: enforced mode unknown"))
            fail("VerifyOkHoldsTheImage", "the eXtended address was not compared, and the report does not say so");
        if (IsEnforced(session.image.module) && !Contains(outcome.out, EnforcedNotComparedText))
            fail("VerifyOkHoldsTheImage", "serial addressing was not compared, and the report does not say so");
    }
    if ((step.op == Op::ReadAll || step.op == Op::ReadPin) && done) {
        const auto missing = notHeld(step.op == Op::ReadPin ? std::vector<Item>{{Item::Pin, step.a}} : AllItems());
        if (!missing.empty())
            fail("ReadDoneTakesTheController",
                 "the read was done, but the configuration does not hold " + Joined(missing));
    }
    // A board swapped behind the open port may contradict, during the read, what the program
    // knew of the one before: it then forgets all it knew, the parts read so far included (they
    // are written again, which is no false claim).
    if (step.op == Op::ReadAll && done && !outcome.stopped) {
        const std::string written = CountsText(ItemsToWrite(session));
        if (!written.empty() && !swappedSinceRead_)
            fail("FreshReadHasNothingToWrite", "right after Read All, Write Changes would write " + written);
        swappedSinceRead_ = false;
    }
    if (step.op == Op::RoundTrip && reached && portUsableBefore_ && !outcome.linkFault && !outcome.stopped &&
        !(outcome.passed && Contains(outcome.out, "Verify OK") && AnyContains(outcome.messages, "Nothing to write")))
        fail("BackupRoundTripVerifies",
             "an untouched controller against its own backup: " + outcome.out + Joined(outcome.messages));
}

// Every item the program holds as written (no mark, not written by "Write Changes") is held by
// the controller the link reaches; "Nothing changed" means that nothing is to be written.
void Checker::sameIsHeld() {
    Session& session = world_.session();
    const std::string status = ChangesStatusText(session);
    if (status.rfind("Nothing changed", 0) == 0 && !ItemsToWrite(session).empty())
        fail("NothingChangedMeansNothingToWrite",
             "\"" + status + "\", but Write Changes would write " + CountsText(ItemsToWrite(session)));
    if (!revealers_.empty() || blindWrites_)
        return;
    std::vector<Item> same = ItemsOf(ItemsInState(session, HeldState::Same));
    if (!session.image.enableMap)
        std::erase(same, Item{Item::EnableMap, 0}); // not written, not compared: no claim
    if (same.empty())
        return;
    const Simulator* reached = world_.reached();
    if (!reached)
        return fail("SameIsHeld", "no controller answers at the link's address, but the program holds " +
                                      ItemName(same.front(), world_.numberingBase()) + " as written");
    std::string problem;
    const auto missing = NotHeld(session.image, ReadBack(reached->memory(), problem), same, world_.numberingBase());
    if (!missing.empty())
        fail("SameIsHeld", "shown as unchanged, but the controller holds otherwise: " + Joined(missing));
}

// Files: save, load, save gives the same bytes; a load takes what the file holds; diff compares
// the files' values.
void Checker::files(const Step& step, const StepOutcome& outcome) {
    if (!outcome.ran || (!outcome.passed && step.op != Op::Diff)) // diff's verdict is its exit status
        return;
    Session& session = world_.session();
    if (step.op == Op::Save || step.op == Op::SaveCompact) {
        const std::string path = world_.file(step.a);
        test::RecordingPrompter prompter;
        test::FakeClock clock;
        test::ScriptedPortProvider ports;
        Session again(prompter, clock, ports);
        const std::string copy = path + ".again";
        if (!LoadConfigurationFile(again, path) || !SaveConfigurationFile(again, copy, step.op == Op::SaveCompact) ||
            test::ReadBytes(copy) != test::ReadBytes(path))
            fail("SaveLoadSaveIsIdentical", path + " saved again after a load differs " + prompter.last());
    }
    if (step.op == Op::Load) {
        const std::optional<ConfigurationImage> file = FileImage(world_.file(step.a));
        if (file && (file->module != session.image.module || file->enableMap != session.image.enableMap))
            fail("LoadSetsWhatTheFileHolds",
                 "after the load the module settings or the enable map differ from the file's");
    }
    if (step.op == Op::Diff) {
        ConfigurationFileContents a;
        ConfigurationFileContents b;
        std::string problem;
        if (ReadConfigurationFile(world_.file(step.a), a, problem) &&
            ReadConfigurationFile(world_.file(step.b), b, problem) && SameFileValues(a, b) != outcome.passed)
            fail("DiffComparesFileValues", outcome.passed ? "the files differ, but diff says they compare"
                                                          : "the files hold the same values, but diff differs");
    }
}

// A layout backup holds what each controller holds; a verified or restored layout is held.
void Checker::layout(const Step& step, const StepOutcome& outcome) {
    if (!outcome.passed || (step.op != Op::BackupLayout && step.op != Op::VerifyLayout && step.op != Op::RestoreLayout))
        return;
    const int base = world_.numberingBase();
    std::string bytes;
    LayoutListing listing;
    std::string problem;
    if (!ReadLayoutBytes(world_.layoutFolder(), bytes, problem) ||
        !ParseLayoutFile(bytes, base, HighestDirectModuleAddress, listing, problem))
        return fail("LayoutDoneHoldsTheFiles", "the layout list cannot be read: " + problem);
    for (const LayoutEntry& entry : listing.entries) {
        const std::shared_ptr<Simulator> controller = world_.line().at(entry.address);
        const std::optional<ConfigurationImage> file = FileImage(LayoutPath(world_.layoutFolder(), entry.fileName));
        if (!controller || !file)
            return fail("LayoutDoneHoldsTheFiles", entry.fileName + " lists no controller or cannot be read");
        const auto missing = NotHeld(*file, ReadBack(controller->memory(), problem), AllItems(), base);
        if (!missing.empty())
            fail("LayoutDoneHoldsTheFiles", "module " + std::to_string(entry.address + base) + " and " +
                                                entry.fileName + " differ in " + Joined(missing));
    }
}

// Each data file layout.txt lists is the backup of the module it lists it for, whatever the
// numbering base of the backups that wrote the folder's files: a restore puts it on that module.
void Checker::layoutOwners(const Step& step) {
    if (step.op != Op::BackupLayout && step.op != Op::VerifyLayout && step.op != Op::RestoreLayout)
        return;
    if (step.op == Op::BackupLayout)
        for (const auto& [name, bytes] : LayoutDataFiles(world_.layoutFolder())) {
            const auto before = layoutFilesBefore_.find(name);
            if (before == layoutFilesBefore_.end() || before->second != bytes)
                backedUpFrom_[name] = std::stoi(name.substr(7)) - world_.numberingBase();
        }
    std::string bytes;
    LayoutListing listing;
    std::string problem;
    if (!ReadLayoutBytes(world_.layoutFolder(), bytes, problem) ||
        !ParseLayoutFile(bytes, world_.numberingBase(), HighestDirectModuleAddress, listing, problem))
        return; // no list (yet): nothing is claimed
    const int base = world_.numberingBase();
    for (const LayoutEntry& entry : listing.entries) {
        const auto from = backedUpFrom_.find(entry.fileName);
        if (from != backedUpFrom_.end() && from->second != entry.address)
            fail("LayoutListsEachModulesOwnFile",
                 "layout.txt lists " + entry.fileName + " for module " + std::to_string(entry.address + base) +
                     ", but it holds the backup of module " + std::to_string(from->second + base));
    }
}

} // namespace vexa::sequence
