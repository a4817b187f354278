#pragma once
// Waiting in a test for what the event loop brings (a thread's results, a watcher's news, a
// window's answer) by turning the loop, never by sleeping.

#include <QCoreApplication>
#include <QElapsedTimer>

namespace dorvik::test {

template <class Condition> bool WaitUntil(Condition done, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

} // namespace dorvik::test
