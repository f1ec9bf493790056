#pragma once
// Ending the application with rows still being edited or added on any screen.

namespace app {

// With nothing pending: true at once. Otherwise asks "資料尚未存檔，是否存檔後離開？":
// Yes settles each pending row (a failing save raises its error, so the application does
// not end), No ends discarding them, Cancel does not end.
bool confirmLeave();

} // namespace app
