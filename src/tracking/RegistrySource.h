#pragma once

#include "tracking/TrackingSource.h"

#include <functional>

namespace vm {

// Kepral32 / Kepral99 publish their values under
// Software\VB and VBA Program Settings\Q0ORBT\<program> in the per-user
// registry. Under Wine that registry is the file user.reg.
class RegistrySource final : public TrackingSource {
public:
    // `program` is "Kepral32" or "Kepral99"; `running` tells whether its
    // window is present.
    RegistrySource(QString registryFile, QString program, std::function<bool(const QString &title)> running);

    bool open(QString *error) override;
    ReadResult read(TrackingValues &values) override;
    void close() override {}

    static QString keyPath(const QString &program);

private:
    QString m_file;
    QString m_program;
    std::function<bool(const QString &)> m_running;
};

} // namespace vm
