#include "cli/SettingsCommands.h"

#include "cli/CliPrompter.h"
#include "cli/CommandOutput.h"
#include "cli/TerminalProgress.h"
#include "cli/VerificationOutput.h"
#include "module/EraseFlash.h"
#include "module/ModuleSettingsSummary.h"
#include "module/ModuleSettingsTransfer.h"
#include "module/SettingsVerification.h"

namespace vexa::cli {

namespace {

constexpr int EraseWaitLimitSeconds = 60;

// Holds back the link's messages while the controller is expected to be silent.
class QuietMessages {
public:
    explicit QuietMessages(Prompter& prompter)
        : shown_(prompter), prompter_(dynamic_cast<CliPrompter*>(&Unwrapped(prompter))) {
        if (prompter_)
            prompter_->setQuiet(true);
    }
    ~QuietMessages() {
        if (prompter_)
            prompter_->setQuiet(false);
    }
    // Shows the last message held back, as it would have been shown.
    void showLast() {
        if (!prompter_)
            return;
        const auto kept = prompter_->takeKept();
        prompter_->setQuiet(false);
        if (kept)
            shown_.ask(kept->first, kept->second);
        prompter_->setQuiet(true);
    }
    QuietMessages(const QuietMessages&) = delete;
    QuietMessages& operator=(const QuietMessages&) = delete;

private:
    // The command line's prompter, also when the progress line's prompter wraps it.
    static Prompter& Unwrapped(Prompter& prompter) {
        auto* clearing = dynamic_cast<LineClearingPrompter*>(&prompter);
        return clearing ? clearing->inner() : prompter;
    }

    Prompter& shown_;
    CliPrompter* prompter_;
};

} // namespace

bool RunReadSettings(CliContext& context, const std::string&) {
    if (!ReadModuleSettings(context.session))
        return false;
    context.out << ModuleSettingsSummary(context.session);
    return true;
}

bool RunWriteSettings(CliContext& context, const std::string&) {
    return RunAndSayDone(context, WriteModuleSettings, "Write Settings done");
}

bool RunVerifySettings(CliContext& context, const std::string&) {
    return VerifyAndPrintReport(context, RunVerifyGeneralSettings);
}

bool RunEraseFlash(CliContext& context, const std::string&) {
    Session& session = context.session;
    if (!session.port.isOpen()) {
        session.tell("Select communications port");
        return false;
    }
    if (!SendEraseRequest(session))
        return false;
    context.out << "Erase sent; waiting for the controller to answer again (at most " << EraseWaitLimitSeconds
                << " s)\n";
    context.out.flush();
    bool back = false;
    {
        QuietMessages quiet(session.prompter);
        back = AwaitControllerAfterErase(session, EraseWaitLimitSeconds, [&context](int seconds) {
            context.out << "waiting ... " << seconds << " s\n";
            context.out.flush();
        });
        if (!back && !session.port.isOpen())
            quiet.showLast(); // the port's own message: it stopped working
    }
    // Stopped: the runner says so; a port that failed has said why.
    if (!back && (session.progress->stopRequested() || !session.port.isOpen()))
        return false;
    if (!back) {
        session.prompter.ask(MessageKind::OkError, "The controller did not answer within " +
                                                       std::to_string(EraseWaitLimitSeconds) + " s after the erase");
        return false;
    }
    context.out << "Erase done; the controller answers again (firmware version " << session.versionText << ")\n";
    return true;
}

} // namespace vexa::cli
