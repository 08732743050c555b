#pragma once

#include <QString>

namespace vm {

// The four values a tracking source yields, as texts (range rate as a number,
// metres per second, positive when the satellite recedes).
struct TrackingValues {
    QString satellite;
    QString elevation;
    QString revolution;
    float rangeRate = 0;
};

// Whether a tracking program's number text (range rate, elevation) reads as
// a number; an empty text does not.
inline bool isNumber(const QString &text)
{
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

// One way of learning the current satellite, elevation, revolution number and
// range rate: an outside tracking program's export endpoint, its registry
// values under Wine, or our own orbit computation.
class TrackingSource {
public:
    enum class ReadResult {
        Ok,            // every value refreshed
        Failed,        // a request failed or a value was not a number: the read ends here
        ProgramClosed, // the tracking program's window is gone: values keep their contents
        NothingRead,   // this source has nothing to read (values keep their contents)
    };

    virtual ~TrackingSource() = default;

    // Binds the source; an error text for the operator when it cannot.
    virtual bool open(QString *error) = 0;

    // Refreshes `values` in the order range rate, satellite, elevation,
    // revolution. On Failed the values already refreshed keep their new
    // contents and the others their old ones.
    virtual ReadResult read(TrackingValues &values) = 0;

    virtual void close() = 0;

    // Whether the source, after a failed open(), still watches for what it
    // lacked (a file that appears later) and should stay attached: its reads
    // yield NothingRead until it can serve.
    virtual bool keepsTryingAfterFailedOpen() const { return false; }
};

} // namespace vm
