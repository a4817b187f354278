#pragma once
// Every message box of the program goes through ShowMessageBox. The in-process tests replace the
// way a box is shown, so they answer boxes without a window and an unexpected box fails a test
// with its text instead of waiting for an operator.

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace dorvik {

struct MessageBoxRequest {
    QWidget* Parent = nullptr;
    QString Text;   // the message, always shown as plain text
    QString Detail; // shown in the box's details area; empty for none
    QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
    QMessageBox::StandardButton Default = QMessageBox::NoButton;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

// The title of every box.
inline constexpr const char* MessageBoxTitle = "Dorvik";

// Shows the box modally and gives the button that closed it (Cancel when a box with a Cancel
// button is closed otherwise, Ok for the rest).
QMessageBox::StandardButton ShowMessageBox(const MessageBoxRequest& request);

using MessageBoxHandler = std::function<QMessageBox::StandardButton(const MessageBoxRequest&)>;

// Replaces the way boxes are shown; an empty handler shows real boxes again. Returns the handler
// that was in place.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace dorvik
