#pragma once

#include "cat/CatContext.h"
#include "cat/RigModel.h"
#include "cat/SerialTransport.h"

#include <QByteArray>
#include <QList>
#include <functional>

namespace vm::fuzz {

// A port whose input is the fuzz data, handed out a piece per write: the
// first byte of each piece says how long it is.
class FuzzPort final : public vm::SerialTransport {
public:
    explicit FuzzPort(QByteArray script) : m_script(std::move(script)) {}

    bool open(const vm::SerialSettings &) override { return m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void purge(bool, bool input) override
    {
        if (input)
            m_input.clear();
    }
    qint64 write(const QByteArray &bytes) override
    {
        if (!m_open)
            return -1;
        if (!m_script.isEmpty()) {
            const int length = quint8(m_script[0]) % 40;
            m_input += m_script.mid(1, length);
            m_script.remove(0, 1 + length);
        }
        return bytes.size();
    }
    qint64 waitForBytes(qint64, int) override { return m_input.size(); }
    QByteArray read(qint64 count, int) override
    {
        const QByteArray out = m_input.left(count);
        m_input.remove(0, out.size());
        return out;
    }

private:
    QByteArray m_script;
    QByteArray m_input;
    bool m_open = false;
};

// Driver hooks that take every report and setting and answer `setting` to reads.
inline vm::CatHooks quietHooks(const QString &setting = QString())
{
    vm::CatHooks hooks;
    hooks.report = [](const QString &, const QString &) {};
    hooks.writeSetting = [](const QString &, const QString &, const QString &) {};
    hooks.readSetting = [setting](const QString &, const QString &) { return setting; };
    hooks.startLinkTimer = [] {};
    hooks.stopControlTimer = [] {};
    hooks.showMessage = [](const QString &) {};
    return hooks;
}

// The rig models for which `pick` holds.
inline QList<vm::RigModelInfo> modelsWhere(const std::function<bool(const vm::RigModelInfo &)> &pick)
{
    QList<vm::RigModelInfo> out;
    for (const vm::RigModelInfo &m : vm::RigModels::all()) {
        if (pick(m))
            out << m;
    }
    return out;
}

} // namespace vm::fuzz
