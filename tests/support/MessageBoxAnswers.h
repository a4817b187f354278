#pragma once
// The in-process tests' side of the program's message boxes: answer them without a window and
// keep what each said, or let real boxes show for tests of the keys an operator uses in them.

#include "widgets/MessageBoxes.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace dorvik::test {

// Answers the next boxes in turn with `answers`; a box beyond them fails the test.
class MessageBoxAnswers final {
public:
    explicit MessageBoxAnswers(std::vector<QMessageBox::StandardButton> answers = {})
        : answers_(std::move(answers)) {
        previous_ = SetMessageBoxHandler([this](const MessageBoxRequest& box) {
            asked_.push_back(box);
            if (asked_.size() <= answers_.size()) {
                return answers_[asked_.size() - 1];
            }
            ADD_FAILURE() << "unexpected message box: " << box.Text.toStdString();
            return box.Buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
                                                             : QMessageBox::Ok;
        });
    }
    ~MessageBoxAnswers() { SetMessageBoxHandler(std::move(previous_)); }
    MessageBoxAnswers(const MessageBoxAnswers&) = delete;
    MessageBoxAnswers& operator=(const MessageBoxAnswers&) = delete;

    const std::vector<MessageBoxRequest>& Asked() const noexcept { return asked_; }
    // The text of the only box shown, or a note that there was not exactly one.
    QString OnlyText() const {
        return asked_.size() == 1 ? asked_.front().Text
                                  : QStringLiteral("%1 boxes shown").arg(asked_.size());
    }

private:
    std::vector<QMessageBox::StandardButton> answers_;
    std::vector<MessageBoxRequest> asked_;
    MessageBoxHandler previous_;
};

// Real message boxes while it lives.
class RealMessageBoxes final {
public:
    RealMessageBoxes() : previous_(SetMessageBoxHandler({})) {}
    ~RealMessageBoxes() { SetMessageBoxHandler(std::move(previous_)); }
    RealMessageBoxes(const RealMessageBoxes&) = delete;
    RealMessageBoxes& operator=(const RealMessageBoxes&) = delete;

private:
    MessageBoxHandler previous_;
};

} // namespace dorvik::test
