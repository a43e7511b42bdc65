#include "model/WireRange.h"

namespace vexa {

std::string WireProblem(const std::string& field, int value, WireRange range) {
    if (range.holds(value))
        return {};
    return field + " = " + std::to_string(value) + " cannot be sent (" + std::to_string(range.low) + ".." +
           std::to_string(range.high) + ")";
}

std::string FirstProblem(const std::string& prefix, std::initializer_list<std::string> problems) {
    for (const std::string& problem : problems)
        if (!problem.empty())
            return prefix + problem;
    return {};
}

} // namespace vexa
