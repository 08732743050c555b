#pragma once

#include "cat/CatContext.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace vm::test {

// Hooks of the rig drivers that record what the controller would see.
struct CatRecorder {
    QList<QPair<QString, QString>> reports;
    QStringList settingsWritten; // "section/key=value"
    QStringList messages;
    int linkTimerStarts = 0;
    int controlTimerStops = 0;
    CatHooks hooks;

    CatRecorder()
    {
        hooks.report = [this](const QString &code, const QString &payload) {
            reports.append({code, payload});
        };
        hooks.writeSetting = [this](const QString &section, const QString &key, const QString &value) {
            settingsWritten << section + QLatin1Char('/') + key + QLatin1Char('=') + value;
        };
        hooks.startLinkTimer = [this] { ++linkTimerStarts; };
        hooks.stopControlTimer = [this] { ++controlTimerStops; };
        hooks.showMessage = [this](const QString &text) { messages << text; };
    }
    CatRecorder(const CatRecorder &) = delete;
    CatRecorder &operator=(const CatRecorder &) = delete;

    // Payloads reported with a code, in order.
    QStringList payloads(const QString &code) const
    {
        QStringList out;
        for (const auto &r : reports) {
            if (r.first == code)
                out << r.second;
        }
        return out;
    }
    // Every report as code and payload, blank-separated; the list is emptied.
    std::string take()
    {
        QStringList out;
        for (const auto &r : reports)
            out << r.first + r.second;
        reports.clear();
        return out.join(' ').toStdString();
    }
    QStringList codes() const
    {
        QStringList out;
        for (const auto &r : reports)
            out << r.first;
        return out;
    }
};

} // namespace vm::test
