#pragma once
// File > Repair Log…: which database the bench records into (a line's PostgreSQL database, an
// SQLite file, or the bench's own file when empty), and after how many earlier repair visits a
// unit is a loop case.

#include <QDialog>
#include <QString>

class QLineEdit;
class QSpinBox;

namespace dorvik {

class RepairLogDialog final : public QDialog {
    Q_OBJECT

public:
    // `note` says what the bench uses now and what wins over the setting.
    RepairLogDialog(const QString& database, int loopLimit, const QString& note, QWidget* parent);

    QString Database() const;
    int LoopLimit() const;

    static constexpr int MostLoopLimit = 99;

private:
    QLineEdit* database_ = nullptr;
    QSpinBox* loopLimit_ = nullptr;
};

} // namespace dorvik
