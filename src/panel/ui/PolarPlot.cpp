#include "panel/ui/PolarPlot.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace vm {

namespace {

const QColor Ink(0, 0, 0);
const QColor Grid(90, 90, 90);
const QColor TrackColour(0, 40, 200);
const QColor SatelliteColour(215, 0, 0);

} // namespace

PolarPlot::PolarPlot(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PolarPlot"));
    // Every pixel is painted each time: nothing to erase first, nothing flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 160);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void PolarPlot::setSnapshot(const TrackingViewModel::Snapshot *snapshot)
{
    m_snapshot = snapshot;
    update();
}

void PolarPlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    static const TrackingViewModel::Snapshot empty;
    paint(painter, rect(), m_snapshot ? *m_snapshot : empty);
}

void PolarPlot::paint(QPainter &p, const QRectF &area, const TrackingViewModel::Snapshot &s)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);

    QFont font = p.font();
    const double side = std::min(area.width(), area.height());
    font.setPixelSize(std::max(10, int(side / 26)));
    font.setBold(true);
    p.setFont(font);
    const double margin = font.pixelSize() * 1.6;
    const double radius = std::max(10.0, side / 2 - margin);
    const QPointF c = area.center();
    const double stroke = std::max(1.5, radius / 120);
    auto at = [&](double az, double el) { return TrackingViewModel::plotPoint(az, el, c, radius); };

    // Elevation rings every 30°, azimuth spokes every 30°.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Grid, stroke * 0.6));
    for (int el : {30, 60})
        p.drawEllipse(c, radius * (90 - el) / 90, radius * (90 - el) / 90);
    for (int az = 0; az < 360; az += 30)
        p.drawLine(c, at(az, 0));
    p.setPen(QPen(Ink, stroke * 1.3));
    p.drawEllipse(c, radius, radius);

    const QFontMetricsF fm(font);
    p.setPen(Ink);
    for (int el : {0, 30, 60}) {
        const QString label = QStringLiteral("%1°").arg(el);
        p.drawText(at(45, el) + QPointF(3, -3), label);
    }
    const struct {
        double az;
        const char *text;
    } compass[] = {{0, "N"}, {90, "E"}, {180, "S"}, {270, "W"}};
    for (const auto &d : compass) {
        const QString text = QString::fromLatin1(d.text);
        const QPointF edge = TrackingViewModel::plotPoint(d.az, 0, c, radius + margin * 0.55);
        const QRectF box(edge.x() - fm.horizontalAdvance(text) / 2, edge.y() - fm.height() / 2,
                         fm.horizontalAdvance(text), fm.height());
        p.drawText(box, Qt::AlignCenter, text);
    }

    if (s.status != TrackingViewModel::Status::Ok) {
        p.restore();
        return;
    }

    // The pass: its track, AOS and LOS ends marked.
    if (s.track.size() >= 2) {
        QPolygonF line;
        for (const TrackingViewModel::TrackPoint &t : s.track)
            line << at(t.azimuthDeg, t.elevationDeg);
        p.setPen(QPen(TrackColour, stroke * 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(line);
        p.setBrush(TrackColour);
        p.drawEllipse(line.first(), stroke * 2.5, stroke * 2.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(line.last() - QPointF(stroke * 2.5, stroke * 2.5), QSizeF(stroke * 5, stroke * 5)));
    }

    // The satellite and its direction of travel, while above the horizon.
    if (s.look.elevationDeg >= 0) {
        const QPointF here = at(s.look.azimuthDeg, s.look.elevationDeg);
        const QPointF ahead = at(s.ahead.azimuthDeg, s.ahead.elevationDeg);
        const QPointF d = ahead - here;
        const double len = std::hypot(d.x(), d.y());
        if (s.ahead.ok() && len > 0.5) {
            const QPointF u = d / len;
            const QPointF tip = here + u * radius * 0.16;
            const QPointF n(-u.y(), u.x());
            const double head = radius * 0.05;
            p.setPen(QPen(SatelliteColour, stroke * 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(here, tip);
            p.setBrush(SatelliteColour);
            p.drawPolygon(QPolygonF{tip + u * head * 0.3, tip - u * head + n * head * 0.6,
                                    tip - u * head - n * head * 0.6});
        }
        p.setPen(QPen(Ink, stroke));
        p.setBrush(SatelliteColour);
        const double dot = std::max(5.0, radius * 0.045);
        p.drawEllipse(here, dot, dot);
    }
    p.restore();
}

} // namespace vm
