#pragma once

#include "common/ReportSink.h"
#include "tracking/TrackingSource.h"

#include <functional>
#include <memory>

namespace vm {

// The controller's view of the tracking program: one source, the values of
// the last read, and the per-tick read rules - horizon at -0.1 degrees, range
// rate smoothing above it, the upper-case satellite label whose change starts
// a satellite change, "OPPELE" when the satellite rises or sets, "OPPSCK"
// while the schedule asks for it.
class TrackingLink {
public:
    // Range-rate smoothing, provided by the control loop.
    struct Smoothing {
        std::function<bool()> enabled;            // RR_INP is "1"
        std::function<float(float raw)> smooth;   // above the horizon, smoothing on
        std::function<void(float raw)> reference; // below the horizon, or smoothing off
    };

    TrackingLink(ReportSink reports, Smoothing smoothing);

    // Replaces the source (closing the previous one) and opens it; sends
    // "OPPLNK" "OK" once it is open. Returns false with the error text when
    // the source cannot be opened; a source that keeps trying after a failed
    // open stays attached (isOpen() is then true, its reads yield nothing
    // until it can serve).
    bool open(std::unique_ptr<TrackingSource> source, QString *error = nullptr);
    void close();
    bool isOpen() const { return m_source != nullptr; }
    TrackingSource *source() const { return m_source.get(); }

    // One tick's read.
    void read();

    // Called with the new label text when it changes.
    void setLabelChanged(std::function<void(const QString &label)> handler)
    {
        m_labelChanged = std::move(handler);
    }
    void setScheduleFlag(bool on) { m_schedule = on; }
    bool scheduleFlag() const { return m_schedule; }

    const TrackingValues &values() const { return m_values; }
    // Trimmed satellite name, its upper-case label, the range rate in use.
    QString satellite() const { return m_values.satellite; }
    QString label() const { return m_label; }
    float rangeRate() const { return m_rangeRate; }
    bool aboveHorizon() const { return m_above; }

    // The satellite change clears the horizon bookkeeping.
    void resetHorizon();

private:
    ReportSink m_reports;
    Smoothing m_smoothing;
    std::unique_ptr<TrackingSource> m_source;
    std::function<void(const QString &)> m_labelChanged;
    TrackingValues m_values;
    QString m_label;
    float m_rangeRate = 0;
    bool m_above = false;
    bool m_previousAbove = false;
    bool m_schedule = false;
};

} // namespace vm
