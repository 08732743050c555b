#include "tracking/TrackingSourceFactory.h"

#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "platform/LocalChannel.h"
#include "tracking/BuiltinSource.h"
#include "tracking/ExportSource.h"
#include "tracking/RegistrySource.h"

#include <QDir>

namespace vm {

QString registryFilePath(const Settings &settings)
{
    QString path = settings.value(keys::RegFile).trimmed();
    if (path == u"~" || path.startsWith(QStringLiteral("~/")))
        path = QDir::homePath() + path.mid(1);
    return path;
}

std::unique_ptr<TrackingSource> makeTrackingSource(TrackingKind kind, const TrackingSourceContext &context)
{
    if (kind == TrackingKind::Builtin)
        return std::make_unique<BuiltinSource>(context.settings, context.tableNames, context.clock,
                                               context.dataDir);

    const TrackingProgram &program = trackingProgram(kind);
    const bool registryMethod = context.settings.value(keys::UseDde) == u"0";
    if (registryMethod && !program.registrySection.isEmpty()) {
        LocalChannel &channel = context.channel;
        return std::make_unique<RegistrySource>(
            registryFilePath(context.settings), program.registrySection,
            [&channel, windowExists = context.windowExists](const QString &title) {
                return channel.titleExists(title) || (windowExists && windowExists(title));
            });
    }
    if (registryMethod) // Ornik: the export endpoint is its only link
        context.settings.setValue(keys::UseDde, QStringLiteral("1"));
    // A Windows program under Wine shows its window but has no endpoint of
    // ours: its DDE server is reached through the bridge.
    if (context.bridge && !context.channel.titleExists(program.exportTitle()) && context.windowExists &&
        context.windowExists(program.windowTitle))
        return std::make_unique<ExportSource>(program, *context.bridge);
    return std::make_unique<ExportSource>(program, context.channel);
}

} // namespace vm
