#pragma once

#include "core/Session.h"

#include <initializer_list>
#include <vector>

namespace vexa {

// Requests that read a pin's aspect part from the controller (first data byte, then the pin).
constexpr int ReadLayoutCode = 114;
constexpr int ReadStepCode = 115; // pin, aspect, step
constexpr int ReadInitialAspectCode = 116;
constexpr int ReadAddressConfigCode = 118;

// Requests of a pin's type block: read (81 active, 113 flash) and write (65 active, 97 flash).
constexpr int TypeSettingStep = 32; // added to a code for the setting kept in flash
constexpr int ReadActiveTypeCode = 81;
constexpr int ReadFlashTypeCode = ReadActiveTypeCode + TypeSettingStep;
constexpr int WriteActiveTypeCode = 65;

// Sends a read request; true when a valid answer came (the link has reported any fault).
bool AskController(Session& session, const std::vector<int>& request);

// True when the answer has `size` data bytes and starts with the given echo bytes.
bool AnswerEchoes(const LinkState& link, int size, std::initializer_list<int> echo);

// Shows the stage of a run over all pins and how far it has come (pin + 1 of 32).
void ReportPinProgress(Session& session, const char* stage, int pin);

} // namespace vexa
