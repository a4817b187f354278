#include "widgets/MessageBoxes.h"

#include "widgets/ProgramFont.h"

#include <QAbstractButton>

#include <utility>

namespace dorvik {
namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

QMessageBox::StandardButton ClosedWithout(const MessageBoxRequest& request) {
    return request.Buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::Ok;
}

QMessageBox::StandardButton ShowRealBox(const MessageBoxRequest& request) {
    QMessageBox box(request.Icon, QString::fromLatin1(MessageBoxTitle), request.Text,
                    request.Buttons, request.Parent);
    box.setFont(ProgramFont(11));
    box.setTextFormat(Qt::PlainText); // names typed or read from a file are never markup
    if (request.Default != QMessageBox::NoButton) {
        box.setDefaultButton(request.Default);
    }
    if (!request.Detail.isEmpty()) {
        box.setDetailedText(request.Detail);
    }
    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    return clicked != QMessageBox::NoButton ? clicked : ClosedWithout(request);
}

} // namespace

QMessageBox::StandardButton ShowMessageBox(const MessageBoxRequest& request) {
    // A copy: the handler may replace itself while it runs.
    const MessageBoxHandler handler = Handler();
    return handler ? handler(request) : ShowRealBox(request);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

} // namespace dorvik
