#pragma once
// What an operator sees of a window, checked without restating its layout: every text whole in
// its control in the font the control uses, the program's font in every control, and no text
// or control drawn over another.

#include "widgets/ProgramFont.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QWidget>

#include <string>
#include <vector>

namespace dorvik::test {

// The box a label's text line takes inside the label, in the label's own coordinates.
inline QRect TextLineBox(const QLabel& label) {
    const QFontMetrics metrics(label.font());
    const QSize line(metrics.horizontalAdvance(label.text()), metrics.height());
    return QStyle::alignedRect(Qt::LeftToRight, label.alignment(), line, label.contentsRect());
}

// The pixels a label's text covers, in `window` coordinates.
inline QRect TextInk(const QLabel& label, const QWidget& window) {
    const QFontMetrics metrics(label.font());
    const QRect line = TextLineBox(label);
    const QRect ink = metrics.tightBoundingRect(label.text())
                          .translated(line.left(), line.top() + metrics.ascent());
    return QRect(label.mapTo(&window, ink.topLeft()), ink.size());
}

inline std::string Name(const QWidget& widget) {
    return widget.objectName().isEmpty() ? std::string(widget.metaObject()->className())
                                         : widget.objectName().toStdString();
}

// Each text of the window that is not whole, with why: a label's text line wider or higher than
// the label, a button's caption wider than the button less its margins, a control outside the
// window or its panel, or a control whose font is not the program's.
inline std::vector<std::string> TextsNotWhole(const QWidget& window) {
    std::vector<std::string> problems;
    auto fits = [&](const QWidget& control, const QString& text, int width, int height) {
        const QFontMetrics metrics(control.font());
        const int advance = metrics.horizontalAdvance(text);
        if (advance > width || metrics.height() > height) {
            problems.push_back(Name(control) + ": \"" + text.toStdString() + "\" takes " +
                               std::to_string(advance) + " x " + std::to_string(metrics.height()) +
                               " pixels, its control gives " + std::to_string(width) + " x " +
                               std::to_string(height));
        }
        const QString family = QFontInfo(control.font()).family();
        if (family != QLatin1String(ProgramFontFamily)) {
            problems.push_back(Name(control) + ": drawn in " + family.toStdString());
        }
        const QWidget* parent = control.parentWidget();
        if (parent != nullptr && !parent->rect().contains(control.geometry())) {
            problems.push_back(Name(control) + ": reaches outside " + Name(*parent));
        }
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->text().isEmpty() && label->isVisibleTo(&window)) {
            // A label with a buddy shows its mnemonic's '&' as an underline, not as a character.
            QString shown = label->text();
            if (label->buddy() != nullptr) {
                shown.remove(QLatin1Char('&'));
            }
            fits(*label, shown, label->contentsRect().width(), label->contentsRect().height());
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty() && button->isVisibleTo(&window)) {
            const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin);
            QString caption = button->text();
            caption.remove(QLatin1Char('&'));
            fits(*button, caption, button->width() - margin, button->height());
        }
    }
    return problems;
}

// The area an operator sees of a control: a label's text, the glyph of a button that shows only
// a glyph, the whole of any other control.
inline QRect SeenArea(const QWidget& control, const QWidget& window) {
    if (const auto* label = qobject_cast<const QLabel*>(&control);
        label && label->pixmap().isNull()) {
        return TextInk(*label, window);
    }
    QRect area = control.rect();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control);
        button && button->text().isEmpty() && !button->icon().isNull()) {
        area = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, button->iconSize(), area);
    }
    return QRect(control.mapTo(&window, area.topLeft()), area.size());
}

// Pairs of the named controls whose seen areas overlap.
inline std::vector<std::string> Overlaps(const QWidget& window, const QStringList& names) {
    std::vector<const QWidget*> controls;
    std::vector<std::string> problems;
    for (const QString& name : names) {
        const auto* control = window.findChild<QWidget*>(name);
        if (control == nullptr) {
            problems.push_back(name.toStdString() + ": missing");
        } else {
            controls.push_back(control);
        }
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            if (SeenArea(*controls[i], window).intersects(SeenArea(*controls[j], window))) {
                problems.push_back(Name(*controls[i]) + " and " + Name(*controls[j]) + " overlap");
            }
        }
    }
    return problems;
}

} // namespace dorvik::test
