// Requests to end the run from outside the program: SIGINT, SIGTERM, the stop time.
#pragma once

namespace luma {

void installStopSignals();
// True once for every request made since the last call.
bool takeStopRequest();
void requestStop();
// The signal that asked the run to end (SIGINT or SIGTERM); 0 when none did.
int stopSignal();

} // namespace luma
