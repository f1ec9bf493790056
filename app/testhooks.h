#pragma once
// Hooks that only the tests of the built program use; without their environment
// variables set the program behaves as it always does.
//
//   QUORVEL_AUTOQUIT_MS=n        every n ms: dismiss the modal box on screen (its escape
//                                button), or, with none, close the main window. The program
//                                thus runs through start-up and ends without a user.
//   QUORVEL_TEST_FAIL_CREATE=f   an error escapes the creation of the screen named f.

namespace app {

class Application;

void installTestHooks(Application& application);

} // namespace app
