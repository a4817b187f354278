// Shared main of the test binaries: a fixed C locale and a Qt application on the offscreen
// platform, so fonts and images behave the same on every machine. Widget suites get a
// QApplication in which a message box that no test asked for fails the test with its text
// instead of waiting for an answer; the others get a QGuiApplication. What the program remembers
// between runs, and the repair log's bench file, go to folders of this test run (inherited by
// the programs it starts), never the user's.
#ifdef DORVIK_TEST_WIDGETS
#include "widgets/MessageBoxes.h"

#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const QTemporaryDir settings;
    if (settings.isValid()) {
        ::setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
    }
    const QTemporaryDir data;
    if (data.isValid()) {
        ::setenv("XDG_DATA_HOME", data.path().toLocal8Bit().constData(), 1);
    }
    for (const char* variable :
         {"DORVIK_REPAIR_LOG", "DORVIK_REPORT_FOLDERS", "DORVIK_BOARD_LIBRARY"}) {
        ::unsetenv(variable);
    }
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
