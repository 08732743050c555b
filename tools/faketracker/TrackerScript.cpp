#include "TrackerScript.h"

#include "common/TextFile.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace vm::faketracker {

namespace {

// Splits at blanks; a field in double quotes may hold blanks. False on an
// unterminated quote.
bool splitFields(const QString &line, QStringList &fields)
{
    fields.clear();
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && line.at(i).isSpace())
            ++i;
        if (i >= line.size())
            break;
        if (line.at(i) == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            if (close < 0)
                return false;
            fields << line.mid(i + 1, close - i - 1);
            i = close + 1;
        } else {
            const qsizetype start = i;
            while (i < line.size() && !line.at(i).isSpace())
                ++i;
            fields << line.mid(start, i - start);
        }
    }
    return true;
}

bool isNumber(const QString &text, double *value = nullptr)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (value)
        *value = v;
    return ok && std::isfinite(v);
}

} // namespace

bool TrackerScript::load(const QString &path, QString *error)
{
    QString why;
    const std::optional<QString> text = TextFile::read(path, &why);
    if (!text) {
        if (error)
            *error = why;
        return false;
    }
    return parse(*text, path, error);
}

bool TrackerScript::parse(const QString &text, const QString &origin, QString *error)
{
    QList<Entry> entries;
    const QStringList lines = TextFile::splitLines(text);
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines.at(n).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        auto fail = [&](const QString &why) {
            if (error)
                *error = QStringLiteral("%1:%2: %3").arg(origin).arg(n + 1).arg(why);
            return false;
        };
        QStringList f;
        if (!splitFields(line, f))
            return fail(QStringLiteral("unterminated quote"));
        if (f.size() < 4 || f.size() > 5)
            return fail(QStringLiteral("expected: seconds satellite elevation rangerate [revolution]"));
        Entry e;
        if (!isNumber(f.at(0), &e.seconds) || e.seconds < 0)
            return fail(QStringLiteral("seconds is not a number of zero or more: ") + f.at(0));
        e.satellite = f.at(1);
        if (e.satellite.trimmed().isEmpty())
            return fail(QStringLiteral("empty satellite name"));
        if (!isNumber(f.at(2)))
            return fail(QStringLiteral("elevation is not a number: ") + f.at(2));
        if (!isNumber(f.at(3)))
            return fail(QStringLiteral("range rate is not a number: ") + f.at(3));
        e.elevation = f.at(2);
        e.rangeRate = f.at(3);
        e.revolution = f.size() == 5 ? f.at(4) : QStringLiteral("0");
        entries << e;
    }
    if (entries.isEmpty()) {
        if (error)
            *error = origin + QStringLiteral(": no values");
        return false;
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.seconds < b.seconds; });
    m_entries = entries;
    return true;
}

const TrackerScript::Entry &TrackerScript::at(double seconds) const
{
    qsizetype i = 0;
    while (i + 1 < m_entries.size() && m_entries.at(i + 1).seconds <= seconds)
        ++i;
    return m_entries.at(i);
}

} // namespace vm::faketracker
