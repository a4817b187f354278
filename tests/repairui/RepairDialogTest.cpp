// The Repair window from the keyboard alone, and what it gives.

#include "repairui/RepairDialog.h"
#include "support/MessageBoxAnswers.h"
#include "support/ModalAnswer.h"
#include "support/WindowChecks.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace dorvik {
namespace {

// Runs the window modally and, once it is the active window, presses `keys` into whatever has
// the keyboard then; `focused` gets the object name of the first such widget.
int RunWithKeys(RepairDialog& dialog, const std::vector<int>& keys, QString* focused = nullptr) {
    QTimer::singleShot(0, &dialog, [&dialog, keys, focused] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        if (focused != nullptr && QApplication::focusWidget() != nullptr) {
            *focused = QApplication::focusWidget()->objectName();
        }
        for (const int key : keys) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : &dialog, static_cast<Qt::Key>(key));
        }
    });
    return dialog.exec();
}

TEST(RepairDialog, TheActionListHasTheKeyboard) {
    RepairDialog dialog(QStringLiteral("Unit SN1, fault 1 of 2: Short"), QStringLiteral("U5 C7"),
                        nullptr);
    QString focused;
    ASSERT_EQ(RunWithKeys(dialog, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, &focused),
              QDialog::Accepted);
    EXPECT_EQ(focused, "ActionList");
    const RepairChoice choice = dialog.Choice();
    EXPECT_EQ(choice.Action, "Reflowed");
    EXPECT_EQ(choice.Refdes, "U5 C7");
    EXPECT_EQ(choice.Comment, "");
}

TEST(RepairDialog, EscLeavesItWithoutARecord) {
    RepairDialog dialog(QStringLiteral("fault"), QString(), nullptr);
    EXPECT_EQ(RunWithKeys(dialog, {Qt::Key_End, Qt::Key_Escape}), QDialog::Rejected);
}

TEST(RepairDialog, ListsEveryActionAndCleansWhatIsTyped) {
    RepairDialog dialog(QStringLiteral("fault"), QStringLiteral("R1"), nullptr);
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("ActionList"));
    ASSERT_NE(list, nullptr);
    QStringList actions;
    for (int row = 0; row < list->count(); ++row) {
        actions << list->item(row)->text();
    }
    EXPECT_EQ(actions,
              (QStringList{"Replaced", "Resoldered", "Reflowed", "Solder bridge removed", "Cleaned",
                           "Reseated", "No fault found", "Scrapped", "Sent to engineering"}));
    dialog.findChild<QLineEdit*>(QStringLiteral("RefdesEdit"))
        ->setText(QStringLiteral("  R1\tR2   Q3 "));
    dialog.findChild<QLineEdit*>(QStringLiteral("CommentEdit"))
        ->setText(QStringLiteral("cold\njoint\x01"));
    EXPECT_EQ(dialog.Choice().Refdes, "R1 R2 Q3");
    EXPECT_EQ(dialog.Choice().Comment, "cold joint");
    dialog.show();
    EXPECT_EQ(test::TextsNotWhole(dialog), std::vector<std::string>()) << "every text fits";
}

TEST(RepairDialog, ACommentTooLongForARecordIsSaidAndKept) {
    RepairDialog dialog(QStringLiteral("fault"), QString(), nullptr);
    auto* comment = dialog.findChild<QLineEdit*>(QStringLiteral("CommentEdit"));
    comment->setText(QString(10000, u'x'));
    test::MessageBoxAnswers answers({QMessageBox::Ok});
    QTimer::singleShot(0, &dialog, [&] {
        dialog.findChild<QPushButton*>(QStringLiteral("OKButton"))->click(); // refused
        comment->setText(QStringLiteral("short one"));
        dialog.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(answers.OnlyText(),
              "The comment holds 10000 characters; a repair record keeps at most 4000.");
    EXPECT_EQ(dialog.Choice().Comment, "short one");
}

} // namespace
} // namespace dorvik
