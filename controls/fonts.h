#pragma once
// The faces the screens name, mapped onto the free faces installed with the program,
// so the mapping holds without any fontconfig set-up of the user.

namespace controls {

void installFontSubstitutions();

} // namespace controls
