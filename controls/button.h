#pragma once
// A push button. Enter or Space on the focused button presses it.
#include <QPushButton>

namespace controls {

class Button : public QPushButton {
    Q_OBJECT
public:
    Button(const QString& caption, QWidget* parent);

    // A button with a modal result sets it on its form when pressed (0 = none).
    void setModalResult(int result) { m_modalResult = result; }
    int modalResult() const { return m_modalResult; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    int m_modalResult = 0;
};

} // namespace controls
