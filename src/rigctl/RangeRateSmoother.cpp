#include "rigctl/RangeRateSmoother.h"

#include <algorithm>
#include <climits>

namespace vm {

namespace {

struct Profile {
    int divisor;
    int count; // how many of k(2).. this profile sets
    std::array<double, 8> k;
};

const Profile &profileData(int profile)
{
    static const std::array<Profile, 6> profiles{{
        {2, 5, {1.0, 1.5, 1.8, 1.93, 1.97, 0, 0, 0}},
        {3, 8, {2.0, 2.5, 2.8, 2.93, 2.96, 2.97, 2.98, 2.99}},
        {4, 8, {2.0, 3.0, 3.5, 3.7, 3.8, 3.9, 3.95, 3.97}},
        {5, 8, {2.0, 3.0, 4.0, 4.5, 4.6, 4.8, 4.85, 4.9}},
        {6, 8, {2.0, 3.0, 4.0, 5.0, 5.6, 5.7, 5.8, 5.9}},
        {7, 8, {2.0, 3.0, 4.0, 5.0, 6.0, 6.5, 6.7, 6.9}},
    }};
    return profiles[static_cast<size_t>(std::clamp(profile, 2, 7) - 2)];
}

} // namespace

RangeRateSmoother::RangeRateSmoother()
{
    selectProfile(2);
}

void RangeRateSmoother::selectProfile(int profile)
{
    const Profile &p = profileData(profile);
    m_profile = std::clamp(profile, 2, 7);
    m_divisor = p.divisor;
    std::copy_n(p.k.begin(), p.count, m_k.begin());
}

double RangeRateSmoother::factor(int repeat) const
{
    if (repeat <= 0)
        return 0;
    if (repeat == 1)
        return 1;
    return m_k[static_cast<size_t>(std::min(repeat, 9) - 2)];
}

float RangeRateSmoother::smooth(float raw)
{
    if (raw != m_last) {
        m_repeats = 0;
        m_step = (raw - m_last) / static_cast<float>(m_divisor);
        m_last = raw;
        return raw;
    }
    ++m_repeats;
    return raw + static_cast<float>(factor(m_repeats)) * m_step;
}

void RangeRateSmoother::setReference(float raw)
{
    m_last = raw;
}

void RangeRateSmoother::reset()
{
    m_last = 0;
    m_repeats = 0;
}

namespace {

// One row of a selection table: poll-time range and, per baud column, the
// profile for states 0/2/8/9, for states 1/6 and for state 5.
struct Cell {
    int forSteady; // states 0, 2, 8, 9
    int forFollow; // states 1, 6
    int forBeacon; // state 5
};
constexpr Cell kKeep{0, 0, 0};

struct Row {
    int fromMs;
    int toMs; // inclusive; INT_MAX for "above"
    std::array<Cell, 4> cells;
};

// Rig-1 response wait above 30 ms. Columns: 4800, 9600, 19200/57600/115200, 38400.
const std::array<Row, 9> kSlowWait{{
    {50, 50, {{{3, 2, 3}, {3, 2, 5}, {4, 3, 6}, {4, 3, 6}}}},
    {51, 99, {{{3, 2, 3}, {3, 2, 5}, kKeep, kKeep}}},
    {100, 100, {{{3, 2, 4}, {3, 2, 4}, {3, 3, 5}, {3, 3, 5}}}},
    {150, 150, {{{2, 2, 3}, {3, 2, 3}, {3, 2, 4}, {3, 2, 4}}}},
    {200, 200, {{{2, 2, 3}, {2, 2, 3}, {3, 2, 3}, {3, 2, 3}}}},
    {201, 249, {{{2, 2, 3}, kKeep, kKeep, kKeep}}},
    {250, 250, {{{2, 2, 3}, {2, 2, 3}, {2, 2, 3}, {2, 2, 3}}}},
    {300, 300, {{{2, 2, 2}, {2, 2, 2}, {2, 2, 3}, {2, 2, 2}}}},
    {301, INT_MAX, {{{2, 2, 2}, {2, 2, 2}, {2, 2, 2}, {2, 2, 2}}}},
}};

// Rig-1 response wait of 30 ms or less. Columns: 19200, 38400, 57600/115200 (the
// fourth is unused); 4800 and 9600 use the table above.
const std::array<Row, 7> kFastWait{{
    {50, 50, {{{5, 4, 7}, {5, 4, 7}, {5, 4, 7}, kKeep}}},
    {100, 100, {{{3, 3, 5}, {3, 4, 5}, {3, 4, 5}, kKeep}}},
    {150, 150, {{{3, 3, 4}, {3, 3, 5}, {3, 3, 4}, kKeep}}},
    {200, 200, {{{3, 3, 3}, {3, 2, 3}, {3, 3, 3}, kKeep}}},
    {250, 250, {{{2, 2, 3}, {2, 2, 3}, {2, 2, 3}, kKeep}}},
    {300, 300, {{{2, 2, 3}, {2, 2, 2}, {2, 2, 3}, kKeep}}},
    {301, INT_MAX, {{{2, 2, 2}, {2, 2, 2}, {2, 2, 2}, kKeep}}},
}};

template <size_t N> const Row *findRow(const std::array<Row, N> &table, int pollMs)
{
    for (const Row &row : table)
        if (pollMs >= row.fromMs && pollMs <= row.toMs)
            return &row;
    return nullptr;
}

int pick(const Cell &cell, int state)
{
    switch (state) {
    case 0:
    case 2:
    case 8:
    case 9:
        return cell.forSteady;
    case 1:
    case 6:
        return cell.forFollow;
    case 5:
        return cell.forBeacon;
    default:
        return 0;
    }
}

} // namespace

int selectSmoothingProfile(const QString &baud, int pollTimeMs, int responseWaitMs, int dopplerState)
{
    if (baud == QLatin1String("1200"))
        return 2;

    int column = -1;
    bool fast = responseWaitMs <= 30;
    if (baud == QLatin1String("4800")) {
        column = 0;
        fast = false;
    } else if (baud == QLatin1String("9600")) {
        column = 1;
        fast = false;
    } else if (baud == QLatin1String("19200")) {
        column = fast ? 0 : 2;
    } else if (baud == QLatin1String("38400")) {
        column = fast ? 1 : 3;
    } else if (baud == QLatin1String("57600") || baud == QLatin1String("115200")) {
        column = 2;
    } else {
        return 0;
    }

    const Row *row = fast ? findRow(kFastWait, pollTimeMs) : findRow(kSlowWait, pollTimeMs);
    if (!row)
        return 0;
    return pick(row->cells[static_cast<size_t>(column)], dopplerState);
}

} // namespace vm
