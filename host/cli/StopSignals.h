// The signals that end a render early: interrupt, terminate, hang-up, a
// broken pipe, a file grown past its size limit, an alarm and the two user
// signals. Caught, they only note their number; the render sees it between
// chunks, stops, removes what it had started and the program exits with
// 128 + the signal's number. A signal that was ignored when the program
// started (as under nohup) stays ignored.
#pragma once

#include "CliCommon.h"

namespace StopSignals {
// Main thread, before the work begins; installing twice does nothing.
// Blocking calls are not restarted after a caught signal, so a write or an
// open that waits (a FIFO without a reader) returns and the work stops.
void Install();
// The first caught signal's number, 0 while none. Any thread.
int Arrived();
// The failure a caught signal makes: exit code 128 + its number.
CliFailure Failure();
}  // namespace StopSignals
