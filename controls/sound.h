#pragma once
// The system beep for refused keys, with a counter tests can read.

namespace controls {

void beep();
int beepCount();

} // namespace controls
