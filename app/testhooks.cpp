#include "testhooks.h"

#include "application.h"

#include <QTimer>
#include <stdexcept>

namespace app {

void installTestHooks(Application& application)
{
    bool ok = false;
    const int autoQuitMs = qEnvironmentVariableIntValue("QUORVEL_AUTOQUIT_MS", &ok);
    if (ok && autoQuitMs >= 0) {
        auto* timer = new QTimer(&application);
        timer->setInterval(autoQuitMs);
        QObject::connect(timer, &QTimer::timeout, &application, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            else if (controls::Form* main = controls::Form::mainForm())
                main->close();
        });
        timer->start();
    }

    const QString failing = qEnvironmentVariable("QUORVEL_TEST_FAIL_CREATE");
    if (!failing.isEmpty()) {
        application.afterScreenCreated = [failing](const QString& formName) {
            if (formName == failing)
                throw std::runtime_error("Cannot build " + formName.toStdString());
        };
    }
}

} // namespace app
