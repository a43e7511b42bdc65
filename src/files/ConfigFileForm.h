#pragma once

#include "model/ConfigurationImage.h"

namespace vexa {

// The configuration as a data file saved from it holds it: what loading that file into a fresh
// configuration gives, without the selection and the live values. A full save leaves out what
// the file has no place for (aspects and steps beyond the layout, parameters beyond the type,
// the flex block while flex addressing is off, ...); a compact save also the pins and aspects
// without a description and the steps without an instruction. Two configurations hold the same
// for a file exactly when their saved forms are equal; the saved form of a saved form is itself.
ConfigurationImage ConfigurationAsSaved(const ConfigurationImage& image, bool compact);

} // namespace vexa
