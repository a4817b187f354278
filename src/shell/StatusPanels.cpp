#include "shell/StatusPanels.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace dorvik {

StatusPanels::StatusPanels(std::vector<Panel> panels, QWidget* parent)
    : QStatusBar(parent), panels_(std::move(panels)) {}

QString StatusPanels::PanelText(int index) const {
    return index >= 0 && index < PanelCount() ? panels_[static_cast<std::size_t>(index)].Text
                                              : QString();
}

int StatusPanels::PanelWidth(int index) const {
    return index >= 0 && index < PanelCount() ? panels_[static_cast<std::size_t>(index)].Width : 0;
}

void StatusPanels::SetPanelText(int index, const QString& text) {
    if (index < 0 || index >= PanelCount()) {
        return;
    }
    panels_[static_cast<std::size_t>(index)].Text = text;
    update();
}

void StatusPanels::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    int left = 0;
    for (const Panel& panel : panels_) {
        const QRect box(left, 2, panel.Width - 2, height() - 2);
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = box;
        frame.lineWidth = 1;
        frame.state |= QStyle::State_Sunken;
        style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &frame, &painter, this);
        painter.drawText(box.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, panel.Text);
        left += panel.Width;
    }
}

} // namespace dorvik
