#include "common/Settings.h"

#include "common/DataDir.h"

namespace vm {

Settings::Settings(QString path) : m_file(std::move(path)) {}

QString Settings::defaultPath()
{
    return dataFile(QStringLiteral("Velomira.ini"));
}

QString Settings::read(const QString &key) const
{
    return m_file.get(m_section, key, m_section);
}

bool Settings::write(const QString &key, const QString &value)
{
    if (key == u"NEW")
        return m_file.remove();
    return m_file.set(m_section, key, value);
}

std::optional<QString> Settings::stored(const SettingKey &key) const
{
    const QString section = key.sectionName();
    std::optional<QString> v = m_file.value(section, key.keyName());
    if (v && *v == section)
        return std::nullopt;
    return v;
}

QString Settings::value(const SettingKey &key) const
{
    std::optional<QString> related;
    if (key.related)
        related = stored(*key.related);
    return key.normalise(stored(key), related);
}

bool Settings::setValue(const SettingKey &key, const QString &value)
{
    return m_file.set(key.sectionName(), key.keyName(), value);
}

bool Settings::removeValue(const SettingKey &key)
{
    return m_file.set(key.sectionName(), key.keyName(), std::nullopt);
}

} // namespace vm
