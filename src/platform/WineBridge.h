#pragma once

#include "platform/BridgeWire.h"
#include "platform/WindowsPrograms.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

class QProcess;

namespace vm {

// Our side of vmbridge.exe: starts "wine vmbridge.exe" in the operator's Wine
// prefix (WINEPREFIX as set, else Wine's default ~/.wine) on first use and
// exchanges request and reply frames with it over its standard input and
// output (platform/BridgeWire.h). Synchronous, as the window messages it
// stands for: each call waits for its reply up to a time limit. The bridge
// ends with this object (its input closes).
class WineBridge final : public WindowsPrograms {
public:
    struct Reply {
        BridgeWire::Status status = BridgeWire::Status::Failed;
        quint32 value = 0;
        QByteArray bytes;
        bool ok() const { return status == BridgeWire::Status::Ok; }
    };

    // `wine`: the command (found on PATH when not absolute); `bridgeExe`: vmbridge.exe.
    WineBridge(QString wine, QString bridgeExe);
    ~WineBridge() override;
    WineBridge(const WineBridge &) = delete;
    WineBridge &operator=(const WineBridge &) = delete;

    // The bridge beside the running program with `wine` from PATH; nullptr,
    // with the reason, when either is missing.
    static std::unique_ptr<WineBridge> findInstalled(QString *why = nullptr);

    // Time limit of the first reply, which waits for Wine to start (a new
    // prefix takes long to create), and of every later one.
    void setStartTimeoutMs(int ms) { m_startTimeoutMs = ms; }
    void setReplyTimeoutMs(int ms) { m_replyTimeoutMs = ms; }

    // Starts the bridge unless it runs; false, with errorString(), when it
    // does not answer as a bridge of our protocol version. After a failed
    // start the next attempt waits RetryAfterMs.
    bool start();
    bool isRunning() const;
    void stop();
    QString errorString() const { return m_error; }

    // One request. A failed exchange (no bridge, no reply in time, a garbled
    // reply) stops the bridge; the next request starts it again.
    Reply request(BridgeWire::Op op, quint32 arg, const QByteArray &bytes);

    // A CF_TEXT item of a DDE server ("Kepral32", "Export", "txtSatellite").
    Reply ddeRequest(const QString &service, const QString &topic, const QString &item);
    // WM_COPYDATA with `dwData` and `text` in Shift_JIS to the window of `windowClass`.
    Reply copyData(const QString &windowClass, quint32 dwData, const QString &text);
    std::optional<WindowOwner> findWindow(const QString &name, bool byClass = false) override;
    bool clickControl(const QString &title, int controlId) override;
    bool raiseWindow(const QString &title) override;
    bool startProgram(const QString &windowsPath) override;
    bool sendText(const QString &title, const QString &text) override;
    bool typeAltKey(const QString &title, char key) override;
    std::optional<QString> windowText(const QString &title, const QString &childClass, int siblingSteps) override;

    // A reply frame from raw bytes, nullopt unless it is exactly one frame.
    static std::optional<Reply> parseReply(const QByteArray &frame);
    // The owner described by a LookupWindow reply's value and bytes.
    static WindowOwner windowOwner(const Reply &reply);

    static constexpr int RetryAfterMs = 10000;

private:
    bool launch();
    std::optional<Reply> exchange(const QByteArray &frame, int timeoutMs);

    QString m_wine;
    QString m_bridgeExe;
    std::unique_ptr<QProcess> m_process;
    QByteArray m_buffer;
    QString m_error;
    QElapsedTimer m_failedAt;
    int m_startTimeoutMs = 120000;
    int m_replyTimeoutMs = 8000;
};

} // namespace vm
