#include "widgets/WarningLabel.h"

#include <QLabel>

namespace dorvik {

QLabel* NewWarningLabel(const char* objectName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    return label;
}

} // namespace dorvik
