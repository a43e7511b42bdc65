#pragma once

#include <string>

namespace vexa::test {

// A file kept in tests/fixtures.
inline std::string FixturePath(const std::string& name) {
    return std::string(VEXA_FIXTURES_DIR) + "/" + name;
}

// rich.dat: a full data file with values of every kind, many beyond what a user may type: a
// 16-character ID string, DCC address 9999 and eXtended DCC 3000, module eXtended address 120,
// flex addressing with block 100, group-mask flags 0, 5, 9 and 15, pins of every type (a servo
// "Cfg",1,200,58,250,..., a servo whose range bits show "Off", PWM normal and inverted, both
// inputs with delays up to 255), every layout (and an unknown layout 7), initial aspects beyond
// the layout ("Pin",0,3,8), address counts "PAM",1,9,9, steps with bytes above 127 and unused
// parameters that are not 0, an instruction without a name (130), event actions beyond 11, a
// device member with a name of its own and a referral outside the pins, descriptions with
// Latin-1 letters. Loading it and saving it in full gives the same bytes.
inline const char* const RichDataFile = "rich.dat";

} // namespace vexa::test
