#pragma once
// File > Bench Folders…: the report folders the tester writes into (searched with their
// subfolders) and the board library of board files and netlists.

#include "unitwatch/BenchFolders.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace dorvik {

class BenchFoldersDialog final : public QDialog {
    Q_OBJECT

public:
    // `note` says what wins over these settings now (the environment), or is empty.
    BenchFoldersDialog(const BenchFolders& folders, const QString& note, QWidget* parent);

    // What the operator entered: blanks at the ends gone, empty lines dropped.
    BenchFolders Folders() const;

private:
    void AddReportFolder();
    void ChooseBoardLibrary();

    QPlainTextEdit* reportFolders_ = nullptr;
    QLineEdit* boardLibrary_ = nullptr;
};

} // namespace dorvik
