#include "entermoveson.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace controls {

void enterMovesOn(QChar key, Qt::KeyboardModifiers modifiers, QWidget* next)
{
    if (key != QChar(13) || !next)
        return;
    // Shift+Tab arrives as Backtab, as the keyboard would deliver it.
    const int tab = modifiers & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab;
    QCoreApplication::postEvent(next, new QKeyEvent(QEvent::KeyPress, tab, modifiers));
}

} // namespace controls
