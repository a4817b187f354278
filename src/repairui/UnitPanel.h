#pragma once
// The unit on the bench, above the fault list: the Serial field a barcode scanner types into,
// the operator and the repair log, the unit's earlier repairs, and the loop-limit warning.

#include <QWidget>

class QLabel;
class QTableWidget;

namespace dorvik {

class RepairStation;
class TypingField;

class UnitPanel final : public QWidget {
    Q_OBJECT

public:
    UnitPanel(RepairStation& station, QWidget* parent);

    TypingField& SerialField() const noexcept { return *serial_; }
    // Shows what the station knows now.
    void Refresh();

signals:
    // Enter in the Serial field, after the station took the serial.
    void SerialEntered(const QString& serial);

private:
    RepairStation& station_;
    TypingField* serial_ = nullptr;
    QLabel* board_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* loop_ = nullptr;
    QLabel* note_ = nullptr;
    QTableWidget* history_ = nullptr;
};

} // namespace dorvik
