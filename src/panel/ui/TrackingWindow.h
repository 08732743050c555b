#pragma once

#include "panel/TrackingViewModel.h"

#include <QWidget>

class QLabel;
class QTreeWidget;

namespace vm {

class PolarPlot;

// The tracking window: the satellite now, the pass on show with its polar
// plot, and the passes of the next day. A thin view of a TrackingViewModel
// snapshot; showSnapshot() renders one.
class TrackingWindow final : public QWidget {
    Q_OBJECT
public:
    explicit TrackingWindow(QWidget *parent = nullptr);

    void showSnapshot(const TrackingViewModel::Snapshot &snapshot);

    PolarPlot *plot() const { return m_plot; }
    // The text of a value label by its objectName ("azimuth", "los", ...), for tests.
    QString valueText(const QString &name) const;

signals:
    // The operator closed the window (not the panel ending).
    void closedByOperator();
    // Moved or resized.
    void placeChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *value(const char *name) const;
    void setValue(const char *name, const QString &text);

    PolarPlot *m_plot = nullptr;
    QLabel *m_message = nullptr;
    QLabel *m_stale = nullptr;
    QTreeWidget *m_passes = nullptr;
    QWidget *m_details = nullptr;
};

} // namespace vm
