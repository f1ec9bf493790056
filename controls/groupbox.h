#pragma once
// A group box: a captioned frame that holds controls; itself never a tab stop.
#include <QGroupBox>

namespace controls {

class GroupBox : public QGroupBox {
    Q_OBJECT
public:
    GroupBox(const QString& caption, QWidget* parent);

    // A colour of its own fills the box, and opaque labels inside take it too.
    void setColor(const QColor& color);
};

} // namespace controls
