#pragma once

#include "tracking/TrackingSource.h"

#include <QList>

namespace vm::test {

// A tracking source that plays back prepared reads.
class ScriptedSource final : public TrackingSource {
public:
    struct Step { ReadResult result = ReadResult::Ok; TrackingValues values; };
    explicit ScriptedSource(QList<Step> steps) : m_steps(std::move(steps)) {}

    bool open(QString *) override { return true; }
    ReadResult read(TrackingValues &values) override
    {
        const Step step =
            m_steps.isEmpty() ? Step{} : (m_steps.size() > 1 ? m_steps.takeFirst() : m_steps.first());
        if (step.result == ReadResult::Ok)
            values = step.values;
        if (step.result == ReadResult::Failed)
            values.rangeRate = step.values.rangeRate; // refreshed before the failing item
        return step.result;
    }
    void close() override {}

private:
    QList<Step> m_steps;
};

inline TrackingValues values(const QString &sat, const QString &elevation, float rr, const QString &rev = "1")
{
    TrackingValues v;
    v.satellite = sat;
    v.elevation = elevation;
    v.rangeRate = rr;
    v.revolution = rev;
    return v;
}

} // namespace vm::test
