#pragma once

#include "panel/TrackingViewModel.h"

#include <QWidget>

class QPainter;

namespace vm {

// The sky as seen from the station: azimuth around (north up, east right),
// elevation inward, the horizon on the outer circle. Shows the pass on show
// and, while it is under way, where the satellite is and where it is going.
// Drawn in black on white with thick strokes so that it reads in daylight;
// everything scales with the widget.
class PolarPlot final : public QWidget {
    Q_OBJECT
public:
    explicit PolarPlot(QWidget *parent = nullptr);

    // The snapshot to draw; it must outlive the next paint (the model keeps it).
    void setSnapshot(const TrackingViewModel::Snapshot *snapshot);

    // Draws a snapshot into `area` of any paint device (the widget, an image).
    static void paint(QPainter &painter, const QRectF &area, const TrackingViewModel::Snapshot &snapshot);

    QSize sizeHint() const override { return {360, 360}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const TrackingViewModel::Snapshot *m_snapshot = nullptr;
};

} // namespace vm
