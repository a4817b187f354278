#pragma once
// What every script command shares: the failure that ends a script with its reason, the checks
// of the window a command acts on, and waiting by polling the event loop.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QThread>
#include <QWidget>

#include <stdexcept>

namespace dorvik {

// A command that cannot run; its text is the reason the script reports.
class ScriptFailure final : public std::runtime_error {
public:
    explicit ScriptFailure(const QString& reason) : std::runtime_error(reason.toStdString()) {}
};

inline void RequireMainWindow(const QWidget* modal, const char* verb) {
    if (modal != nullptr) {
        throw ScriptFailure(
            QStringLiteral("'%1' acts on the main window, but a modal window is open").arg(verb));
    }
}

inline QWidget& RequireModal(QWidget* modal, const char* verb) {
    if (modal == nullptr) {
        throw ScriptFailure(QStringLiteral("'%1' needs an open secondary window").arg(verb));
    }
    return *modal;
}

template <class Condition> bool PollUntil(Condition done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!done()) {
            QThread::msleep(2);
        }
    }
    return true;
}

} // namespace dorvik
