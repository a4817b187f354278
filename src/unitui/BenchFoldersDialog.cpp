#include "unitui/BenchFoldersDialog.h"

#include "widgets/OkCancelButtons.h"
#include "widgets/ProgramFont.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dorvik {
namespace {

constexpr int FontPixels = 13;

QLabel* WrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

BenchFoldersDialog::BenchFoldersDialog(const BenchFolders& folders, const QString& note,
                                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("BenchFoldersWindow"));
    setWindowTitle(QStringLiteral("Bench Folders"));
    setModal(true);
    setFont(ProgramFont(FontPixels));
    auto* grid = new QGridLayout;

    auto* reportsPrompt = WrappedLabel(
        QStringLiteral("&Report folders the tester writes into, one per line (their subfolders "
                       "are searched too):"),
        this);
    reportFolders_ = new QPlainTextEdit(folders.ReportFolders.join(u'\n'), this);
    reportFolders_->setObjectName(QStringLiteral("ReportFoldersEdit"));
    reportFolders_->setTabChangesFocus(true);
    reportFolders_->setMinimumSize(460, 90);
    reportsPrompt->setBuddy(reportFolders_);
    auto* addFolder = new QPushButton(QStringLiteral("&Add Folder..."), this);
    addFolder->setObjectName(QStringLiteral("AddReportFolderButton"));
    addFolder->setAutoDefault(false);
    grid->addWidget(reportsPrompt, 0, 0, 1, 2);
    grid->addWidget(reportFolders_, 1, 0);
    grid->addWidget(addFolder, 1, 1, Qt::AlignTop);

    auto* libraryPrompt = WrappedLabel(
        QStringLiteral("&Board library: the folder of board files and netlists, with boards.map "
                       "(lines REPORT BOARD NAME = FILE) where names differ:"),
        this);
    boardLibrary_ = new QLineEdit(folders.BoardLibrary, this);
    boardLibrary_->setObjectName(QStringLiteral("BoardLibraryEdit"));
    libraryPrompt->setBuddy(boardLibrary_);
    auto* browse = new QPushButton(QStringLiteral("Bro&wse..."), this);
    browse->setObjectName(QStringLiteral("BrowseBoardLibraryButton"));
    browse->setAutoDefault(false);
    grid->addWidget(libraryPrompt, 2, 0, 1, 2);
    grid->addWidget(boardLibrary_, 3, 0);
    grid->addWidget(browse, 3, 1);

    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    if (!note.isEmpty()) {
        auto* shown = WrappedLabel(note, this);
        shown->setObjectName(QStringLiteral("BenchFoldersNote"));
        shown->setTextFormat(Qt::PlainText);
        column->addWidget(shown);
    }
    column->addWidget(OkCancelButtons(*this));
    connect(addFolder, &QPushButton::clicked, this, &BenchFoldersDialog::AddReportFolder);
    connect(browse, &QPushButton::clicked, this, &BenchFoldersDialog::ChooseBoardLibrary);
    reportFolders_->setFocus();
}

BenchFolders BenchFoldersDialog::Folders() const {
    BenchFolders folders;
    for (const QString& line : reportFolders_->toPlainText().split(u'\n')) {
        const QString folder = line.trimmed();
        if (!folder.isEmpty() && !folders.ReportFolders.contains(folder)) {
            folders.ReportFolders.append(folder);
        }
    }
    folders.BoardLibrary = boardLibrary_->text().trimmed();
    return folders;
}

void BenchFoldersDialog::AddReportFolder() {
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Report Folder"));
    if (!folder.isEmpty()) {
        QString text = reportFolders_->toPlainText();
        if (!text.isEmpty() && !text.endsWith(u'\n')) {
            text += u'\n';
        }
        reportFolders_->setPlainText(text + folder);
    }
}

void BenchFoldersDialog::ChooseBoardLibrary() {
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Board Library"),
                                                             boardLibrary_->text());
    if (!folder.isEmpty()) {
        boardLibrary_->setText(folder);
    }
}

} // namespace dorvik
