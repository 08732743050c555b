#include "panel/ui/PassbandScale.h"

#include "panel/FrequencyText.h"
#include "panel/PanelCore.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <optional>

namespace vm {

PassbandScale::PassbandScale(PanelCore &core, QWidget *parent) : QWidget(parent), m_core(core)
{
    setObjectName(formName(Control::PassbandScale));
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setMinimumHeight(36);
    connect(&core, &PanelCore::scaleChanged, this, qOverload<>(&QWidget::update));
    connect(&core.view(), &PanelView::controlChanged, this, [this](Control control) {
        if (control == Control::FrequencyLine || control == Control::PassbandScale ||
            (control >= Control::QuickMemoryLine1 && control <= Control::QuickMemoryLine4))
            update();
    });
}

double PassbandScale::frequencyAt(double x) const
{
    const double w = qMax(1, width());
    return m_core.scaleLeftHz() + x / w * m_core.scaleWidthHz();
}

double PassbandScale::positionOf(double hz) const
{
    const double span = m_core.scaleWidthHz();
    if (span <= 0)
        return -1;
    return (hz - m_core.scaleLeftHz()) / span * width();
}

void PassbandScale::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF4, 0xF4, 0xE8));
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const double span = m_core.scaleWidthHz();
    if (span > 0) {
        // A tick every kilohertz, a long one every 5 kHz with its label.
        const double left = m_core.scaleLeftHz();
        const double firstKhz = std::ceil(left / 1000.0);
        QFont f = font();
        f.setPointSize(7);
        p.setFont(f);
        std::optional<qint64> labelledMhz;
        for (double khz = firstKhz; khz * 1000.0 <= left + span; khz += 1.0) {
            const double x = positionOf(khz * 1000.0);
            const bool major = std::fmod(khz, 5.0) == 0.0;
            p.drawLine(QPointF(x, height() - 1), QPointF(x, height() - (major ? 12 : 6)));
            if (major && span <= 200000) {
                // The megahertz is written out where it starts or changes.
                const qint64 k = qint64(khz);
                const bool whole = labelledMhz != k / 1000;
                labelledMhz = k / 1000;
                p.drawText(QPointF(x + 2, height() - 13), FrequencyText::scaleLabel(k, whole));
            }
        }
    }
    const PanelView &v = m_core.view();
    for (int n = 1; n <= 4; ++n) {
        const ControlState &line = v[controls::quickMemoryLine(n)];
        if (!line.visible)
            continue;
        const double x = positionOf(line.value);
        p.setPen(QPen(QColor(0, 0, 255), 1));
        p.drawLine(QPointF(x, 0), QPointF(x, height()));
        p.drawText(QPointF(x + 2, 10), QString::number(n));
    }
    const double x = positionOf(v[Control::FrequencyLine].value);
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.drawLine(QPointF(x, 0), QPointF(x, height()));
}

void PassbandScale::mouseMoveEvent(QMouseEvent *event)
{
    m_core.scaleHover(frequencyAt(event->position().x()));
}

void PassbandScale::mouseReleaseEvent(QMouseEvent *event)
{
    m_core.scaleClick(frequencyAt(event->position().x()), event->button() == Qt::LeftButton);
}

void PassbandScale::leaveEvent(QEvent *)
{
    m_core.scaleLeave();
}

} // namespace vm
