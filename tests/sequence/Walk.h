#pragma once

// A sequence walk: a seeded list of steps played on a fresh world, with every invariant
// checked after each step. A walk that breaks one is shrunk to the shortest list of steps
// that still breaks it, and reported with its seed.

#include "WalkSteps.h"

#include <optional>
#include <string>
#include <vector>

namespace vexa::sequence {

struct Walk {
    WalkShape shape;
    std::vector<Step> steps;
};

struct WalkFailure {
    std::size_t step = 0; // index of the step after which the invariant broke
    std::string broken;   // "Invariant: what broke"
};

// The walk of a seed: its shape and `length` steps; a layout walk has several controllers.
Walk DrawWalk(unsigned seed, int length, bool layout);

// Plays the steps on a fresh world of the shape; the first invariant that broke, if any.
std::optional<WalkFailure> Play(const WalkShape& shape, const std::vector<Step>& steps);

// Leaves out steps as long as the same invariant still breaks.
std::vector<Step> Shrink(const WalkShape& shape, std::vector<Step> steps, const WalkFailure& failure);

// Plays the walk of a seed; "" when it kept every invariant, else the report: the seed, the
// shape, what broke and the shortest sequence found that still breaks it.
std::string RunWalk(unsigned seed, int length, bool layout);

// The steps as numbered lines, one per step, each with the numbering base in force at it.
std::string Listed(const std::vector<Step>& steps, int firstBase);

} // namespace vexa::sequence
