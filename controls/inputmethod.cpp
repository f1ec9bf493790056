#include "inputmethod.h"
#include <QVariant>
#include <QWidget>

namespace controls {

void setInputMethodName(QWidget* control, const QString& name) { control->setProperty("imeName", name); }

QString inputMethodName(const QWidget* control) { return control->property("imeName").toString(); }

void selectInputMethod(const QString&) {}

void restoreDefaultInputMethod() {}

} // namespace controls
