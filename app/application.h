#pragma once
// The application object: title, the six screens created once in order, the message loop,
// and the error box for every error a handler raises.
#include "form.h"

#include <QApplication>

#include <functional>
#include <memory>
#include <vector>

namespace app {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    ~Application() override;

    // Every event goes through here: an error a handler raises is shown and dispatching goes on.
    bool notify(QObject* receiver, QEvent* e) override;

    // Creates the screens in order, each reference set as its screen is created. An error that
    // escapes a screen's creation is shown in the "Application Error" box, the screens made so
    // far are destroyed, and false is returned.
    bool createScreens();
    // Destroys the screens in reverse order of creation; their data sets close, dropping
    // pending rows.
    void destroyScreens();
    const std::vector<std::unique_ptr<controls::Form>>& screens() const { return m_screens; }

    // Start-up: creates the screens and shows the main window; false as createScreens.
    bool start();
    // Start-up, the message loop and the end: the process's exit status.
    int run();

    // Called with each screen's form name right after it is created (tests make creation fail
    // with it).
    std::function<void(const QString& formName)> afterScreenCreated;

private:
    template <typename T> T* create(T*& reference);

    std::vector<std::unique_ptr<controls::Form>> m_screens;
};

// Text of the "Application Error" box for the exception being handled (inside a catch block).
QString applicationErrorText();

} // namespace app
