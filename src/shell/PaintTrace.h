#pragma once

namespace vtr::shell {

// With VTR6420KD_PAINT_TRACE=1 in the environment, the windows write one line
// per painted frame to stdout ("paint main <ns>", "paint busy <ns>"), one when
// the first frame of the main window is complete ("first-paint <ns>") and one
// per change of the busy state ("busy 1 <ns>") and one per step of the start
// ("mark window <ns>"), times on the system's
// real-time clock in nanoseconds. Used by the start-up and frame-gap
// measurements; silent otherwise.
bool PaintTraceOn();
void TracePaint(const char* window);
void TraceFirstFrame();
void TraceBusy(bool busy);
// A step of the start ("mark app <ns>"), for finding where the time goes.
void TraceMark(const char* step);

}  // namespace vtr::shell
