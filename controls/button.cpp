#include "button.h"

#include "form.h"

#include <QKeyEvent>

namespace controls {

Button::Button(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_modalResult != 0)
            if (auto* form = qobject_cast<Form*>(window()))
                form->setModalResult(m_modalResult);
    });
}

void Button::keyPressEvent(QKeyEvent* e)
{
    // Outside dialogs Qt leaves Enter to the window; here the focused button takes it.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && e->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(e);
}

} // namespace controls
