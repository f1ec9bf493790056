#pragma once
// Typing into widgets the way a keyboard would, for the screen tests.
#include <QString>
#include <QTest>
#include <QWidget>

namespace testsupport {

// Types text key by key; characters off the keyboard's ASCII map arrive as text-only keys.
inline void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace testsupport
