#include "label.h"

#include <QEvent>

namespace controls {

Label::Label(const QString& caption, QWidget* parent)
    : QLabel(caption, parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fitText();
}

void Label::setAutoSize(bool on)
{
    m_autoSize = on;
    fitText();
}

void Label::setOpaque(bool on)
{
    setAutoFillBackground(on);
}

void Label::setCaption(const QString& caption)
{
    setText(caption);
    fitText();
}

void Label::changeEvent(QEvent* e)
{
    QLabel::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        fitText();
}

void Label::fitText()
{
    if (m_autoSize)
        resize(sizeHint());
}

} // namespace controls
