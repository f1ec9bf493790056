#pragma once
// Per-box input methods. Each edit box names the Chinese input method it wants while it has
// the focus; Linux offers no per-box selection, so switching is a no-op here, kept in one
// place for a platform that can do it.
#include <QString>

class QWidget;

namespace controls {

inline const QString kCangjie = QStringLiteral("中文 (繁體) - 倉頡");
inline const QString kNewCangjie = QStringLiteral("中文 (繁體) - 新倉頡");

void setInputMethodName(QWidget* control, const QString& name);
QString inputMethodName(const QWidget* control);

// Called as a control takes and loses the focus.
void selectInputMethod(const QString& name);
void restoreDefaultInputMethod();

} // namespace controls
