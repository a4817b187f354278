#include "unitui/UnitReports.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace dorvik {
namespace {

// Room for three reports; more scroll.
constexpr int ShownRows = 3;

QString PathOf(const IndexedReport& report) {
    return QFile::decodeName(report.Path.c_str());
}

QString ItemText(const IndexedReport& report) {
    QString time = QString::fromStdString(report.Time);
    time.replace(u'T', u' ');
    return QStringLiteral("%1  %2").arg(time, QFileInfo(PathOf(report)).fileName());
}

} // namespace

UnitReports::UnitReports(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("UnitReportsPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("UnitReports"));
    list_->setAccessibleName(QStringLiteral("Reports of the unit"));
    list_->setMaximumHeight(list_->fontMetrics().height() * ShownRows + 8);
    list_->hide();
    column->addWidget(list_);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("UnitReportsNote"));
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);
    note_->hide();
    column->addWidget(note_);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        emit ReportChosen(item->data(Qt::UserRole).toString());
    });
}

void UnitReports::SetReports(const std::vector<IndexedReport>& reports, const QString& shown) {
    reports_ = reports;
    list_->clear();
    for (const IndexedReport& report : reports) {
        auto* item = new QListWidgetItem(ItemText(report), list_);
        item->setData(Qt::UserRole, PathOf(report));
        item->setToolTip(PathOf(report));
        if (PathOf(report) == shown) {
            list_->setCurrentItem(item);
        }
    }
    list_->setVisible(!reports.empty());
}

void UnitReports::SetNote(const QString& note) {
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
}

QString UnitReports::Note() const {
    return note_->isHidden() ? QString() : note_->text();
}

} // namespace dorvik
