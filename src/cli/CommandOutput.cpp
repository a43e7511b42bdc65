#include "cli/CommandOutput.h"

namespace vexa::cli {

bool RunAndSayDone(CliContext& context, bool (*operation)(Session&), const char* doneText) {
    if (!operation(context.session))
        return false;
    context.out << doneText << '\n';
    return true;
}

} // namespace vexa::cli
