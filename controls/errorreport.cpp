#include "errorreport.h"

#include "errors.h"
#include "messagebox.h"

#include <exception>
#include <new>

namespace controls {

void handleException()
{
    try {
        throw;
    } catch (const data::DataError& e) {
        showErrorBox(e.message());
    } catch (const std::bad_alloc&) {
        showErrorBox(QStringLiteral("記憶體不足"));
    } catch (const std::exception& e) {
        showErrorBox(QString::fromUtf8(e.what()));
    } catch (...) {
        showErrorBox(QStringLiteral("未知的錯誤"));
    }
}

} // namespace controls
