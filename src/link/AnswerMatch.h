#pragma once

#include <cstdint>
#include <vector>

namespace vexa {

// Whether a frame that came while the link waits can be the answer to the request sent. A
// frame that cannot (the late answer to an earlier request, above all) is dropped and the wait
// goes on, so that a late answer never puts the link one answer behind.
//
// The reads echo the start of their request: a module setting (112, s), a pin's type
// parameters (81 or 113, p), its aspect layout (114, p), initial aspect and events (116, p;
// 117, p) and address configuration (118, p) echo code and selector; a step (115, p, a, s)
// echoes all four bytes. Other requests (writes, live requests, the empty request of the
// monitor) are answered without an echo the link could rely on, so any answer fits them.
//
// `answerData` points at the answer's `size` data bytes. An answer too short to carry the
// echo cannot be checked and does not fit; an answer that carries fewer echo bytes than the
// request has (a controller that does not know the step) is checked as far as it goes.
bool AnswerFitsRequest(const std::vector<int>& request, const std::uint8_t* answerData, int size);

// Whether the request is a read (81, 112 .. 118 with their selector): its answer echoes it, and
// sending it again cannot change the controller.
bool IsReadRequest(const std::vector<int>& request);

} // namespace vexa
