#include "tracking/RegistrySource.h"

#include "tracking/WineRegistry.h"

#include <QFileInfo>

namespace vm {

RegistrySource::RegistrySource(QString registryFile, QString program,
                               std::function<bool(const QString &title)> running)
    : m_file(std::move(registryFile)), m_program(std::move(program)), m_running(std::move(running))
{
}

QString RegistrySource::keyPath(const QString &program)
{
    return QStringLiteral("Software\\VB and VBA Program Settings\\Q0ORBT\\") + program;
}

bool RegistrySource::open(QString *error)
{
    if (!QFileInfo::exists(m_file)) {
        if (error)
            *error = QStringLiteral("registry file %1 not found").arg(m_file);
        // Still usable: the file may appear once the program has run.
    }
    return true;
}

TrackingSource::ReadResult RegistrySource::read(TrackingValues &values)
{
    if (m_running && !m_running(m_program))
        return ReadResult::ProgramClosed;

    // A missing value reads as an empty text.
    const QHash<QString, QString> v = wineRegistry::readKey(m_file, keyPath(m_program));
    bool ok = false;
    const float rr = v.value(QStringLiteral("RangeRate")).trimmed().toFloat(&ok);
    if (!ok)
        return ReadResult::Failed;
    values.rangeRate = rr;
    values.satellite = v.value(QStringLiteral("Satellite")).trimmed();
    // An elevation that is not a number ends the read here, as the range
    // rate's does before it.
    const QString elevation = v.value(QStringLiteral("Elevation"));
    if (!isNumber(elevation))
        return ReadResult::Failed;
    values.elevation = elevation;
    values.revolution = v.value(QStringLiteral("Revolution"));
    return ReadResult::Ok;
}

} // namespace vm
