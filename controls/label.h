#pragma once
// A text label: sized to its text unless told otherwise, transparent or opaque.
#include <QLabel>

namespace controls {

class Label : public QLabel {
    Q_OBJECT
public:
    Label(const QString& caption, QWidget* parent);

    // Keeps the label's left and top and fits its box to the text.
    void setAutoSize(bool on);
    bool autoSize() const { return m_autoSize; }
    // Opaque labels fill their box with their background colour (the parent's, unless set).
    void setOpaque(bool on);
    void setCaption(const QString& caption);

protected:
    void changeEvent(QEvent* e) override;

private:
    void fitText();
    bool m_autoSize = true;
};

} // namespace controls
