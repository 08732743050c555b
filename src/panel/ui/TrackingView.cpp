#include "panel/ui/TrackingView.h"

#include "common/SatelliteTable.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/PanelCore.h"
#include "panel/ui/PanelWindow.h"
#include "panel/ui/TrackingWindow.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>

namespace vm {

namespace {

// The table line of the panel's satellite: the record in use, else the first of that name.
const SatelliteRecord *recordOf(const PanelCore &core, const QString &name)
{
    const SatelliteTable &table = core.table();
    const int current = core.currentRecord();
    if (current >= 2 && current <= table.count() &&
        table.record(current).Name.compare(name, Qt::CaseInsensitive) == 0)
        return &table.record(current);
    for (int n = 2; n <= table.count(); ++n) {
        const SatelliteRecord &r = table.record(n);
        if (r.isUsable() && r.Name.trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return &r;
    }
    return nullptr;
}

} // namespace

TrackingView::TrackingView(PanelWindow &panel, PanelCore &core, Settings &settings, Clock &clock,
                           const QString &dataDir)
    : QObject(&panel), m_core(core), m_settings(settings), m_model(settings, clock, dataDir)
{
    m_window = new TrackingWindow(&panel);
    connect(m_window, &TrackingWindow::closedByOperator, this, [this] {
        saveGeometry();
        m_settings.setValue(keys::TrackViewOpen, QStringLiteral("0"));
    });

    // The place is written once the operator has stopped moving the window.
    auto *placeTimer = new QTimer(this);
    placeTimer->setSingleShot(true);
    placeTimer->setInterval(1000);
    connect(placeTimer, &QTimer::timeout, this, [this] {
        if (m_window && m_window->isVisible())
            saveGeometry();
    });
    connect(m_window, &TrackingWindow::placeChanged, placeTimer, qOverload<>(&QTimer::start));

    m_action = new QAction(tr("衛星の位置(&T)"), this);
    m_action->setObjectName(QStringLiteral("TrackingWindowMenu"));
    m_action->setShortcut(QKeySequence(Qt::Key_F12));
    connect(m_action, &QAction::triggered, this, [this] { setOpen(!m_window->isVisible()); });
    if (QAction *info = panel.menuAction(formName(Control::InfoMenu)); info && info->menu())
        info->menu()->insertAction(info->menu()->actions().value(0), m_action);
    // The key works in both windows.
    panel.addAction(m_action);
    m_window->addAction(m_action);

    // Beside the name and the revolution in the Information frame.
    if (auto *frame = qobject_cast<QGroupBox *>(panel.widget(Control::InfoFrame))) {
        m_info = new QLabel(frame);
        m_info->setObjectName(QStringLiteral("TrackingInfo"));
        // Over the revolution label's unused right part: a revolution number is a few digits.
        m_info->setGeometry(300, 18, 146, 20);
        m_info->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    m_timer = new QTimer(this);
    m_timer->setInterval(TickMs);
    connect(m_timer, &QTimer::timeout, this, &TrackingView::tick);
    m_timer->start();
    if (m_settings.value(keys::TrackViewOpen) == u"1")
        QTimer::singleShot(0, this, [this] { setOpen(true); });
}

TrackingView::~TrackingView()
{
    if (m_window && m_window->isVisible())
        saveGeometry();
}

void TrackingView::setOpen(bool open)
{
    if (!m_window)
        return;
    if (!open) {
        saveGeometry();
        m_window->hide();
        m_settings.setValue(keys::TrackViewOpen, QStringLiteral("0"));
        return;
    }
    if (!m_placed) {
        const QStringList g = m_settings.value(keys::TrackViewGeometry).split(u',');
        bool ok = g.size() == 4;
        int v[4] = {};
        for (int i = 0; ok && i < 4; ++i)
            v[i] = g[i].trimmed().toInt(&ok);
        if (ok && v[2] >= 200 && v[3] >= 150) {
            m_window->resize(v[2], v[3]);
            m_window->move(v[0], v[1]);
        }
        m_placed = true;
    }
    m_window->show();
    m_window->raise();
    tick();
    m_settings.setValue(keys::TrackViewOpen, QStringLiteral("1"));
}

void TrackingView::saveGeometry()
{
    if (!m_window || !m_placed)
        return;
    const QRect r(m_window->pos(), m_window->size());
    const QString text = QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    if (m_settings.value(keys::TrackViewGeometry) != text)
        m_settings.setValue(keys::TrackViewGeometry, text);
}

void TrackingView::tick()
{
    QString name = m_core.satelliteName().trimmed();
    if (name == PanelCore::undefinedSatellite())
        name.clear();
    m_model.setSatellite(name, recordOf(m_core, name));
    const TrackingViewModel::Snapshot &s = m_model.update();
    if (m_info) {
        // Old elements put the Doppler correction off: the panel says so
        // even while the tracking window is closed.
        const QString stale = TrackingViewModel::staleText(s);
        m_info->setText(m_model.infoText());
        m_info->setStyleSheet(stale.isEmpty() ? QString() : QStringLiteral("color: #c00000"));
        m_info->setToolTip(stale.isEmpty() ? tr("仰角と LOS (AOS) までの時間 - F12 で衛星の位置") : stale);
    }
    if (m_window && m_window->isVisible())
        m_window->showSnapshot(s);
}

} // namespace vm
