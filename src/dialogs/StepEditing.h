#pragma once

#include "model/ConfigurationImage.h"

namespace vexa {

// Last step of an aspect of the pin: 8 for four aspects of nine steps, otherwise 2.
int LastStepOf(const PinRecord& pin);

// Inserts an empty step at the given step of the current aspect; the steps from there to the
// last step of the layout move down by one and the old last step is lost.
void InsertStep(ConfigurationImage& image, int step);

// Deletes the given step of the current aspect; the steps after it up to the last step of the
// layout move up by one and the last step becomes empty.
void DeleteStep(ConfigurationImage& image, int step);

} // namespace vexa
