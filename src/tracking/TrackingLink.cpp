#include "tracking/TrackingLink.h"
#include "common/ProtocolTexts.h"

namespace vm {

TrackingLink::TrackingLink(ReportSink reports, Smoothing smoothing)
    : m_reports(std::move(reports)), m_smoothing(std::move(smoothing))
{
}

bool TrackingLink::open(std::unique_ptr<TrackingSource> source, QString *error)
{
    close();
    if (!source)
        return false;
    QString why;
    if (!source->open(&why)) {
        if (error)
            *error = why;
        if (source->keepsTryingAfterFailedOpen())
            m_source = std::move(source);
        return false;
    }
    m_source = std::move(source);
    // The first read fills the values before the loop uses them.
    TrackingValues fresh = m_values;
    if (m_source->read(fresh) != TrackingSource::ReadResult::ProgramClosed)
        m_values = fresh;
    m_reports(QStringLiteral("OPPLNK"), QStringLiteral("OK"));
    return true;
}

void TrackingLink::close()
{
    if (m_source)
        m_source->close();
    m_source.reset();
}

void TrackingLink::resetHorizon()
{
    m_above = false;
    m_previousAbove = false;
}

void TrackingLink::read()
{
    if (!m_source)
        return;

    switch (m_source->read(m_values)) {
    case TrackingSource::ReadResult::Failed:
        return;
    case TrackingSource::ReadResult::NothingRead:
        // No values this tick; the schedule still gets its tick.
        if (m_schedule)
            m_reports(QStringLiteral("OPPSCK"), QString());
        return;
    case TrackingSource::ReadResult::ProgramClosed:
        m_reports(QStringLiteral("OPPRXF"), QStringLiteral("KEPRAL Closed"));
        m_reports(QStringLiteral("OPPTXF"), QString::fromUtf8(protocol::EndingPayload));
        break;
    case TrackingSource::ReadResult::Ok:
        break;
    }
    m_values.satellite = m_values.satellite.trimmed();

    // An elevation that is not a number, an empty text included, ends this
    // tick's read: it says nothing about the horizon.
    bool elevationOk = false;
    const double elevation = m_values.elevation.trimmed().toDouble(&elevationOk);
    if (!elevationOk)
        return;

    const float raw = m_values.rangeRate;
    if (elevation < -0.1) {
        if (m_smoothing.reference)
            m_smoothing.reference(raw);
        m_rangeRate = raw;
        m_above = false;
    } else {
        if (m_smoothing.enabled && m_smoothing.enabled() && m_smoothing.smooth) {
            m_rangeRate = m_smoothing.smooth(raw);
        } else {
            if (m_smoothing.reference)
                m_smoothing.reference(raw);
            m_rangeRate = raw;
        }
        m_above = true;
    }

    const QString label = m_values.satellite.toUpper();
    if (label != m_label) {
        m_label = label;
        if (m_labelChanged)
            m_labelChanged(label);
    }

    if (m_above != m_previousAbove)
        m_reports(QStringLiteral("OPPELE"), m_above ? QStringLiteral("1") : QStringLiteral("0"));
    m_previousAbove = m_above;

    if (m_schedule)
        m_reports(QStringLiteral("OPPSCK"), QString());
}

} // namespace vm
