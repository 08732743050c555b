#pragma once

#include <QWidget>

namespace vm {

class PanelCore;

// The passband scale "Picture2": the transponder passband from its lower
// edge over its width, the marker Line1, the quick-memory markers Line2_1..4;
// the pointer's frequency is shown while it moves, a click retunes.
class PassbandScale final : public QWidget {
    Q_OBJECT
public:
    explicit PassbandScale(PanelCore &core, QWidget *parent = nullptr);

    // Frequency in Hz under a horizontal position, and back.
    double frequencyAt(double x) const;
    double positionOf(double hz) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    PanelCore &m_core;
};

} // namespace vm
