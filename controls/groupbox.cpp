#include "groupbox.h"

namespace controls {

GroupBox::GroupBox(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void GroupBox::setColor(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    setAutoFillBackground(true);
}

} // namespace controls
