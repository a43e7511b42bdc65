#pragma once

namespace vexa {

// The release text shown on the main window's release label.
inline constexpr const char* ReleaseText = "Release 3.1.0";

// The answer of every program to --version: the product's name and its release.
inline constexpr const char* VersionLine = "VexaConfig Release 3.1.0";

} // namespace vexa
