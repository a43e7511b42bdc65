#pragma once

#include "../link/ControllerScript.h"
#include "TestSeams.h"

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace vexa::test {

// A synchronised bench whose controller answers a read of setting s (112, s) with the data of
// answers[s] (no answer when the setting is missing) and takes every other request silently.
struct ModuleSettingsBench : TestBench {
    ModuleSettingsBench() {
        session.link.frameToggle = 64;
        controller = std::make_unique<ScriptedController>(
            port(), [this](const std::vector<int>& request) -> std::optional<std::vector<int>> {
                if (request.size() != 2 || request[0] != 112)
                    return std::nullopt;
                const auto found = answers.find(request[1]);
                if (found == answers.end())
                    return std::nullopt;
                return found->second;
            });
    }

    // Answers a read of setting s with 112, s and the values.
    void answer(int setting, std::vector<int> values) {
        values.insert(values.begin(), {112, setting});
        answers[setting] = values;
    }

    std::map<int, std::vector<int>> answers;
    std::unique_ptr<ScriptedController> controller;
};

} // namespace vexa::test
