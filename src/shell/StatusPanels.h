#pragma once
// StatusBar1: a status bar of fixed-width text panels. Panels that do not fit are cut at the
// window's edge instead of widening the window, so any window width is possible; the last panel
// reaches to the right edge when the window is wider than the panels.

#include <QStatusBar>
#include <QString>

#include <vector>

namespace dorvik {

class StatusPanels final : public QStatusBar {
    Q_OBJECT

public:
    struct Panel {
        int Width = 0;
        QString Text;
    };

    StatusPanels(std::vector<Panel> panels, QWidget* parent);

    int PanelCount() const noexcept { return static_cast<int>(panels_.size()); }
    // The text of a panel; empty for a panel that does not exist.
    QString PanelText(int index) const;
    int PanelWidth(int index) const;
    void SetPanelText(int index, const QString& text);
    // The box a panel's frame is drawn in, at the bar's present width.
    QRect PanelBox(int index) const;
    // The part of the box its text is drawn in.
    static QRect TextArea(const QRect& box) { return box.adjusted(2, 0, -2, 0); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Panel> panels_;
};

} // namespace dorvik
