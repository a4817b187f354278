#pragma once
// Test helpers for windows that block: answer the next modal window from the event loop it runs,
// and wait for a condition by polling instead of sleeping.

#include "support/WaitUntil.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

namespace dorvik::test {

// Watches for the next modal window (not the one active when it starts watching) and hands it to
// `answer` once it is on the screen. What the window said is kept: its class, and for a message
// box its title and text.
class ModalAnswer final {
public:
    explicit ModalAnswer(std::function<void(QWidget&)> answer)
        : answer_(std::move(answer)), before_(QApplication::activeModalWidget()) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }

    bool Answered() const noexcept { return answered_; }
    const QString& ClassName() const noexcept { return className_; }
    const QString& Title() const noexcept { return title_; }
    const QString& Text() const noexcept { return text_; }

    // Presses a message box's standard button.
    static std::function<void(QWidget&)> Press(QMessageBox::StandardButton which) {
        return [which](QWidget& window) {
            if (auto* box = qobject_cast<QMessageBox*>(&window); box && box->button(which)) {
                box->button(which)->click();
            } else {
                window.close();
            }
        };
    }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || modal == before_) {
            return;
        }
        timer_.stop();
        answered_ = true;
        className_ = QString::fromLatin1(modal->metaObject()->className());
        title_ = modal->windowTitle();
        if (const auto* box = qobject_cast<QMessageBox*>(modal)) {
            text_ = box->text();
        }
        answer_(*modal);
    }

    std::function<void(QWidget&)> answer_;
    QPointer<QWidget> before_;
    QTimer timer_;
    bool answered_ = false;
    QString className_;
    QString title_;
    QString text_;
};

} // namespace dorvik::test
