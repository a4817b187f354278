#pragma once
// The real main window, shown, with an empty board; boards and reports written to a scratch folder,
// boards opened through File > Open File.

#include "shell/MainWindow.h"
#include "support/BoardText.h"
#include "support/ModalAnswer.h"
#include "support/OwnDataFolder.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

namespace dorvik::test {

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<TForm1>(*board, QStringLiteral(DORVIK_SOURCE_DIR "/data/"));
        form->show();
        ASSERT_TRUE(WaitUntil([&] { return form->isVisible(); }));
    }

    // The board text `plain`, stored as a board file named `name` in the scratch folder.
    QString WriteBoard(const char* name, std::string_view plain = WorkedExample) const {
        const QString path = dir.filePath(QLatin1String(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        const std::string stored = Encode(plain);
        file.write(stored.data(), static_cast<qint64>(stored.size()));
        return path;
    }

    // `bytes` stored as they are in a file named `name` in the scratch folder (a report, a list).
    QString WriteText(const char* name, const QByteArray& bytes) const {
        const QString path = dir.filePath(QLatin1String(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // File > Open File with `path` chosen in the dialog.
    void Open(const QString& path) {
        form->SetFileChooser([path](QWidget*) { return path; });
        form->findChild<QAction*>(QStringLiteral("OpenFile"))->trigger();
    }

    QTemporaryDir dir;
    OwnDataFolder data; // the window's repair log keeps its bench file there
    std::unique_ptr<BoardData> board = std::make_unique<BoardData>();
    std::unique_ptr<TForm1> form;
};

} // namespace dorvik::test
