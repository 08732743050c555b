#include "tracking/OrbitDataUpdate.h"

#include "orbit/JulianDate.h"
#include "orbit/Tle.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

#include <cmath>

namespace vm {

namespace {

QDateTime epochUtc(const orbit::Tle &set)
{
    return QDateTime::fromMSecsSinceEpoch(orbit::unixMsFromJulianDate(set.epochJulianDate()), Qt::UTC);
}

} // namespace

OrbitDataUpdate::OrbitDataUpdate(QNetworkAccessManager &network, QObject *parent)
    : QObject(parent), m_network(network)
{
}

OrbitDataUpdate::~OrbitDataUpdate()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

bool OrbitDataUpdate::start(const QUrl &url, const QString &targetPath)
{
    const QString scheme = url.scheme().toLower();
    if (isRunning() || !url.isValid() || !(scheme == u"http" || scheme == u"https" || scheme == u"file"))
        return false;
    m_target = targetPath;
    m_tooLarge = false;
    QNetworkRequest request(url);
    request.setTransferTimeout(TransferTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        if (received > MaxBytes || total > MaxBytes) {
            m_tooLarge = true;
            m_reply->abort();
            return;
        }
        emit progress(received, total);
    });
    connect(m_reply, &QNetworkReply::finished, this, &OrbitDataUpdate::onFinished);
    return true;
}

void OrbitDataUpdate::abort()
{
    if (m_reply)
        m_reply->abort();
}

void OrbitDataUpdate::fail(const QString &message)
{
    emit finished(false, message + tr("元のファイルはそのまま使います。"));
}

void OrbitDataUpdate::onFinished()
{
    QNetworkReply *reply = m_reply;
    m_reply.clear();
    reply->deleteLater();
    if (m_tooLarge)
        return fail(tr("ダウンロードしたデータが大きすぎます (%1 バイト超)。").arg(MaxBytes));
    if (reply->error() != QNetworkReply::NoError)
        return fail(tr("軌道要素をダウンロードできません: %1。").arg(reply->errorString()));
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() != 200)
        return fail(tr("サーバーの応答が異常です (HTTP %1)。").arg(status.toInt()));

    const QByteArray data = reply->readAll();
    const OrbitDataCheck check = checkText(data, QDateTime::currentDateTimeUtc());
    if (!check.ok)
        return fail(tr("ダウンロードしたデータは使えません: %1。").arg(check.error));

    QSaveFile file(m_target);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        return fail(tr("軌道要素ファイル %1 を書き込めません: %2。").arg(m_target, file.errorString()));
    emit finished(true,
                  tr("軌道要素を更新しました。") + describeFile(m_target, QDateTime::currentDateTimeUtc()));
}

OrbitDataCheck OrbitDataUpdate::checkText(const QByteArray &text, const QDateTime &nowUtc)
{
    OrbitDataCheck check;
    const orbit::TleParseResult parsed =
        orbit::parseTleText(std::string_view(text.constData(), size_t(text.size())));
    if (!parsed.problems.empty()) {
        const orbit::TleProblem &p = parsed.problems.front();
        check.error = tr("%1 行目: %2").arg(p.line).arg(QString::fromStdString(p.message));
        return check;
    }
    if (parsed.sets.empty()) {
        check.error = tr("軌道要素がありません");
        return check;
    }
    for (const orbit::Tle &set : parsed.sets) {
        const QDateTime epoch = epochUtc(set);
        if (set.epochYear < 1957 || !epoch.isValid() || epoch > nowUtc.addDays(1)) {
            check.error = tr("%1 のエポック %2 がありえない日付です")
                              .arg(QString::fromStdString(set.displayName()),
                                   epoch.toString(QStringLiteral("yyyy-MM-dd hh:mm")));
            return check;
        }
        if (!check.oldestEpoch.isValid() || epoch < check.oldestEpoch)
            check.oldestEpoch = epoch;
        if (!check.newestEpoch.isValid() || epoch > check.newestEpoch)
            check.newestEpoch = epoch;
    }
    check.sets = int(parsed.sets.size());
    check.ok = true;
    return check;
}

int OrbitDataUpdate::ageDays(const QDateTime &epoch, const QDateTime &nowUtc)
{
    return int(std::floor(double(epoch.msecsTo(nowUtc)) / 86400000.0));
}

QString OrbitDataUpdate::describeFile(const QString &path, const QDateTime &nowUtc)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return tr("軌道要素ファイル %1 がありません。").arg(path);
    const OrbitDataCheck check = checkText(file.read(MaxBytes), nowUtc.addYears(100));
    if (check.sets == 0)
        return tr("軌道要素ファイル %1 は使えません: %2。").arg(path, check.error);
    return tr("軌道要素 %1 件、最新のエポック %2 UTC (%3 日前)。")
        .arg(check.sets)
        .arg(check.newestEpoch.toString(QStringLiteral("yyyy-MM-dd hh:mm")))
        .arg(ageDays(check.newestEpoch, nowUtc));
}

} // namespace vm
