#include "common/SettingKey.h"
#include "common/NumberText.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace vm {

namespace {

bool isHexDigits(const QString &s)
{
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')))
            return false;
    }
    return !s.isEmpty();
}

} // namespace

QString SettingKey::normalise(const std::optional<QString> &stored,
                              const std::optional<QString> &related) const
{
    const QString def = defaultText();
    switch (rule) {
    case KeyRule::Text:
        return stored ? *stored : def;

    case KeyRule::NonEmpty:
        return stored && !stored->trimmed().isEmpty() ? stored->trimmed() : def;

    case KeyRule::Integer: {
        const std::optional<double> v = stored ? finiteNumber(*stored) : std::nullopt;
        if (!v)
            return def;
        constexpr double lo = double(std::numeric_limits<int>::min());
        constexpr double hi = double(std::numeric_limits<int>::max());
        const int n = int(std::clamp(std::round(*v), lo, hi));
        return QString::number(std::max(n, minimum));
    }

    case KeyRule::Number:
        return stored && finiteNumber(*stored) ? stored->trimmed() : def;

    case KeyRule::Choice: {
        if (!stored || !choices)
            return def;
        const QString v = stored->trimmed();
        const QStringList allowed = QString::fromUtf8(choices).split(u'|');
        return allowed.contains(v) ? v : def;
    }

    case KeyRule::ZeroElseOne:
        if (!stored)
            return def;
        return stored->trimmed() == u"0" ? QStringLiteral("0") : QStringLiteral("1");

    case KeyRule::OneElseZero:
        if (!stored)
            return def;
        return stored->trimmed() == u"1" ? QStringLiteral("1") : QStringLiteral("0");

    case KeyRule::Port: {
        if (this->related && !related)
            return QStringLiteral("None"); // no rig model, no port
        const QString v = stored ? stored->trimmed() : QString();
        if (v.isEmpty() || v == u"0")
            return def;
        return v;
    }

    case KeyRule::CivAddress: {
        if (!stored)
            return def;
        // Read into a two-character field: a missing key shows as the first
        // two characters of the section name.
        const QString v = stored->left(2).trimmed();
        if (v == sectionName().left(2) || !isHexDigits(v))
            return def;
        return v.size() == 1 ? u'0' + v : v;
    }

    case KeyRule::BandDigits: {
        if (!stored)
            return def;
        const QString v = stored->trimmed();
        return v.size() == 4 ? v.left(2) : v;
    }

    case KeyRule::RigContType: {
        const QString v = stored ? stored->trimmed() : QString();
        if (v.size() == 1 && v.at(0) >= u'0' && v.at(0) <= u'4')
            return v;
        return related && related->trimmed() == u"Yes" ? QStringLiteral("3") : QStringLiteral("0");
    }
    }
    return def;
}

} // namespace vm
