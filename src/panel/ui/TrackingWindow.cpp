#include "panel/ui/TrackingWindow.h"

#include "panel/ui/PolarPlot.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace vm {

namespace {

QString utcAndLocal(qint64 ms)
{
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    return QStringLiteral("%1 UTC  (%2)")
        .arg(t.toString(QStringLiteral("HH:mm:ss")), t.toLocalTime().toString(QStringLiteral("HH:mm:ss t")));
}

QString latLon(double lat, double lon)
{
    return QStringLiteral("%1°%2  %3°%4")
        .arg(std::abs(lat), 0, 'f', 2)
        .arg(QChar(lat < 0 ? u'S' : u'N'))
        .arg(std::abs(lon), 0, 'f', 2)
        .arg(QChar(lon < 0 ? u'W' : u'E'));
}

QString shift(double hz, double centreHz)
{
    if (centreHz <= 0)
        return QStringLiteral("-");
    return QStringLiteral("%1 kHz  (%2 MHz)").arg(hz / 1000, 0, 'f', 2).arg(centreHz / 1e6, 0, 'f', 3);
}

} // namespace

TrackingWindow::TrackingWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TrackingWindow"));
    setWindowTitle(tr("衛星の位置"));
    auto *top = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    top->addLayout(left, 2);
    m_plot = new PolarPlot(this);
    top->addWidget(m_plot, 3);

    QFont bold = font();
    bold.setBold(true);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setWordWrap(true);
    m_message->setFont(bold);
    left->addWidget(m_message);
    m_stale = new QLabel(this);
    m_stale->setObjectName(QStringLiteral("staleWarning"));
    m_stale->setWordWrap(true);
    m_stale->setStyleSheet(QStringLiteral("background-color: #ffd800; color: black; padding: 4px;"));
    m_stale->setFont(bold);
    left->addWidget(m_stale);

    m_details = new QWidget(this);
    auto *details = new QVBoxLayout(m_details);
    details->setContentsMargins(0, 0, 0, 0);
    left->addWidget(m_details, 1);
    struct Row {
        const char *name;
        QString caption;
    };
    auto group = [&](const QString &title, std::initializer_list<Row> rows) {
        auto *box = new QGroupBox(title, m_details);
        auto *form = new QFormLayout(box);
        for (const Row &r : rows) {
            auto *l = new QLabel(box);
            l->setObjectName(QString::fromLatin1(r.name));
            l->setFont(bold);
            l->setTextInteractionFlags(Qt::TextSelectableByMouse);
            form->addRow(r.caption, l);
        }
        details->addWidget(box);
    };
    group(tr("現在"), {{"azimuth", tr("方位角")},
                       {"elevation", tr("仰角")},
                       {"range", tr("距離")},
                       {"rangeRate", tr("距離変化率")},
                       {"downlinkShift", tr("ドップラー (ダウンリンク)")},
                       {"uplinkShift", tr("ドップラー (アップリンク)")},
                       {"subPoint", tr("直下点")},
                       {"footprint", tr("フットプリント半径")}});
    group(tr("このパス"), {{"aos", tr("AOS")},
                           {"tca", tr("TCA")},
                           {"los", tr("LOS")},
                           {"maxElevation", tr("最大仰角")},
                           {"countdown", tr("残り時間")}});
    m_passes = new QTreeWidget(m_details);
    m_passes->setObjectName(QStringLiteral("nextPasses"));
    m_passes->setRootIsDecorated(false);
    m_passes->setHeaderLabels({tr("AOS (現地時刻)"), tr("最大仰角"), tr("時間")});
    m_passes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto *passBox = new QGroupBox(tr("24時間以内のパス"), m_details);
    (new QVBoxLayout(passBox))->addWidget(m_passes);
    details->addWidget(passBox, 1);
    resize(820, 560);
}

QLabel *TrackingWindow::value(const char *name) const
{
    return findChild<QLabel *>(QString::fromLatin1(name));
}

void TrackingWindow::setValue(const char *name, const QString &text)
{
    if (QLabel *l = value(name); l && l->text() != text)
        l->setText(text);
}

QString TrackingWindow::valueText(const QString &name) const
{
    const QLabel *l = findChild<QLabel *>(name);
    return l ? l->text() : QString();
}

void TrackingWindow::showSnapshot(const TrackingViewModel::Snapshot &s)
{
    const bool ok = s.status == TrackingViewModel::Status::Ok;
    setWindowTitle(s.satellite.isEmpty() ? tr("衛星の位置") : tr("衛星の位置 - %1").arg(s.satellite));
    m_message->setText(s.message);
    m_message->setVisible(!ok);
    const QString stale = TrackingViewModel::staleText(s);
    m_stale->setVisible(!stale.isEmpty());
    m_stale->setText(stale);
    m_details->setVisible(ok);
    m_plot->setSnapshot(&s);
    if (!ok)
        return;

    const orbit::LookAngles &a = s.look;
    setValue("azimuth", QStringLiteral("%1°").arg(a.azimuthDeg, 0, 'f', 1));
    setValue("elevation", QStringLiteral("%1°").arg(a.elevationDeg, 0, 'f', 1));
    setValue("range", QStringLiteral("%1 km").arg(a.rangeKm, 0, 'f', 0));
    setValue("rangeRate", QStringLiteral("%1 km/s").arg(a.rangeRateMs / 1000, 0, 'f', 3));
    setValue("downlinkShift", shift(s.downlinkShiftHz, s.downlinkHz));
    setValue("uplinkShift", shift(s.uplinkShiftHz, s.uplinkHz));
    setValue("subPoint", latLon(a.subSatellite.latitudeDeg, a.subSatellite.longitudeDeg));
    setValue("footprint", QStringLiteral("%1 km").arg(s.footprintKm, 0, 'f', 0));
    if (s.pass) {
        setValue("aos", utcAndLocal(s.pass->aosMs));
        setValue("tca", utcAndLocal(s.pass->maxMs));
        setValue("los", utcAndLocal(s.pass->losMs));
        setValue("maxElevation", QStringLiteral("%1°").arg(s.pass->maxElevationDeg, 0, 'f', 1));
        setValue(
            "countdown",
            (s.up ? tr("LOSまで %1") : tr("AOSまで %1")).arg(TrackingViewModel::durationText(s.countdownMs)));
    } else {
        for (const char *n : {"aos", "tca", "los", "maxElevation"})
            setValue(n, QStringLiteral("-"));
        setValue("countdown", tr("24時間以内にパスはありません"));
    }

    QList<QStringList> rows;
    for (const orbit::Pass &p : s.passes)
        rows << QStringList{QDateTime::fromMSecsSinceEpoch(p.aosMs, Qt::UTC)
                                .toLocalTime()
                                .toString(QStringLiteral("MM-dd HH:mm:ss")),
                            QStringLiteral("%1°").arg(p.maxElevationDeg, 0, 'f', 1),
                            TrackingViewModel::durationText(p.losMs - p.aosMs)};
    bool same = m_passes->topLevelItemCount() == rows.size();
    for (int i = 0; same && i < rows.size(); ++i)
        same = m_passes->topLevelItem(i)->text(0) == rows[i][0] &&
               m_passes->topLevelItem(i)->text(1) == rows[i][1];
    if (!same) {
        m_passes->clear();
        for (const QStringList &r : rows)
            m_passes->addTopLevelItem(new QTreeWidgetItem(r));
    }
}

void TrackingWindow::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous())
        emit closedByOperator();
    QWidget::closeEvent(event);
}

void TrackingWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    emit placeChanged();
}

void TrackingWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit placeChanged();
}

} // namespace vm
