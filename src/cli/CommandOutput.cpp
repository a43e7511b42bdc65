#include "cli/CommandOutput.h"

#include "core/RetryCount.h"

namespace vexa::cli {

bool RunAndSayDone(CliContext& context, bool (*operation)(Session&), const char* doneText) {
    if (!operation(context.session))
        return false;
    context.out << doneText << RetriesSuffix(context.session.link.retriesTaken) << '\n';
    context.retriesTold = true;
    return true;
}

} // namespace vexa::cli
