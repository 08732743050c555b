#pragma once

#include "panel/SatelliteChooser.h"

#include <QDialog>

#include <optional>

class QLabel;
class QTableWidget;

namespace vm {

class SatelliteTable;
class Settings;

// The built-in tracker's satellite chooser "衛星の選択": "自動" (the table
// satellite highest above the horizon, else the next to rise) and the table's
// satellites that have a TLE, with their elevation now and next AOS.
class SatelliteChooserDialog final : public QDialog {
    Q_OBJECT
public:
    // `current` is the satellite chosen before (empty: automatic); `error`
    // explains an empty list (no TLE file, no station).
    SatelliteChooserDialog(const QList<SatelliteChooser::Entry> &entries, const QString &current,
                           const QString &error, QWidget *parent = nullptr);

    // The chosen table name; empty for automatic.
    QString chosen() const;

    // Lists the satellites for the settings' station and TLE file at
    // `nowUtcMs`; nullopt when the operator cancelled.
    static std::optional<QString> choose(const SatelliteTable &table, const Settings &settings,
                                         const QString &dataDir, qint64 nowUtcMs, QWidget *parent);

private:
    QTableWidget *m_list = nullptr;
    QList<SatelliteChooser::Entry> m_entries;
};

} // namespace vm
