#include "Walk.h"

#include "WalkChecks.h"
#include "WalkWorld.h"

namespace vexa::sequence {

namespace {

std::string InvariantOf(const WalkFailure& failure) {
    return failure.broken.substr(0, failure.broken.find(':'));
}

std::string ShapeText(const WalkShape& shape) {
    std::string text = shape.window ? "the window's way" : "the command line's way";
    text += ", numbering from " + std::to_string(shape.firstBase) + " at the start";
    if (shape.oneWay)
        text += ", one-way from the start";
    text += ", controllers at module address";
    for (int address : shape.modules)
        text += " " + std::to_string(address + shape.firstBase);
    return text;
}

} // namespace

Walk DrawWalk(unsigned seed, int length, bool layout) {
    Random random(seed);
    // The steps drawn aside come from a generator of their own: the seed's other steps are the
    // same with and without them.
    Random aside(seed ^ 0x5bd1e995u);
    Walk walk{DrawShape(random, layout), {}};
    int base = walk.shape.firstBase;
    for (int i = 0; i < length; ++i) {
        if (const std::optional<Step> step = DrawAsideStep(aside, walk.shape, base)) {
            walk.steps.push_back(*step);
            base = BaseAfter(*step, base);
        }
        walk.steps.push_back(DrawStep(random, walk.shape));
    }
    return walk;
}

std::optional<WalkFailure> Play(const WalkShape& shape, const std::vector<Step>& steps) {
    World world(shape);
    Checker checker(world);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        checker.before(steps[i]);
        const StepOutcome outcome = world.play(steps[i]);
        std::string broken = checker.after(steps[i], outcome);
        if (!broken.empty())
            return WalkFailure{i, std::move(broken)};
    }
    return std::nullopt;
}

std::vector<Step> Shrink(const WalkShape& shape, std::vector<Step> steps, const WalkFailure& failure) {
    const std::string invariant = InvariantOf(failure);
    steps.resize(failure.step + 1);
    for (std::size_t chunk = std::max<std::size_t>(steps.size() / 2, 1); chunk >= 1; chunk /= 2) {
        for (std::size_t at = 0; at < steps.size();) {
            std::vector<Step> fewer = steps;
            fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(at),
                        fewer.begin() + static_cast<std::ptrdiff_t>(std::min(at + chunk, fewer.size())));
            const std::optional<WalkFailure> still = Play(shape, fewer);
            if (still && InvariantOf(*still) == invariant) {
                fewer.resize(still->step + 1);
                steps = std::move(fewer);
            } else {
                at += chunk;
            }
        }
        if (chunk == 1)
            break;
    }
    return steps;
}

std::string Listed(const std::vector<Step>& steps, int firstBase) {
    std::string text;
    int base = firstBase;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        base = BaseAfter(steps[i], base);
        text += "  " + std::to_string(i + 1) + ". " + Describe(steps[i], base) + "\n";
    }
    return text;
}

std::string RunWalk(unsigned seed, int length, bool layout) {
    const Walk walk = DrawWalk(seed, length, layout);
    const std::optional<WalkFailure> failure = Play(walk.shape, walk.steps);
    if (!failure)
        return {};
    const std::vector<Step> shortest = Shrink(walk.shape, walk.steps, *failure);
    const std::optional<WalkFailure> last = Play(walk.shape, shortest);
    return "walk " + std::to_string(seed) + (layout ? " (layout)" : "") + ", " + ShapeText(walk.shape) + ":\n" +
           "  after step " + std::to_string(failure->step + 1) + ": " + failure->broken + "\n" +
           "shortest sequence found (" + std::to_string(shortest.size()) + " steps)" +
           (last ? ", after its last step: " + last->broken : std::string()) + "\n" +
           Listed(shortest, walk.shape.firstBase);
}

} // namespace vexa::sequence
