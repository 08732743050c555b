#pragma once

#include <QString>

namespace vm {

// Text forms of the numbers the panel shows.
class FrequencyText {
public:
    // Hertz in the display pattern "@@@@.@@@.@@@": the digits fill the ten
    // places from the right, unused places on the left become spaces, the two
    // points stay fixed (435123456 gives " 435.123.456"). The value is rounded
    // to whole hertz first; a value of more than ten digits keeps its extra
    // leading digits in front of the pattern.
    static QString display(double hz);

    // Shortest decimal text of a number ("." as the decimal point, no grouping).
    static QString decimal(double value);

    // One decimal ("0.0"): -1500 / 1000 gives "-1.5".
    static QString oneDecimal(double value);

    // Megahertz with three decimals, at least one integer digit ("#0.000").
    static QString mhz3(double mhz);

    // A label of the passband scale at a whole kilohertz: the kilohertz
    // digits within the megahertz ("925"), or the whole frequency in MHz
    // ("145.925") where `whole` asks for it (the first label, and the first
    // one past a megahertz boundary).
    static QString scaleLabel(qint64 khz, bool whole);

    // Reads a report's decimal number; false when the text is not one.
    static bool parse(const QString &text, double *value);
};

} // namespace vm
