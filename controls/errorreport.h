#pragma once
// The one place where errors become error boxes: the application's event dispatch and
// the design-time steps of form creation both hand the exception in flight to it.

namespace controls {

// Shows the exception being handled in the error box. Call only inside a catch block.
void handleException();

} // namespace controls
