#include "app/HandlerGuard.h"

#include <exception>

void HandlerGuard::run(const std::function<void()> &handler) const noexcept
{
    QString message;
    try {
        handler();
        return;
    } catch (const std::exception &e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    // Reporting shows a modal box: do it outside the catch, with the exception already gone.
    try {
        reporter_.ReportError(message);
    } catch (...) {
        qCritical("%s", qUtf8Printable(message));
    }
}
