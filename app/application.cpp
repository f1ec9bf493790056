#include "application.h"

#include "Repost1_p.h"
#include "TAcc_p.h"
#include "TDate_p.h"
#include "TMain_p.h"
#include "TUser_p.h"
#include "Taccuser.h"
#include "errorreport.h"
#include "errors.h"
#include "fonts.h"
#include "messagebox.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <cxxabi.h>
#include <cstdlib>
#include <typeinfo>

namespace app {

namespace {
// The screens' references, cleared as the screens go.
void clearReference(controls::Form* form)
{
    if (form == tMain) tMain = nullptr;
    if (form == TUser) TUser = nullptr;
    if (form == TAcc) TAcc = nullptr;
    if (form == accuser1) accuser1 = nullptr;
    if (form == TDate) TDate = nullptr;
    if (form == Repost1) Repost1 = nullptr;
}

QString demangled(const std::type_info& type)
{
    int status = 0;
    char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    QString result = QString::fromLatin1(status == 0 && name ? name : type.name());
    std::free(name);
    return result;
}
} // namespace

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("quorvel"));
    setApplicationDisplayName(QStringLiteral("Quorvel"));
    // The main window's close ends the application, whatever else is open.
    setQuitOnLastWindowClosed(false);
    controls::installFontSubstitutions();
    // Qt's own dialogs (the file dialog of print-to-PDF, say) speak the users' language too.
    auto* translator = new QTranslator(this);
    if (translator->load(QStringLiteral("qtbase_zh_TW"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
}

Application::~Application()
{
    destroyScreens();
}

bool Application::notify(QObject* receiver, QEvent* e)
{
    try {
        return QApplication::notify(receiver, e);
    } catch (...) {
        controls::handleException();
        return false;
    }
}

template <typename T> T* Application::create(T*& reference)
{
    auto screen = std::make_unique<T>();
    reference = screen.get();
    m_screens.push_back(std::move(screen));
    if (afterScreenCreated)
        afterScreenCreated(reference->formName());
    return reference;
}

bool Application::createScreens()
{
    try {
        create(tMain);
        create(TUser);
        create(TAcc);
        create(accuser1);
        create(TDate);
        create(Repost1);
        return true;
    } catch (...) {
        controls::showApplicationError(applicationErrorText());
        destroyScreens();
        return false;
    }
}

void Application::destroyScreens()
{
    while (!m_screens.empty()) {
        clearReference(m_screens.back().get());
        m_screens.pop_back();
    }
}

bool Application::start()
{
    if (!createScreens())
        return false;
    tMain->show();
    return true;
}

int Application::run()
{
    if (!start())
        return 1;
    const int status = exec();
    destroyScreens();
    return status;
}

QString applicationErrorText()
{
    QString kind = QStringLiteral("Exception");
    QString message;
    const void* address = nullptr;
    try {
        throw;
    } catch (const data::DataError& e) {
        kind = demangled(typeid(e));
        message = e.message();
        address = &e;
    } catch (const std::exception& e) {
        kind = demangled(typeid(e));
        message = QString::fromUtf8(e.what());
        address = &e;
    } catch (...) {
    }
    if (!message.endsWith(QLatin1Char('.')))
        message += QLatin1Char('.');
    const QString module = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QString at = QStringLiteral("%1").arg(reinterpret_cast<quintptr>(address), 8, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("Exception %1 in module %2 at %3.\n%4\n").arg(kind, module, at, message);
}

} // namespace app
