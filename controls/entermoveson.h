#pragma once
// Enter moves on: a key handler that sees Enter posts a Tab key-down to the control it names.
// The screen then moves the focus from whichever control has it when the Tab is taken from
// the queue; Shift goes back, Ctrl or Alt stop it.
#include <QChar>
#include <Qt>

class QWidget;

namespace controls {

// Posts the Tab for an Enter typed with these modifiers; does nothing for other keys.
void enterMovesOn(QChar key, Qt::KeyboardModifiers modifiers, QWidget* next);

} // namespace controls
