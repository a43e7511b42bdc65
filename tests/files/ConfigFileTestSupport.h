#pragma once

#include "model/ConfigurationImage.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vexa::test {

// The lines of a file written with CR LF line ends, without their line ends. A line end that
// is not CR LF makes the result hold a line "<bare line end>" so a comparison fails visibly.
std::vector<std::string> SplitCrLfLines(const std::string& bytes);

// Joins lines with CR LF after each, as the data file holds them.
std::string JoinCrLf(const std::vector<std::string>& lines);

// An image with every kind of value set away from its start value: module settings, events
// with -1 and action numbers, pins of every type and layout, descriptions with bytes above 127.
ConfigurationImage MakeSampleImage();

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // The UTF-8 path of a file in it.
    std::string file(const std::string& name) const;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Whole files by their UTF-8 names.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// The UTF-8 names of the entries of a folder, sorted.
std::vector<std::string> NamesIn(const std::filesystem::path& folder);

} // namespace vexa::test
