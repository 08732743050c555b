#include "platform/WineBridge.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace vm {

namespace bw = BridgeWire;

namespace {

QByteArray frameOf(bw::Op op, quint32 arg, const QByteArray &bytes)
{
    return QByteArray::fromStdString(
        bw::encode(quint32(op), arg, std::string_view(bytes.constData(), size_t(bytes.size()))));
}

} // namespace

WineBridge::WineBridge(QString wine, QString bridgeExe)
    : m_wine(std::move(wine)), m_bridgeExe(std::move(bridgeExe))
{
}

WineBridge::~WineBridge()
{
    stop();
}

std::unique_ptr<WineBridge> WineBridge::findInstalled(QString *why)
{
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    const QString exe = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vmbridge.exe"));
    QString reason;
    if (wine.isEmpty())
        reason = QStringLiteral("wine is not on PATH");
    else if (!QFileInfo::exists(exe))
        reason = exe + QStringLiteral(" is missing");
    if (why)
        *why = reason;
    return reason.isEmpty() ? std::make_unique<WineBridge>(wine, exe) : nullptr;
}

bool WineBridge::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

bool WineBridge::start()
{
    if (isRunning())
        return true;
    // A bridge that would not start is not tried again at every timer tick.
    if (m_failedAt.isValid() && !m_failedAt.hasExpired(RetryAfterMs))
        return false;
    if (!launch()) {
        m_failedAt.start();
        return false;
    }
    m_failedAt.invalidate();
    return true;
}

bool WineBridge::launch()
{
    m_process = std::make_unique<QProcess>();
    m_buffer.clear();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Wine's own chatter would only fill the operator's terminal.
    if (!env.contains(QStringLiteral("WINEDEBUG")))
        env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    m_process->setProcessEnvironment(env);
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start(m_wine, {m_bridgeExe});
    if (!m_process->waitForStarted(m_startTimeoutMs)) {
        m_error = QStringLiteral("%1: %2").arg(m_wine, m_process->errorString());
        m_process.reset();
        return false;
    }
    const std::optional<Reply> hello = exchange(frameOf(bw::Op::Hello, 0, {}), m_startTimeoutMs);
    if (!hello || !hello->ok() || hello->value != bw::Version) {
        if (hello) // otherwise exchange() said why
            m_error =
                QStringLiteral("%1 does not answer as vmbridge version %2").arg(m_bridgeExe).arg(bw::Version);
        stop();
        return false;
    }
    return true;
}

void WineBridge::stop()
{
    if (!m_process)
        return;
    if (m_process->state() == QProcess::Running) {
        m_process->closeWriteChannel(); // the bridge ends at the end of its input
        if (!m_process->waitForFinished(3000)) {
            m_process->kill();
            m_process->waitForFinished(3000);
        }
    }
    m_process.reset();
}

std::optional<WineBridge::Reply> WineBridge::exchange(const QByteArray &frame, int timeoutMs)
{
    m_process->write(frame);
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        bw::Frame reply;
        std::size_t used = 0;
        const bw::Parse state =
            bw::parse(std::string_view(m_buffer.constData(), size_t(m_buffer.size())), &reply, &used);
        if (state == bw::Parse::Complete) {
            m_buffer.remove(0, qsizetype(used));
            return Reply{bw::Status(reply.first), reply.second, QByteArray::fromStdString(reply.bytes)};
        }
        if (state == bw::Parse::Invalid) {
            m_error = QStringLiteral("vmbridge: garbled reply");
            return std::nullopt;
        }
        if (m_process->state() != QProcess::Running || deadline.hasExpired() ||
            !m_process->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
            if (m_process->bytesAvailable() == 0) {
                m_error = m_process->state() == QProcess::Running
                              ? QStringLiteral("vmbridge: no reply in time")
                              : QStringLiteral("vmbridge ended");
                return std::nullopt;
            }
        }
        m_buffer += m_process->readAllStandardOutput();
    }
}

WineBridge::Reply WineBridge::request(bw::Op op, quint32 arg, const QByteArray &bytes)
{
    if (!start())
        return Reply{bw::Status::Failed, 0, m_error.toUtf8()};
    const std::optional<Reply> reply = exchange(frameOf(op, arg, bytes), m_replyTimeoutMs);
    if (!reply) {
        const QString error = m_error;
        stop();
        m_error = error;
        return Reply{bw::Status::Failed, 0, error.toUtf8()};
    }
    return *reply;
}

WineBridge::Reply WineBridge::ddeRequest(const QString &service, const QString &topic, const QString &item)
{
    return request(bw::Op::DdeRequest, 0, service.toUtf8() + '\0' + topic.toUtf8() + '\0' + item.toUtf8());
}

WineBridge::Reply WineBridge::copyData(const QString &windowClass, quint32 dwData, const QString &text)
{
    return request(bw::Op::CopyData, dwData, windowClass.toUtf8() + '\0' + text.toUtf8());
}

std::optional<WineBridge::WindowOwner> WineBridge::findWindow(const QString &name, bool byClass)
{
    const Reply reply =
        request(bw::Op::LookupWindow, byClass ? bw::FindByClass : bw::FindByTitle, name.toUtf8());
    if (!reply.ok())
        return std::nullopt;
    return windowOwner(reply);
}

bool WineBridge::clickControl(const QString &title, int controlId)
{
    return request(bw::Op::ClickControl, quint32(controlId), title.toUtf8()).ok();
}

bool WineBridge::startProgram(const QString &windowsPath)
{
    return request(bw::Op::StartProgram, 0, windowsPath.toUtf8()).ok();
}

bool WineBridge::sendText(const QString &title, const QString &text)
{
    return request(bw::Op::CopyDataToTitle, 0, title.toUtf8() + '\0' + text.toUtf8()).ok();
}

bool WineBridge::typeAltKey(const QString &title, char key)
{
    return request(bw::Op::TypeAltKey, quint32(static_cast<unsigned char>(key)), title.toUtf8()).ok();
}

bool WineBridge::raiseWindow(const QString &title)
{
    return request(bw::Op::RaiseWindow, 0, title.toUtf8()).ok();
}

std::optional<QString> WineBridge::windowText(const QString &title, const QString &childClass, int siblingSteps)
{
    const Reply reply =
        request(bw::Op::WindowText, quint32(siblingSteps), title.toUtf8() + '\0' + childClass.toUtf8());
    if (!reply.ok())
        return std::nullopt;
    return QString::fromUtf8(reply.bytes);
}

std::optional<WineBridge::Reply> WineBridge::parseReply(const QByteArray &frame)
{
    bw::Frame reply;
    std::size_t used = 0;
    if (bw::parse(std::string_view(frame.constData(), size_t(frame.size())), &reply, &used) !=
            bw::Parse::Complete ||
        used != size_t(frame.size()))
        return std::nullopt;
    return Reply{bw::Status(reply.first), reply.second, QByteArray::fromStdString(reply.bytes)};
}

WineBridge::WindowOwner WineBridge::windowOwner(const Reply &reply)
{
    const qsizetype nul = reply.bytes.indexOf('\0');
    WindowOwner owner;
    owner.processId = reply.value;
    owner.path = QString::fromUtf8(nul < 0 ? reply.bytes : reply.bytes.left(nul));
    if (nul >= 0)
        owner.version = QString::fromUtf8(reply.bytes.mid(nul + 1));
    return owner;
}

} // namespace vm
