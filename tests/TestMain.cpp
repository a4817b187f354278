// Shared main of the test binaries: a fixed C locale and a Qt application on the offscreen
// platform, so fonts and images behave the same on every machine. Widget suites get a
// QApplication in which a message box that no test asked for fails the test with its text
// instead of waiting for an answer; the others get a QGuiApplication.
#ifdef DORVIK_TEST_WIDGETS
#include "widgets/MessageBoxes.h"

#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    TestApplication app(argc, argv);
#ifdef DORVIK_TEST_WIDGETS
    dorvik::SetMessageBoxHandler([](const dorvik::MessageBoxRequest& box) {
        ADD_FAILURE() << "unexpected message box: " << box.Text.toStdString();
        return box.Buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::Ok;
    });
#endif
    return RUN_ALL_TESTS();
}
