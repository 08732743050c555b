#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace vm {

// What an element-set text holds, or why it cannot be used.
struct OrbitDataCheck {
    bool ok = false;
    int sets = 0;
    QDateTime oldestEpoch; // UTC
    QDateTime newestEpoch; // UTC
    QString error;         // for the operator; empty when ok
};

// Brings the built-in source's TLE file up to date: downloads the element
// sets from an address ([TRACK] TLEUrl), checks every set (checksums, a
// plausible epoch) and only then replaces the file, atomically. A failed
// download or check leaves the old file as it was and says why.
class OrbitDataUpdate final : public QObject {
    Q_OBJECT
public:
    // A download larger than this is not an element-set file.
    static constexpr qint64 MaxBytes = 16 * 1024 * 1024;
    // A download that stalls this long is given up.
    static constexpr int TransferTimeoutMs = 30000;

    explicit OrbitDataUpdate(QNetworkAccessManager &network, QObject *parent = nullptr);
    ~OrbitDataUpdate() override;

    // Starts downloading `url` for `targetPath`. False, with finished() not
    // emitted, while another download runs or when the address is not http(s)
    // or file.
    bool start(const QUrl &url, const QString &targetPath);
    void abort();
    bool isRunning() const { return !m_reply.isNull(); }

    // Checks every element set of a text. `nowUtc` bounds the epochs: an
    // epoch more than a day in the future means a broken set or clock.
    static OrbitDataCheck checkText(const QByteArray &text, const QDateTime &nowUtc);
    // "How old is the data": the sets of a file and the age of their newest epoch.
    static QString describeFile(const QString &path, const QDateTime &nowUtc);
    // Whole days from `epoch` to `nowUtc`.
    static int ageDays(const QDateTime &epoch, const QDateTime &nowUtc);

signals:
    // Bytes received so far and the total (-1 while unknown).
    void progress(qint64 received, qint64 total);
    // The outcome for the operator; `ok` when the file was replaced.
    void finished(bool ok, const QString &message);

private:
    void onFinished();
    void fail(const QString &message);

    QNetworkAccessManager &m_network;
    QPointer<QNetworkReply> m_reply;
    QString m_target;
    bool m_tooLarge = false;
};

} // namespace vm
