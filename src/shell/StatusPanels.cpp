#include "shell/StatusPanels.h"

#include <QPainter>
#include <QRect>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

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

QRect StatusPanels::PanelBox(int index) const {
    if (index < 0 || index >= PanelCount()) {
        return {};
    }
    int left = 0;
    for (int i = 0; i < index; ++i) {
        left += panels_[static_cast<std::size_t>(i)].Width;
    }
    int width = panels_[static_cast<std::size_t>(index)].Width;
    if (index == PanelCount() - 1) {
        width = std::max(width, this->width() - left);
    }
    return {left, 2, width - 2, height() - 2};
}

void StatusPanels::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < PanelCount(); ++i) {
        const Panel& panel = panels_[static_cast<std::size_t>(i)];
        const QRect box = PanelBox(i);
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = box;
        frame.lineWidth = 1;
        frame.state |= QStyle::State_Sunken;
        style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &frame, &painter, this);
        painter.drawText(TextArea(box), Qt::AlignLeft | Qt::AlignVCenter, panel.Text);
    }
}

} // namespace dorvik
