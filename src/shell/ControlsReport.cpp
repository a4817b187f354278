#include "shell/ControlsReport.h"

#include "shell/MainWindow.h"
#include "shell/StateReport.h"
#include "shell/WidgetControls.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace dorvik {
namespace {

std::string Line(const QString& name, bool enabled, const QString& caption, const QColor& colour) {
    return name.toStdString() + " enabled=" + (enabled ? "1" : "0") +
           " caption=" + caption.toStdString() +
           " colour=" + HexColour(FromRgb(colour.rgb() & 0xFFFFFFu));
}

// The colour a menu item's caption is drawn in: the bar's button text for items on the bar,
// the menu's text colour for items in a drop-down menu.
QColor MenuCaptionColour(const TForm1& form, const QAction& item) {
    for (const QObject* owner = item.parent(); owner != nullptr; owner = owner->parent()) {
        if (const auto* menu = qobject_cast<const QMenu*>(owner);
            menu != nullptr && menu->menuAction() != &item) {
            return menu->palette().color(QPalette::Active, QPalette::Text);
        }
    }
    return form.menuBar()->palette().color(QPalette::Active, QPalette::ButtonText);
}

} // namespace

std::vector<std::string> ControlsLines(const TForm1& form) {
    std::vector<std::string> lines;
    for (const QAbstractButton* button : form.ToolButtons()) {
        lines.push_back(Line(button->objectName(), button->isEnabled(), button->text(),
                             CaptionColour(*button)));
    }
    for (const QAction* item : form.MenuActions()) {
        lines.push_back(Line(item->objectName(), item->isEnabled(), item->text(),
                             MenuCaptionColour(form, *item)));
    }
    return lines;
}

} // namespace dorvik
