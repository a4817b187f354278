// Shared main of the test binaries: a fixed C locale and a Qt application on the offscreen
// platform, so fonts and images behave the same on every machine. Widget suites get a
// QApplication, the others a QGuiApplication.
#ifdef DORVIK_TEST_WIDGETS
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
    return RUN_ALL_TESTS();
}
