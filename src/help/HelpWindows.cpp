#include "help/HelpWindows.h"

#include "help/AboutBox.h"
#include "help/HelpForm.h"

#include <QPointer>

namespace dorvik {
namespace {

// A fresh window for each opening, modal, destroyed when it closes. The guard covers the owner
// destroying the window while it is shown.
template <typename Window> void ShowModal(QWidget* owner, const QString& dataDirectory) {
    QPointer<Window> window = new Window(dataDirectory, owner);
    window->exec();
    delete window.data();
}

} // namespace

void ShowHelpWindow(QWidget* owner, const QString& dataDirectory) {
    ShowModal<TForm6>(owner, dataDirectory);
}

void ShowAboutBox(QWidget* owner, const QString& dataDirectory) {
    ShowModal<TAboutBox>(owner, dataDirectory);
}

} // namespace dorvik
