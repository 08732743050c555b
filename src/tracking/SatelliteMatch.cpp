#include "tracking/SatelliteMatch.h"

namespace vm::satelliteMatch {

QString normalised(const QString &name)
{
    QString out;
    bool inDigits = false;
    qsizetype groupStart = 0;
    for (const QChar c : name) {
        if (c.isDigit()) {
            if (!inDigits)
                groupStart = out.size();
            inDigits = true;
            // A zero that would lead its group is dropped; a group of zeros keeps one.
            if (c == u'0' && out.size() == groupStart)
                continue;
            out += c;
        } else {
            if (inDigits && out.size() == groupStart)
                out += u'0';
            inDigits = false;
            if (c.isLetter())
                out += c.toUpper();
        }
    }
    if (inDigits && out.size() == groupStart)
        out += u'0';
    return out;
}

QString parenthesised(const QString &name)
{
    const qsizetype close = name.lastIndexOf(u')');
    if (close < 0)
        return {};
    const qsizetype open = name.lastIndexOf(u'(', close);
    if (open < 0)
        return {};
    return name.mid(open + 1, close - open - 1).trimmed();
}

QString beforeParentheses(const QString &name)
{
    const qsizetype close = name.lastIndexOf(u')');
    const qsizetype open = close < 0 ? -1 : name.lastIndexOf(u'(', close);
    return open < 0 ? name.trimmed() : name.left(open).trimmed();
}

std::optional<std::size_t> find(const QString &tableName, const std::vector<orbit::Tle> &sets)
{
    const QString wanted = tableName.trimmed();
    if (wanted.isEmpty())
        return std::nullopt;

    std::vector<QString> names;
    names.reserve(sets.size());
    for (const orbit::Tle &t : sets)
        names.push_back(QString::fromStdString(t.displayName()).trimmed());

    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }

    const QString key = normalised(wanted);
    if (key.isEmpty())
        return std::nullopt;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (normalised(names[i]) == key)
            return i;
    }

    // Names like "OSCAR 7 (AO-7)" or "ISS (ZARYA)": either part may be the one the table uses.
    const QString inner = parenthesised(wanted);
    const QString innerKey = inner.isEmpty() ? QString() : normalised(inner);
    const QString outerKey = inner.isEmpty() ? QString() : normalised(beforeParentheses(wanted));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QString theirs = parenthesised(names[i]);
        if (!theirs.isEmpty() &&
            (normalised(theirs) == key || normalised(beforeParentheses(names[i])) == key))
            return i;
        const QString theirKey = normalised(names[i]);
        if (!innerKey.isEmpty() && (theirKey == innerKey || theirKey == outerKey))
            return i;
    }
    return std::nullopt;
}

} // namespace vm::satelliteMatch
