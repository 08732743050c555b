#pragma once

#include "cat/CatContext.h"
#include "cat/IcomDriver.h"
#include "cat/QSerialPortTransport.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace vm {

// One rig check (the vmrig tool, and the settings form's rig test): a rig on
// a port, one command, its outcome on `out` and errors on `err`. Exit status 0 when the rig did what was
// asked, 1 when the port or the rig failed, 2 for a command line that makes no sense.
class RigCheck {
public:
    struct Options {
        QString model = QStringLiteral("IC9700");
        QString port;
        QString baud = QStringLiteral("19200");
        QString address; // empty: the model's factory address
        QStringList command;
    };

    RigCheck(QTextStream &out, QTextStream &err);
    int run(const Options &options);

private:
    int info();
    int frequency(const QStringList &args);
    int mode(const QStringList &args);
    int satellite(const QStringList &args);
    int bench(const QStringList &args);

    // "main" or "sub" as the driver's band letter; false when the word is neither.
    bool bandOf(const QString &word, Band *band);
    void select(Band band);
    std::optional<qint64> readDial(Band band);
    std::optional<QString> readMode(Band band);
    int usage(const QString &why);
    int noAnswer();

    QTextStream &m_out;
    QTextStream &m_err;
    QSerialPortTransport m_transport;
    CatContext m_context;
    CatHooks m_hooks;
    QHash<QString, QString> m_reports; // last payload of each report code
    std::unique_ptr<IcomDriver> m_driver;
    Options m_options;
};

} // namespace vm
