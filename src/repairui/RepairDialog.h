#pragma once
// The Repair window: what the operator did to the fault just ticked, chosen from the keyboard
// alone. The action list has the focus, Enter records, Esc leaves the fault unticked.

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;

namespace dorvik {

struct RepairChoice {
    QString Action;
    QString Refdes;  // blank-separated, cleaned
    QString Comment; // cleaned
};

class RepairDialog final : public QDialog {
    Q_OBJECT

public:
    // `about` says which unit and fault; `refdes` is what the fault names.
    RepairDialog(const QString& about, const QString& refdes, QWidget* parent);

    RepairChoice Choice() const;

    void accept() override;

    static constexpr int FontPixels = 13;

private:
    QListWidget* actions_ = nullptr;
    QLineEdit* refdes_ = nullptr;
    QLineEdit* comment_ = nullptr;
};

} // namespace dorvik
