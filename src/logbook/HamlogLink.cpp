#include "logbook/HamlogLink.h"

#include "logbook/ContactLogger.h"
#include "logbook/ContactText.h"
#include "platform/WineBridge.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace vm {

namespace hamlog {

QList<HamlogRecord> entry(const Qso &qso, bool remarksInSlot2, bool satelliteTags)
{
    const QString tags =
        satelliteTags ? contact::satelliteTags(qso.satName, double(qso.txHz), double(qso.rxHz)) : QString();
    const QString mode = contact::loggedMode(QString(), qso.mode);
    struct Field {
        quint32 dwData;
        QString text;
        bool evenWhenEmpty;
    };
    const Field fields[] = {
        {NewEntry, QString(), true},
        {field(1), qso.call, false},
        {field(6), contact::bandPair(double(qso.txHz), double(qso.rxHz)), true},
        {field(7), mode, false},
        {field(8), qso.qthCode, true},
        {field(13), remarksInSlot2 ? tags : qso.comment, false},
        {field(14), remarksInSlot2 ? qso.comment : tags, false},
    };
    QList<HamlogRecord> out;
    for (const Field &f : fields) {
        const QString text = f.text.trimmed();
        if (f.evenWhenEmpty || !text.isEmpty())
            out.append({f.dwData, text});
    }
    return out;
}

int versionNumber(const QString &fileVersion)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)\\.(\\d+)\\.(\\d+)(\\.\\d+)?$"));
    const QRegularExpressionMatch m = pattern.match(fileVersion.trimmed());
    if (!m.hasMatch())
        return -1;
    bool ok = false;
    const int n = (m.captured(1) + m.captured(2) + m.captured(3)).toInt(&ok);
    return ok ? n : -1;
}

int linkState(int versionNumber)
{
    if (versionNumber >= 491)
        return Ready;
    if (versionNumber >= 0 && versionNumber < 490)
        return Older;
    return NotFound;
}

} // namespace hamlog

bool HamlogLink::check()
{
    const std::optional<WineBridge::WindowOwner> owner =
        m_bridge.findWindow(QString::fromLatin1(hamlog::WindowClass), true);
    m_path = owner ? owner->path : QString();
    m_version = owner ? owner->version : QString();
    m_linkState = owner ? hamlog::linkState(hamlog::versionNumber(m_version)) : hamlog::NotFound;
    return owner.has_value();
}

bool HamlogLink::send(const QList<HamlogRecord> &records, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!check())
        return fail(m_bridge.isRunning()
                        ? QCoreApplication::translate("HamlogLink", "Turbo HAMLOG/Winが起動していません。")
                        : QCoreApplication::translate("HamlogLink", "Wine経由の接続が使えません: %1")
                              .arg(m_bridge.errorString()));
    if (m_linkState != hamlog::Ready)
        return fail(
            QCoreApplication::translate("HamlogLink", "Turbo HAMLOG/Winの版 (%1) が古いため転送できません")
                .arg(m_version));
    WineBridge::Reply reply;
    for (const HamlogRecord &r : records) {
        reply = m_bridge.copyData(QString::fromLatin1(hamlog::WindowClass), r.dwData, r.text);
        if (reply.status == BridgeWire::Status::Unencodable)
            return fail(QCoreApplication::translate("HamlogLink", "Shift_JISで送れない文字があります: %1")
                            .arg(r.text));
        if (!reply.ok())
            return fail(QCoreApplication::translate("HamlogLink", "Turbo HAMLOG/Winに送れませんでした: %1")
                            .arg(QString::fromUtf8(reply.bytes)));
    }
    if (!records.isEmpty() && reply.value == 0)
        return fail(
            QCoreApplication::translate("HamlogLink", "Turbo HAMLOG/Winが入力を受け付けませんでした"));
    return true;
}

WindowsLogging::WindowsLogging(WineBridge *bridge)
    : m_link(bridge ? std::make_unique<HamlogLink>(*bridge) : nullptr)
{
    ContactLogger::setWindowsLogger(m_link.get());
}

WindowsLogging::~WindowsLogging()
{
    ContactLogger::setWindowsLogger(nullptr);
}

} // namespace vm
