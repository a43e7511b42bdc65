#include "WalkWorld.h"

#include "../sim/SimTestBench.h"
#include "../support/Fixtures.h"

#include "batch/BatchOperations.h"
#include "cli/CliCommand.h"
#include "core/OperationRunner.h"
#include "link/Exchange.h"
#include "link/PortSetup.h"
#include "sim/SimulatorPort.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace vexa::sequence {

namespace {

constexpr const char* PortName = "/dev/ttyWALK";
// A late answer comes once the program has moved on (its waits take no wall time).
constexpr std::chrono::milliseconds LateDelay{2};
constexpr int BoardEdits = 40;

const cli::CliCommand& Command(const std::string& name) {
    const std::vector<cli::CliCommand>& table = cli::CliCommandTable();
    const auto found = std::find_if(table.begin(), table.end(), [&name](const auto& c) { return c.name == name; });
    return *found;
}

// The lines of a data file without those of the enforced mode and the enable map: a file of an
// older version of the program.
std::string WithoutNewerLines(const std::string& bytes) {
    std::string kept;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("\"FXA\"", 0) != 0 && line.rfind("\"IEE\"", 0) != 0)
            kept += line + "\n";
    return kept;
}

} // namespace

// The serial port of the line, which the bench can make vanish (a pulled cable) and which counts
// the bytes sent, so that Stop can come at a chosen exchange.
class World::LinePort : public SerialPort {
public:
    LinePort(World& world, std::unique_ptr<SerialPort> inner) : world_(world), inner_(std::move(inner)) {}

    bool open(const std::string& name) override { return !world_.vanished_ && inner_->open(name); }
    void close() override { inner_->close(); }
    bool isOpen() const override { return inner_->isOpen(); }
    bool setSettings(const std::string& settings) override { return inner_->setSettings(settings); }
    bool writeByte(std::uint8_t byte) override {
        if (world_.vanished_)
            return false;
        ++world_.bytesSent_;
        return inner_->writeByte(byte);
    }
    int bytesWaiting() override { return world_.vanished_ ? -1 : inner_->bytesWaiting(); }
    int readByte() override { return world_.vanished_ ? -1 : inner_->readByte(); }
    bool waitReadable(int timeoutMs) override {
        if (world_.vanished_)
            return false;
        if (inner_->waitReadable(0))
            return true;
        world_.clock_.pauseMs(timeoutMs); // nothing came meanwhile
        return false;
    }
    std::string errorString() const override { return world_.vanished_ ? "No such device" : inner_->errorString(); }

private:
    World& world_;
    std::unique_ptr<SerialPort> inner_;
};

// The user presses Stop once the chosen number of bytes went out; the notes an operation gives
// (the status line's, or standard error's) are kept with the step's messages.
class World::StepProgress : public Progress {
public:
    explicit StepProgress(const World& world) : world_(world) {}
    bool stopRequested() override { return world_.stopAfter_ && world_.bytesSent_ >= *world_.stopAfter_; }
    void note(const std::string& text) override { notes.push_back(text); }

    std::vector<std::string> notes;

private:
    const World& world_;
};

World::World(const WalkShape& shape)
    : shape_(shape), numberingBase_(shape.firstBase), line_(std::make_shared<SimBus>()),
      progress_(std::make_unique<StepProgress>(*this)) {
    for (std::size_t i = 0; i < shape.modules.size(); ++i) {
        auto controller = MakeDefaultSimulator();
        if (i > 0)
            controller->memory() = OtherController(shape.modules[i], controller->idString());
        controller->setLateDelay(LateDelay);
        line_->add(shape.modules[i], controller);
    }
    std::filesystem::copy_file(test::FixturePath(test::RichDataFile), file(FixtureSlot));
    provider_.names = {PortName};
    provider_.factory = [this](const std::string&) {
        return std::make_unique<LinePort>(*this, MakeSimLinePort(line_));
    };
    startSession();
}

World::~World() = default;

void World::startSession() {
    session_ = std::make_unique<Session>(prompter_, clock_, provider_);
    ++generation_;
    Session& session = *session_;
    session.numberingBase = numberingBase_;
    session.link.bidirectional = !shape_.oneWay;
    oneWayByChoice_ = shape_.oneWay;
    session.link.haltOnFault = !shape_.window;
    session.link.moduleAddress = shape_.modules.front();
    SelectPort(session, PortName);
    currentFile_.clear();
#ifdef VEXA_TESTS_WINDOW_LAYER
    history_.reset(EditState{session.image, currentFile_});
#endif
}

