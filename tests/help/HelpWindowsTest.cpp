#include "help/HelpWindows.h"

#include "help/AboutBox.h"
#include "help/HelpForm.h"

#include "HelpTestFiles.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

// What the test saw of the window while it was shown modally.
struct Seen {
    QPointer<QDialog> window;
    QString className;
    bool modal = false;
    QWidget* parent = nullptr;
};

// Answers the modal window once its event loop runs: records it and, if it is of the expected
// class, closes it the given way. Any other visible dialog is closed too, so a wrong window can
// never hang the test.
void CloseModalWhenShown(Seen& seen, const char* className, void (*close)(QDialog&)) {
    QTimer::singleShot(0, [&seen, className, close] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            seen.window = dialog;
            seen.className = QString::fromLatin1(dialog->metaObject()->className());
            seen.modal = dialog->isModal() && dialog->isVisible();
            seen.parent = dialog->parentWidget();
            if (seen.className == QLatin1String(className)) {
                close(*dialog);
            }
        }
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* other = qobject_cast<QDialog*>(widget); other && other->isVisible()) {
                other->close();
            }
        }
    });
}

struct Opening {
    const char* name;
    void (*show)(QWidget*, const QString&);
    const char* className;
    void (*close)(QDialog&);
};

class HelpWindowsOpening : public ::testing::TestWithParam<Opening> {};

// Each opening makes a fresh window owned by the main window, shows it modally and destroys it
// once closed: nothing is left behind for the next opening.
TEST_P(HelpWindowsOpening, FreshModalWindowDestroyedOnClose) {
    const Opening& opening = GetParam();
    QWidget owner;
    owner.show();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Seen seen;
        CloseModalWhenShown(seen, opening.className, opening.close);
        opening.show(&owner, test::DataDirectory());
        EXPECT_EQ(seen.className.toStdString(), opening.className);
        EXPECT_TRUE(seen.modal);
        EXPECT_EQ(seen.parent, &owner);
        EXPECT_TRUE(seen.window.isNull()) << "the window outlived its closing";
        EXPECT_TRUE(owner.findChildren<QDialog*>().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, HelpWindowsOpening,
    ::testing::Values(Opening{"HelpByCloseBox", ShowHelpWindow, "dorvik::TForm6",
                              [](QDialog& window) { window.close(); }},
                      Opening{"AboutByOk", ShowAboutBox, "dorvik::TAboutBox",
                              [](QDialog& window) {
                                  window.findChild<QPushButton*>("OKButton")->click();
                              }},
                      Opening{"AboutByCloseBox", ShowAboutBox, "dorvik::TAboutBox",
                              [](QDialog& window) { window.close(); }}),
    [](const ::testing::TestParamInfo<Opening>& info) { return std::string(info.param.name); });

} // namespace
} // namespace dorvik
