#pragma once

#include "TestSeams.h"
#include "sim/SimFrameParser.h"

#include <array>
#include <functional>
#include <vector>

namespace vexa::test {

// A small controller on the far end of a scripted port for the pin transfer tests. It keeps the
// pin bytes that 98/99/100/102/97 write and answers 113..118 from them; every request is
// recorded. A test may take over single requests to give wrong or missing answers.
class FakePinController {
public:
    struct Pin {
        std::vector<int> typeBlock{0};              // configuration type and its parameter bytes
        int layout = 0;                             // aspect layout byte
        std::array<std::array<int, 5>, 36> steps{}; // instruction byte and W0..W3 of each slot
        int initialByte = 0x7F;
        std::array<int, 3> addressBytes{9, 17, 64};
    };

    explicit FakePinController(TestBench& bench);

    // Called first for every request. Return true when it is handled: `answer` then holds the
    // answer data (empty: no answer at all).
    std::function<bool(const std::vector<int>& request, std::vector<int>& answer)> override;

    std::vector<std::vector<int>> requests; // the data of every non-empty request, in order
    std::array<Pin, 32> pins{};

    // The requests with the given code.
    std::vector<std::vector<int>> requestsWithCode(int code) const;
    // Slot of step s of aspect a under the pin's layout.
    static int slot(int layout, int aspect, int step) { return layout == 2 ? aspect * 3 + step : aspect * 9 + step; }

private:
    std::vector<int> serve(const std::vector<int>& request);
    void onByte(ScriptedPort& port);

    SimFrameParser parser_;
};

} // namespace vexa::test