Simulator* World::reached() const {
    if (session_->link.useXAddress)
        return nullptr; // not played
    const std::shared_ptr<Simulator> controller = line_->at(session_->link.moduleAddress);
    return controller.get();
}

std::string World::file(int slot) const {
    return folder_.file(slot == FixtureSlot ? "rich.dat" : "f" + std::to_string(slot) + ".dat");
}

std::string World::layoutFolder() const {
    return folder_.file("layout");
}

StepOutcome World::runCommands(const std::vector<std::vector<std::string>>& commands) {
    Session& session = *session_;
    StepOutcome outcome;
    outcome.passed = true;
    std::ostringstream out;
    for (const std::vector<std::string>& words : commands) {
        const cli::CliCommand& command = Command(words.front());
        cli::CliContext context{session, out, {words.begin() + 1, words.end()}};
        // As the command line runs each command: a link fault fails it. The window goes on.
        session.link.faultReported = false;
        const bool passed = RunGuarded(session, *progress_, [&](Session& running) {
            const std::string argument = context.arguments.empty() ? std::string() : context.arguments.front();
            return command.run(context, argument) && (shape_.window || !running.link.faultReported);
        });
        outcome.linkFault = outcome.linkFault || session.link.faultReported;
        if (!passed) {
            outcome.passed = false;
            break;
        }
    }
    outcome.out = out.str();
    outcome.stopped = progress_->stopRequested();
    stopAfter_.reset();
    return outcome;
}

StepOutcome World::play(const Step& step) {
    Session& session = *session_;
    const ConfigurationImage before = session.image;
    prompter_.messages.clear();
    progress_->notes.clear();
    session.trace.clear();
    bytesSent_ = 0;
    const auto exists = [this](int slot) { return std::filesystem::exists(file(slot)); };
    StepOutcome outcome;
    outcome.passed = true;
    switch (step.op) {
    case Op::ReadAll:
        outcome = runCommands({{"read-all"}});
        break;
    case Op::WriteAll:
        outcome = runCommands({{"write-all"}});
        break;
    case Op::WriteChanges:
        outcome = runCommands({{"write-changes"}});
        break;
    case Op::VerifyAll:
        outcome = runCommands({{"verify-all"}});
        break;
    case Op::ReadPin:
        outcome = runCommands({{"read-pin", std::to_string(step.a + numberingBase_)}});
        break;
    case Op::WritePin:
        outcome = runCommands({{"write-pin", std::to_string(step.a + numberingBase_)}});
        break;
    case Op::RoundTrip:
        outcome = runCommands(
            {{"read-all"}, {"save", file(step.a)}, {"load", file(step.a)}, {"verify-all"}, {"write-changes"}});
        currentFile_ = file(step.a);
        break;
    case Op::Save:
    case Op::SaveCompact:
        outcome = runCommands({{step.op == Op::Save ? "save" : "save-compact", file(step.a)}});
        currentFile_ = file(step.a);
        break;
    case Op::Load:
        outcome.ran = exists(step.a);
        if (outcome.ran)
            outcome = runCommands({{"load", file(step.a)}});
        if (outcome.ran && outcome.passed)
            currentFile_ = file(step.a);
        break;
    case Op::OlderFile:
        outcome.ran = exists(step.a);
        if (outcome.ran)
            test::WriteBytes(file(step.b), WithoutNewerLines(test::ReadBytes(file(step.a))));
        break;
    case Op::Diff:
        outcome.ran = exists(step.a) && exists(step.b);
        if (outcome.ran)
            outcome = runCommands({{"diff", file(step.a), file(step.b)}});
        break;
    case Op::Edit:
        ApplyEdit(session.image, step, numberingBase_);
        break;
    case Op::Undo:
    case Op::Redo:
        outcome.ran = undoStep(step.op == Op::Undo);
        break;
    case Op::Fault:
        for (const auto& [address, controller] : line_->controllers())
            controller->injectFault(static_cast<SimulatorFault>(step.a % 4), step.b < 0 ? EveryAnswer : step.b);
        break;
    case Op::Wake:
        for (const auto& [address, controller] : line_->controllers())
            controller->clearFaults();
        break;
    case Op::StopAfter:
        stopAfter_ = step.a;
        break;
    case Op::Unplug:
        vanished_ = true;
        break;
    case Op::Replug:
        vanished_ = false;
        if (!session.port.isOpen()) {
            std::string failure;
            ReopenChosenPort(session, failure);
        }
        break;
    case Op::Swap: {
        Simulator& controller = *line_->at(shape_.modules[static_cast<std::size_t>(step.a) % shape_.modules.size()]);
        controller.memory() = OtherController(step.b, controller.idString());
        break;
    }
    case Op::ModuleAddress:
        session.link.moduleAddress = step.a;
        ResetFrameToggle(session);
        break;
    case Op::OneWay:
        session.link.bidirectional = !session.link.bidirectional;
        oneWayByChoice_ = !session.link.bidirectional;
        break;
    case Op::Base:
        numberingBase_ = step.a;
        session.numberingBase = step.a;
        break;
    case Op::Restart:
        startSession();
        break;
    case Op::BackupLayout:
        outcome = runCommands({{"backup-layout", layoutFolder()}});
        break;
    case Op::VerifyLayout:
        outcome = runCommands({{"verify-layout", layoutFolder()}});
        break;
    case Op::RestoreLayout:
        outcome = runCommands({{"restore-layout", layoutFolder()}});
        break;
    }
    if (session_->link.bidirectional)
        oneWayByChoice_ = false; // a read switched it on again
    if (!shape_.window && !outcome.passed && step.op != Op::Diff)
        startSession(); // the command line ended with the failed command: the next one is a new run
    if (step.op != Op::Undo && step.op != Op::Redo)
        record(Describe(step, numberingBase_));
    outcome.messages = prompter_.texts();
    outcome.messages.insert(outcome.messages.end(), progress_->notes.begin(), progress_->notes.end());
    outcome.before = before;
    return outcome;
}

