#pragma once
// The unit's reports in the report folders, newest first, under the Serial field: the one shown
// is current, and choosing another opens it. Its note says when no report names the serial.

#include "unitindex/IndexedReport.h"

#include <QWidget>

#include <vector>

class QLabel;
class QListWidget;

namespace dorvik {

class UnitReports final : public QWidget {
    Q_OBJECT

public:
    explicit UnitReports(QWidget* parent);

    // The unit's reports, newest first; `shown` the path of the one shown (or empty).
    void SetReports(const std::vector<IndexedReport>& reports, const QString& shown);
    // A line under the list ("No report in the report folders names SN-1."); empty hides it.
    void SetNote(const QString& note);
    QString Note() const;
    const std::vector<IndexedReport>& Reports() const noexcept { return reports_; }

signals:
    // The operator chose the report at `path` (double click or Enter).
    void ReportChosen(const QString& path);

private:
    QListWidget* list_ = nullptr;
    QLabel* note_ = nullptr;
    std::vector<IndexedReport> reports_;
};

} // namespace dorvik