void World::record(const std::string& name) {
#ifdef VEXA_TESTS_WINDOW_LAYER
    history_.record(EditState{session_->image, currentFile_}, name);
#else
    (void)name;
#endif
}

bool World::undoStep(bool undo) {
#ifdef VEXA_TESTS_WINDOW_LAYER
    if (undo ? !history_.canUndo() : !history_.canRedo())
        return false;
    const EditState current{session_->image, currentFile_};
    const EditState state = undo ? history_.undo(current) : history_.redo(current);
    session_->image = state.image;
    currentFile_ = state.file;
    return true;
#else
    (void)undo;
    return false;
#endif
}

ControllerMemory World::OtherController(int seed, const std::string& avoidId) {
    Random random(static_cast<unsigned>(seed));
    ConfigurationImage image;
    for (int i = 0; i < BoardEdits; ++i)
        ApplyEdit(image, DrawEdit(random, true), 0);
    image.module.idString = "Board " + std::to_string(seed % 997);
    if (image.module.idString == avoidId)
        image.module.idString += "b";
    image.module.enforcedXAddress = Pick(random, 4) == 0;
    image.enableMap = EnableMap{};

    auto controller = std::make_shared<Simulator>();
    if (Pick(random, 2) == 0)
        controller->setting(SettingVersion) = {3, 2, static_cast<std::uint8_t>(Pick(random, 4)), 7};
    test::SimBench bench(controller, 1);
    bench.session.image = image;
    WriteAll(bench.session);

    // Quirks of some boards, each now and then.
    ControllerMemory memory = controller->memory();
    for (SimPin& pin : memory.pins) {
        std::vector<std::uint8_t>& block = pin.flashBlock;
        if ((block[0] == 2 || block[0] == 3) && block.size() > 5 && Pick(random, 2) == 0) {
            block.resize(5); // type and four bytes: the off and on levels are not kept
            block[4] = static_cast<std::uint8_t>(1 + Pick(random, 30));
        } else if (block[0] == 1 && block.size() > 2 && Pick(random, 2) == 0) {
            block[2] = static_cast<std::uint8_t>(Pick(random, 2) == 0 ? block[2] | 64 : 0x20 + Pick(random, 3));
        }
    }
    if (*image.module.enforcedXAddress) {
        memory.settings[SettingSerialAddressing] = {static_cast<std::uint8_t>(Pick(random, 2)),
                                                    static_cast<std::uint8_t>(1 + Pick(random, 100))};
        memory.settings[SettingGroupMask] = {static_cast<std::uint8_t>(Pick(random, 16)), 0, 5, 0};
    }
    return memory;
}

} // namespace vexa::sequence
