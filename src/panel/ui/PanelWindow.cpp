#include "panel/ui/PanelWindow.h"

#include "common/Clock.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/Launcher.h"
#include "panel/PanelCore.h"
#include "panel/ui/PassbandScale.h"
#include "panel/ui/SatelliteChooserDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

namespace vm {

namespace {

int modifierBits(Qt::KeyboardModifiers m)
{
    int bits = 0;
    if (m & Qt::ShiftModifier)
        bits |= KeyTable::Shift;
    if (m & Qt::ControlModifier)
        bits |= KeyTable::Ctrl;
    if (m & Qt::AltModifier)
        bits |= KeyTable::Alt;
    return bits;
}

QString colourCss(const ControlState &s)
{
    QString css;
    if (s.backColor >= 0)
        css += QStringLiteral("background-color: #%1;").arg(PanelView::rgb(s.backColor), 6, 16, QChar(u'0'));
    if (s.foreColor >= 0)
        css += QStringLiteral("color: #%1;").arg(PanelView::rgb(s.foreColor), 6, 16, QChar(u'0'));
    return css;
}

// A status-bar panel. The sixteen nominal widths add up to more than the
// window is wide, so a panel asks for its text's width, at least 0.4 and at
// most 2 times its nominal width, and when the bar is full gives way down to
// its nominal width (an empty panel further). A text that does not fit is
// shortened at its start, so that a port path keeps its device name; the
// label's text stays whole.
class StatusPanel final : public QLabel {
public:
    StatusPanel(int nominalWidth, QWidget *parent) : QLabel(parent), m_nominal(nominalWidth) {}

    QSize sizeHint() const override
    {
        return {std::clamp(textWidth(), m_nominal * 2 / 5, 2 * m_nominal), QLabel::sizeHint().height()};
    }
    QSize minimumSizeHint() const override
    {
        return {std::max(std::min(textWidth(), m_nominal), 2 * frameWidth() + 2),
                QLabel::minimumSizeHint().height()};
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        drawFrame(&painter);
        const QRect room = contentsRect().adjusted(2, 0, -2, 0);
        painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(text(), Qt::ElideLeft, room.width()));
    }

private:
    int textWidth() const
    {
        return text().isEmpty() ? 0 : fontMetrics().horizontalAdvance(text()) + 2 * frameWidth() + 6;
    }

    int m_nominal;
};

} // namespace

PanelWindow::PanelWindow(PanelCore &core, Settings &settings, Launcher &launcher, QWidget *parent)
    : QMainWindow(parent), m_core(core), m_settings(settings), m_launcher(launcher)
{
    setObjectName(QStringLiteral("Kepral_RigControl"));
    setWindowTitle(PanelCore::panelTitle());
    build();
    buildMenus();
    buildStatusBar();
    renderAll();
    wire();
    qApp->installEventFilter(this);
}

PanelWindow::~PanelWindow()
{
    qApp->removeEventFilter(this);
}

template <typename W> W *PanelWindow::make(Control control, QWidget *parent, const QRect &geometry)
{
    auto *w = new W(parent);
    w->setGeometry(geometry);
    adopt(control, w);
    return w;
}

void PanelWindow::adopt(Control control, QWidget *w)
{
    w->setObjectName(formName(control));
    m_widgets[indexOf(control)] = w;
    m_controlOf.insert(w, control);
}

QWidget *PanelWindow::control(const QString &formName) const
{
    const std::optional<Control> c = controlNamed(formName);
    return c ? widget(*c) : nullptr;
}

std::optional<Control> PanelWindow::controlOf(const QObject *object) const
{
    const auto it = m_controlOf.constFind(static_cast<const QWidget *>(object));
    if (it == m_controlOf.constEnd())
        return std::nullopt;
    return it.value();
}

void PanelWindow::build()
{
    auto *c = new QWidget(this);
    c->setObjectName(QStringLiteral("centralPanel"));
    setCentralWidget(c);
    c->setFixedSize(760, 400);

    QFont gothic(QStringLiteral("ＭＳ ゴシック"));
    gothic.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("Noto Sans Mono CJK JP"),
                        QStringLiteral("Noto Sans CJK JP")});

    auto *name = make<QLabel>(Control::SatelliteName, c, {10, 4, 210, 32});
    QFont big = name->font();
    big.setPointSize(16);
    big.setBold(true);
    name->setFont(big);
    make<QLabel>(Control::SatelliteModeCaption, c, {225, 4, 40, 14});
    make<QLabel>(Control::SatelliteMode, c, {225, 18, 70, 18});

    auto *info = make<QGroupBox>(Control::InfoFrame, c, {300, 0, 450, 44});
    make<QLabel>(Control::TrackedName, info, {10, 18, 200, 20});
    make<QLabel>(Control::OrbitNumber, info, {220, 18, 120, 20});

    QFont display = gothic;
    display.setPointSize(20);
    make<QLabel>(Control::RxCaption, c, {10, 52, 28, 30});
    make<QLabel>(Control::TxCaption, c, {10, 97, 28, 30});
    for (Control n : {Control::RxFrequency, Control::TxFrequency}) {
        auto *l = make<QLabel>(n, c, {40, n == Control::RxFrequency ? 46 : 91, 260, 40});
        l->setFont(display);
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
    }
    make<QLabel>(Control::RxMode, c, {305, 56, 60, 22})->setFrameShape(QFrame::Box);
    make<QLabel>(Control::TxMode, c, {305, 101, 60, 22})->setFrameShape(QFrame::Box);

    make<QPushButton>(Control::OffsetDownButton, c, {375, 52, 28, 26});
    auto *offset = make<QLabel>(Control::Offset, c, {405, 52, 70, 26});
    offset->setAlignment(Qt::AlignCenter);
    offset->setFrameShape(QFrame::Panel);
    make<QPushButton>(Control::OffsetUpButton, c, {477, 52, 28, 26});
    make<QPushButton>(Control::OffsetResetButton, c, {510, 52, 60, 26});
    make<QPushButton>(Control::HomeButton, c, {575, 52, 80, 26});
    make<QPushButton>(Control::WaterfallButton, c, {660, 52, 50, 26});
    make<QCheckBox>(Control::ModeCompensation, c, {375, 97, 50, 24});
    make<QCheckBox>(Control::Xit, c, {430, 97, 50, 24});
    make<QLabel>(Control::SplitValue, c, {485, 97, 70, 24});
    make<QLabel>(Control::Tone, c, {560, 97, 80, 24});

    const int dopplerX[6] = {10, 105, 200, 295, 0, 390};
    for (int i : controls::DopplerButtonIndices)
        make<QPushButton>(controls::dopplerButton(i), c, {dopplerX[i], 138, 90, 28});
    make<QPushButton>(Control::RecordButton, c, {500, 138, 36, 28});
    make<QPushButton>(Control::PlayButton, c, {540, 138, 36, 28});

    m_scale = new PassbandScale(m_core, c);
    m_scale->setGeometry(10, 172, 740, 40);
    adopt(Control::PassbandScale, m_scale);
    auto *qq = make<QLabel>(Control::QuickQsySide, c, {10, 214, 50, 18});
    qq->setAlignment(Qt::AlignCenter);
    qq->setAutoFillBackground(true);

    auto *qm = make<QGroupBox>(Control::QuickMemoryFrame, c, {10, 236, 360, 48});
    for (int n = 1; n <= 4; ++n)
        make<QLabel>(controls::quickMemoryLabel(n), qm, {10 + (n - 1) * 86, 20, 80, 20});
    auto *qso = make<QGroupBox>(Control::QsoFrame, c, {380, 236, 370, 48});
    auto *call = make<QLineEdit>(Control::CallSign, qso, {10, 18, 136, 24});
    call->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z0-9/]*")), call));
    make<QLineEdit>(Control::Code, qso, {152, 18, 86, 24});
    make<QPushButton>(Control::LogButton, qso, {244, 18, 116, 24});

    auto *cw = make<QGroupBox>(Control::CwMessageFrame, c, {10, 288, 740, 42});
    for (int n = 0; n < 4; ++n)
        make<QLabel>(controls::cwMessage(n), cw, {10 + n * 172, 18, 166, 20})->setFrameShape(QFrame::Box);
    buildSchedule(c);

    // Markers placed next to the displays.
    // Their colour comes from the core with the rest of their state.
    static const struct {
        Control name;
        int width;
    } markers[] = {{Control::RxAboveMarker, 16},  {Control::RxBelowMarker, 16}, {Control::TxAboveMarker, 16},
                   {Control::TxBelowMarker, 16},  {Control::RitMarker, 16},     {Control::XitMarker, 120},
                   {Control::HoverFrequency, 120}};
    for (const auto &m : markers)
        make<QLabel>(m.name, c, {0, 0, m.width, 16});

    // Pop-up frames.
    auto *tx = make<QGroupBox>(Control::TxModeFrame, c, {40, 91, 270, 130});
    for (int i = 0; i < 4; ++i)
        make<QRadioButton>(controls::txModeOption(i), tx, {10 + (i % 2) * 80, 20 + (i / 2) * 22, 78, 20})
            ->setAutoExclusive(false);
    make<QCheckBox>(Control::TxData, tx, {170, 20, 94, 20});
    auto *splitCaption = new QLabel(QStringLiteral("Split Freq"), tx);
    splitCaption->setGeometry(10, 70, 80, 18);
    make<QScrollBar>(Control::XitBar, tx, {10, 92, 150, 18})->setOrientation(Qt::Horizontal);

    auto *rx = make<QGroupBox>(Control::RxModeFrame, c, {40, 46, 300, 150});
    for (int i = 0; i < 4; ++i)
        make<QRadioButton>(controls::rxModeOption(i), rx, {10 + (i % 2) * 80, 20 + (i / 2) * 22, 78, 20})
            ->setAutoExclusive(false);
    make<QCheckBox>(Control::RxData, rx, {10, 66, 60, 20});
    auto *filter = make<QGroupBox>(Control::FilterFrame, rx, {170, 14, 120, 90});
    for (int i = 0; i < 4; ++i)
        make<QRadioButton>(controls::filterOption(i), filter, {8, 18 + (i - 1) * 22, 100, 20})
            ->setAutoExclusive(false);
    auto *nbnr = make<QGroupBox>(Control::NbNrFrame, rx, {170, 104, 120, 42});
    make<QCheckBox>(Control::NoiseBlanker, nbnr, {6, 18, 55, 20});
    make<QCheckBox>(Control::NoiseReduction, nbnr, {62, 18, 55, 20});

    auto *modes = make<QGroupBox>(Control::ModeListFrame, c, {225, 36, 150, 100});
    make<QListWidget>(Control::ModeList, modes, {6, 18, 138, 76});
    make<QListWidget>(Control::ModeRecordList, modes, {0, 0, 1, 1});
    make<QListWidget>(Control::RecentCalls, c, {0, 0, 1, 1});
    auto *data = make<QGroupBox>(Control::SatelliteDataFrame, c, {10, 36, 360, 110});
    auto *dataText = make<QPlainTextEdit>(Control::SatelliteData, data, {6, 18, 348, 86});
    dataText->setReadOnly(true);
    dataText->setFont(gothic);
    auto *home = make<QGroupBox>(Control::HomeFrame, c, {380, 82, 300, 80});
    auto *homeText = make<QLineEdit>(Control::HomeEntry, home, {8, 20, 100, 24});
    homeText->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), homeText));
    for (int i = 0; i < 3; ++i)
        make<QRadioButton>(controls::homeOption(i), home, {112, 16 + i * 20, 184, 20});
    auto *speed = make<QGroupBox>(Control::CwSpeedFrame, c, {305, 124, 200, 50});
    make<QScrollBar>(Control::CwSpeedBar, speed, {6, 22, 100, 18})->setOrientation(Qt::Horizontal);
    (new QLabel(QStringLiteral("wpm"), speed))->setGeometry(110, 22, 30, 18);
    make<QPushButton>(Control::CwSpeedCloseButton, speed, {144, 18, 50, 24});
    auto *rit = make<QGroupBox>(Control::RitFrame, c, {305, 80, 260, 60});
    make<QScrollBar>(Control::RitBar, rit, {6, 22, 110, 18})->setOrientation(Qt::Horizontal);
    make<QLabel>(Control::RitValue, rit, {120, 22, 40, 18})->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    (new QLabel(QStringLiteral("KHz"), rit))->setGeometry(162, 22, 28, 18);
    make<QPushButton>(Control::RitSetButton, rit, {192, 10, 60, 22});
    make<QPushButton>(Control::RitResetButton, rit, {192, 34, 60, 22});
    auto *msg = make<QGroupBox>(Control::MessageFrame, c, {200, 150, 360, 80});
    (new QPushButton(tr("了解"), msg))->setGeometry(280, 48, 70, 26);
    make<QLabel>(Control::NoticeText, msg, {8, 18, 268, 56})->setWordWrap(true);
    auto *beacons = make<QGroupBox>(Control::BeaconFrame, c, {390, 166, 220, 100});
    make<QListWidget>(Control::BeaconList, beacons, {6, 18, 208, 76});
    auto *cwEdit = make<QGroupBox>(Control::CwEditFrame, c, {10, 240, 740, 50});
    make<QLineEdit>(Control::CwMessageEdit, cwEdit, {6, 20, 440, 24});
    buildCwAndLog(widget(Control::CwMessageFrame), cwEdit);
    auto *codes = make<QGroupBox>(Control::CodeListFrame, c, {550, 150, 200, 100});
    make<QListWidget>(Control::CodeList, codes, {6, 18, 188, 76});

    for (const auto &m : markers)
        widget(m.name)->raise();
    for (QWidget *w :
         {static_cast<QWidget *>(tx), static_cast<QWidget *>(rx), static_cast<QWidget *>(modes),
          static_cast<QWidget *>(data), static_cast<QWidget *>(home), static_cast<QWidget *>(speed),
          static_cast<QWidget *>(rit), static_cast<QWidget *>(msg), static_cast<QWidget *>(beacons),
          static_cast<QWidget *>(cwEdit), static_cast<QWidget *>(codes)}) {
        w->setAutoFillBackground(true);
        w->raise();
    }
}

void PanelWindow::buildMenus()
{
    auto add = [this](QMenu *menu, const QString &name, const QString &text) {
        QAction *a = menu ? menu->addAction(text) : menuBar()->addAction(text);
        a->setObjectName(name);
        if (!name.isEmpty())
            m_actions.insert(name, a);
        return a;
    };
    // A menu entry the core's view holds state for.
    auto addControl = [add](QMenu *menu, Control control) { return add(menu, formName(control), QString()); };
    QMenu *settings = menuBar()->addMenu(tr("設定(&M)"));
    settings->setObjectName(QStringLiteral("menuSettings"));
    connect(addControl(settings, Control::ControllerSettingsMenu), &QAction::triggered, &m_core,
            &PanelCore::openControllerSettings);
    addControl(settings, Control::Ft4Menu);
    addControl(settings, Control::MmvariMenu);
    addControl(settings, Control::ScheduleMenu);
    add(settings, QStringLiteral("goWF"), QStringLiteral("&WaterFall"))->setEnabled(false);
    add(settings, QStringLiteral("EmgLog"), tr("&Emgﾛｸﾞ"))->setEnabled(false);
    connect(add(settings, QStringLiteral("QuickQSY"), tr("ＱuickQSY(&Y)")), &QAction::triggered, &m_core,
            &PanelCore::toggleQuickQsySide);
    const QStringList modeNames{QStringLiteral("CW"), QStringLiteral("USB"), QStringLiteral("LSB"),
                                QStringLiteral("FM")};
    QMenu *mainMode = settings->addMenu(QStringLiteral("Main-Mode"));
    QMenu *subMode = settings->addMenu(QStringLiteral("Sub-Mode"));
    for (int i = 0; i < 4; ++i) {
        connect(add(mainMode, QStringLiteral("MainMode_%1").arg(i), modeNames.at(i)), &QAction::triggered,
                this, [this, i] { m_core.rxModeOption(i); });
        connect(add(subMode, QStringLiteral("SubMode_%1").arg(i), modeNames.at(i)), &QAction::triggered, this,
                [this, i] { m_core.txModeOption(i); });
    }
    QAction *quit = menuBar()->addAction(tr("終了(&Q)"));
    quit->setObjectName(QStringLiteral("EndApp"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    QMenu *infoMenu = menuBar()->addMenu(QStringLiteral("&Infor"));
    infoMenu->setObjectName(formName(Control::InfoMenu));
    m_actions.insert(formName(Control::InfoMenu), infoMenu->menuAction());
    add(infoMenu, QStringLiteral("Help"), QStringLiteral("Help"))->setEnabled(false);
    add(infoMenu, QStringLiteral("Version"), tr("バージョン"))->setEnabled(false);
    connect(addControl(infoMenu, Control::ActiveSatellitesMenu), &QAction::triggered, this,
            [this] { m_launcher.openUrl(m_settings.value(keys::ActiveSatellitesUrl)); });
    connect(addControl(infoMenu, Control::SatelliteStatusMenu), &QAction::triggered, this,
            [this] { m_launcher.openUrl(m_settings.value(keys::SatellitesUrl)); });
    add(infoMenu, QStringLiteral("TLEref"), tr("TLE 参照(AMSAT daily.all)"))->setEnabled(false);
    QAction *mac = add(nullptr, formName(Control::MacroMenu), QStringLiteral("MAC"));
    connect(mac, &QAction::triggered, &m_core, &PanelCore::toggleTrackerMacro);
    buildScheduleMenu();
}

void PanelWindow::buildStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    for (int p = 1; p <= 16; ++p) {
        static const int widths[17] = {0, 40, 60, 110, 64, 70, 4, 60, 110, 64, 70, 90, 4, 24, 40, 24, 80};
        auto *l = new StatusPanel(widths[p], statusBar());
        adopt(controls::statusPanel(p), l);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(l);
    }
}

void PanelWindow::render(Control name)
{
    const ControlState &s = m_core.view()[name];
    if (QAction *a = m_actions.value(formName(name))) {
        if (!s.text.isEmpty())
            a->setText(s.text);
        a->setVisible(s.visible);
        a->setEnabled(s.enabled);
        if (a->isCheckable())
            a->setChecked(s.checked);
        return;
    }
    QWidget *w = widget(name);
    // The scale paints itself from the view.
    if (!w || w == m_scale)
        return;
    m_applying = true;
    if (auto *l = qobject_cast<QLabel *>(w)) {
        l->setText(s.text);
        if (name == Control::RxFrequency || name == Control::TxFrequency)
            l->setAlignment(s.alignRight ? (Qt::AlignRight | Qt::AlignVCenter) : Qt::AlignCenter);
    } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        b->setText(s.text);
        if (b->isCheckable())
            b->setChecked(s.checked);
    } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
        g->setTitle(s.text);
    } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
        if (e->text() != s.text)
            e->setText(s.text);
    } else if (auto *t = qobject_cast<QPlainTextEdit *>(w)) {
        if (t->toPlainText() != s.text)
            t->setPlainText(s.text);
    } else if (auto *sb = qobject_cast<QScrollBar *>(w)) {
        if (s.maximum > s.minimum)
            sb->setRange(s.minimum, s.maximum);
        sb->setValue(int(s.value));
    } else if (auto *list = qobject_cast<QListWidget *>(w)) {
        QStringList now;
        for (int i = 0; i < list->count(); ++i)
            now.append(list->item(i)->text());
        if (now != s.items) {
            list->clear();
            list->addItems(s.items);
        }
        list->setCurrentRow(s.currentRow);
    }
    w->setToolTip(s.toolTip);
    w->setEnabled(s.enabled);
    if (!controls::statusPanelNumber(name) && name != Control::ModeRecordList && name != Control::RecentCalls)
        w->setVisible(s.visible);
    w->setStyleSheet(colourCss(s));
    if (!s.fontName.isEmpty() || s.fontSize > 0) {
        QFont f = w->font();
        if (!s.fontName.isEmpty())
            f.setFamilies({s.fontName, QStringLiteral("Noto Sans CJK JP")});
        if (s.fontSize > 0)
            f.setPointSize(s.fontSize);
        else if (name == Control::RxFrequency || name == Control::TxFrequency)
            f.setPointSize(20);
        w->setFont(f);
    }
    if (!s.anchor.isEmpty()) {
        if (QWidget *anchor = control(s.anchor)) {
            // Markers sit 60 twips below and 30 twips right of the anchor's corner.
            w->move(anchor->mapTo(w->parentWidget(), QPoint(2, 4)));
            w->raise();
        }
    }
    if (name == Control::ModeRecordList || name == Control::RecentCalls)
        w->hide();
    m_applying = false;
}

void PanelWindow::renderAll()
{
    // In the order of the form names, which the stacking of the raised markers follows.
    for (const QString &name : m_core.view().names())
        render(*controlNamed(name));
}

void PanelWindow::focusControl(const QString &name)
{
    if (name.isEmpty()) {
        activateWindow();
        setFocus();
        return;
    }
    if (QWidget *w = control(name))
        w->setFocus();
}

void PanelWindow::raiseGroup(bool activate)
{
    for (const QString &title : PanelCore::windowGroup()) {
        if (title == PanelCore::panelTitle()) {
            // The hot key brings the panel back from anywhere; an activation
            // only keeps it above the tracking program's window.
            if (activate) {
                showNormal();
                raise();
                activateWindow();
            } else {
                raise();
            }
        } else if (m_raiser) {
            m_raiser(title);
        }
    }
}

void PanelWindow::changeEvent(QEvent *event)
{
    // The nearest a desktop gives to a click on the title bar: the panel
    // becoming the active window brings its companions up with it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible() && !isMinimized() &&
        !m_closingAccepted) {
        m_core.activated();
        raiseGroup(false);
    }
    QMainWindow::changeEvent(event);
}

void PanelWindow::wire()
{
    connect(&m_core.view(), &PanelView::controlChanged, this, &PanelWindow::render);
    connect(&m_core, &PanelCore::focusRequested, this, &PanelWindow::focusControl);
    connect(&m_core, &PanelCore::raiseRequested, this, &PanelWindow::raiseGroup);
    connect(&m_core, &PanelCore::unloadRequested, this, &QWidget::close, Qt::QueuedConnection);
    connect(
        &m_core, &PanelCore::quitRequested, qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    connect(&m_core, &PanelCore::satelliteChooserRequested, this, &PanelWindow::chooserRequested);
    connect(
        this, &PanelWindow::chooserRequested, this,
        [this] {
            const auto choice = SatelliteChooserDialog::choose(m_core.table(), m_settings, m_core.dataDir(),
                                                               m_core.clock().utcMs(), this);
            if (choice)
                m_core.chooseTrackedSatellite(*choice);
        },
        Qt::QueuedConnection);
    connect(&m_core, &PanelCore::windowPositionLoaded, this,
            [this](int top, int left) { move(left / 15, top / 15); });
    connect(&m_core, &PanelCore::editRequested, this, [](PanelCore::Edit edit) {
        auto *e = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        if (!e)
            return;
        if (edit == PanelCore::Edit::Copy) {
            QApplication::clipboard()->setText(e->selectedText());
        } else if (e->hasSelectedText()) {
            e->del(); // without a selection nothing is deleted
        }
    });
    connect(&m_core, &PanelCore::screenshotRequested, this, [](const QString &path) {
        const QImage image = QApplication::clipboard()->image();
        if (!image.isNull() && image.save(path, "BMP"))
            QApplication::clipboard()->clear();
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        const QMimeData *data = QApplication::clipboard()->mimeData();
        m_core.setClipboardHasImage(data && data->hasImage());
    });

    m_repeatTimer = new QTimer(this);
    m_repeatTimer->setInterval(50);
    connect(m_repeatTimer, &QTimer::timeout, &m_core, &PanelCore::poll);
    m_repeatTimer->start();

    for (int i : controls::DopplerButtonIndices) {
        auto *b = static_cast<QPushButton *>(widget(controls::dopplerButton(i)));
        connect(b, &QPushButton::clicked, this, [this, i] { m_core.dopplerButton(i); });
    }
    auto button = [this](Control name) { return static_cast<QPushButton *>(widget(name)); };
    connect(button(Control::HomeButton), &QPushButton::clicked, &m_core, &PanelCore::homeRecall);
    connect(button(Control::OffsetResetButton), &QPushButton::clicked, &m_core, &PanelCore::resetOffset);
    connect(button(Control::WaterfallButton), &QPushButton::clicked, &m_core, &PanelCore::waterfallButton);
    connect(button(Control::RitSetButton), &QPushButton::clicked, &m_core, &PanelCore::ritSet);
    connect(button(Control::RitResetButton), &QPushButton::clicked, &m_core, &PanelCore::ritReset);
    connect(button(Control::RecordButton), &QPushButton::clicked, &m_core, &PanelCore::recordButton);
    connect(button(Control::PlayButton), &QPushButton::clicked, &m_core, &PanelCore::playButton);
    connect(button(Control::CwSpeedCloseButton), &QPushButton::clicked, &m_core,
            &PanelCore::closeCwSpeedPopup);

    auto check = [this](Control name) { return static_cast<QCheckBox *>(widget(name)); };
    connect(check(Control::ModeCompensation), &QCheckBox::clicked, this,
            [this](bool on) { m_core.setModeCompensation(on, false); });
    connect(check(Control::Xit), &QCheckBox::clicked, &m_core, &PanelCore::setXit);
    connect(check(Control::NoiseBlanker), &QCheckBox::clicked, &m_core, &PanelCore::toggleNb);
    connect(check(Control::NoiseReduction), &QCheckBox::clicked, &m_core, &PanelCore::toggleNr);
    for (Control name : {Control::TxData, Control::RxData}) {
        connect(check(name), &QCheckBox::clicked, this,
                [this, name](bool on) { m_core.view().setChecked(name, on); });
    }
    for (int i = 0; i < 4; ++i) {
        connect(static_cast<QRadioButton *>(widget(controls::txModeOption(i))), &QRadioButton::clicked, this,
                [this, i] { m_core.txModeOption(i); });
        connect(static_cast<QRadioButton *>(widget(controls::rxModeOption(i))), &QRadioButton::clicked, this,
                [this, i] { m_core.rxModeOption(i); });
        connect(static_cast<QRadioButton *>(widget(controls::filterOption(i))), &QRadioButton::clicked, this,
                [this, i] { m_core.filterOption(i); });
    }
    for (int i = 0; i < 3; ++i) {
        connect(static_cast<QRadioButton *>(widget(controls::homeOption(i))), &QRadioButton::clicked, this,
                [this, i] {
                    for (int j = 0; j < 3; ++j)
                        m_core.view().setChecked(controls::homeOption(j), j == i);
                });
    }
    auto bar = [this](Control name) { return static_cast<QScrollBar *>(widget(name)); };
    // A scroll bar's keys and wheel run backwards by default (Qt inverts
    // them for scrolling content); these bars set values, so Right and Up raise.
    for (Control name : {Control::RitBar, Control::CwSpeedBar, Control::XitBar})
        bar(name)->setInvertedControls(false);
    bar(Control::RitBar)->setSingleStep(100);
    bar(Control::RitBar)->setPageStep(100);
    bar(Control::XitBar)->setSingleStep(100);
    bar(Control::XitBar)->setPageStep(100);
    connect(bar(Control::RitBar), &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_applying)
            m_core.setRit(v);
    });
    connect(bar(Control::CwSpeedBar), &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_applying)
            m_core.setCwSpeed(v);
    });
    connect(bar(Control::XitBar), &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_applying)
            m_core.setSplit(v / 100 * 100);
    });
    auto list = [this](Control name) { return static_cast<QListWidget *>(widget(name)); };
    connect(list(Control::ModeList), &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { m_core.chooseMode(item->listWidget()->row(item)); });
    connect(list(Control::ModeList), &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_core.chooseMode(item->listWidget()->row(item)); });
    connect(list(Control::BeaconList), &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_core.chooseBeacon(item->listWidget()->row(item)); });

    wireCwAndLog();
    wireSchedule();
    wireCompanions();
    auto *call = static_cast<QLineEdit *>(widget(Control::CallSign));
    connect(call, &QLineEdit::textEdited, this, [this, call](const QString &text) {
        const int pos = call->cursorPosition();
        const QString upper = text.toUpper();
        if (upper != text) {
            call->setText(upper);
            call->setCursorPosition(pos);
        }
        m_core.setEditText(Control::CallSign, upper);
    });
    connect(call, &QLineEdit::returnPressed, this, [this] {
        m_core.addRecentCall();
        widget(Control::Code)->setFocus();
    });
    auto *code = static_cast<QLineEdit *>(widget(Control::Code));
    connect(code, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_core.setEditText(Control::Code, text); });
    auto *home = static_cast<QLineEdit *>(widget(Control::HomeEntry));
    connect(home, &QLineEdit::returnPressed, this, [this, home] {
        int option = 0;
        for (int i = 0; i < 3; ++i)
            if (m_core.view()[controls::homeOption(i)].checked)
                option = i;
        m_core.storeHomeFrequency(home->text(), option);
    });
}

bool PanelWindow::previewKey(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    QWidget *focus = QApplication::focusWidget();
    if (watched != (focus ? focus : this))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    // The home entry keeps its own Enter and Escape.
    if (focus && focus == this->widget(Control::HomeEntry)) {
        if (key->key() == Qt::Key_Escape) {
            if (event->type() == QEvent::KeyPress)
                m_core.closeHomeEntry();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return false;
    }
    const int mods = modifierBits(key->modifiers());
    if (event->type() == QEvent::ShortcutOverride) {
        // Keys of the key table win over access keys of buttons and menus.
        if (m_core.takesKey(key->key(), mods))
            event->accept();
        return false;
    }
    if (m_core.handleKey(key->key(), mods))
        return true;
    if (focus && focus == this->widget(Control::Code) && key->key() == Qt::Key_Up && mods == 0)
        return m_core.lookupCode(), true;
    const bool callBox = focus && focus == this->widget(Control::CallSign);
    if (callBox && key->key() == Qt::Key_Down && mods == 0)
        m_core.addRecentCall();
    else if (callBox || (focus && focus == this->widget(Control::CwMessageEdit)))
        overwriteTyping(static_cast<QLineEdit *>(focus), key->text(), !callBox);
    return false;
}

bool PanelWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        return previewKey(watched, event);
    case QEvent::Wheel: {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != this || !widget->isWidgetType())
            return false;
        const std::optional<Control> name = controlOf(widget);
        PanelCore::Hover hover = PanelCore::Hover::None;
        if (name == Control::Offset)
            hover = PanelCore::Hover::Offset;
        else if (name == Control::TxMode && m_core.view()[Control::TxMode].text == u"CW")
            hover = PanelCore::Hover::CwSpeed;
        if (hover == PanelCore::Hover::None)
            return false;
        m_core.setHover(hover);
        m_core.wheel(static_cast<QWheelEvent *>(event)->angleDelta().y() > 0 ? 1 : -1);
        m_core.setHover(PanelCore::Hover::None);
        return true;
    }
    default:
        break;
    }
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    const std::optional<Control> control = controlOf(widget);
    if (!control)
        return false;
    const Control name = *control;
    if (event->type() == QEvent::MouseButtonPress &&
        (name == Control::OffsetDownButton || name == Control::OffsetUpButton)) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (widget->isEnabled())
            m_core.offsetButtonPress(name == Control::OffsetUpButton ? 1 : -1,
                                     mouse->button() == Qt::RightButton);
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const bool right = mouse->button() == Qt::RightButton;
        if (name == Control::OffsetDownButton || name == Control::OffsetUpButton) {
            m_core.offsetButtonRelease();
            return false;
        }
        if (const std::optional<int> index = controls::dopplerIndex(name)) {
            m_core.dopplerButtonRelease(*index, right, modifierBits(mouse->modifiers()));
            return false;
        }
        if (cwMessageClick(name, mouse->button()))
            return true;
        if (name == Control::HomeButton && right) {
            m_core.openHomeEntry();
            return true;
        }
        if (name == Control::SatelliteName)
            m_core.clickSatelliteName();
        else if (name == Control::TrackedName)
            m_core.clickTrackedName();
        else if (name == Control::SatelliteMode)
            m_core.clickModeLabel();
        else if (name == Control::RxMode)
            m_core.clickRxModeLabel(right);
        else if (name == Control::TxMode)
            m_core.clickTxModeLabel(right);
        else if (name == Control::QuickQsySide)
            m_core.toggleQuickQsySide();
        else if (const std::optional<int> slot = controls::quickMemorySlot(name); slot && right)
            m_core.pickQuickMemory(*slot);
        else if (const std::optional<int> panel = controls::statusPanelNumber(name))
            m_core.statusBarClick(*panel, false);
        return false;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (const std::optional<int> slot = controls::quickMemorySlot(name))
            m_core.recallQuickMemory(*slot);
        else if (name == Control::CwMessageEdit)
            m_core.typeCwMessage(QString()); // a double click empties the CW editor
        else if (const std::optional<int> panel = controls::statusPanelNumber(name))
            m_core.statusBarClick(*panel, true);
    }
    return false;
}

void PanelWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    // Positions are kept in twips (15 to a pixel at 96 dots per inch).
    const QPoint p = frameGeometry().topLeft();
    m_core.setWindowPosition(p.y() * 15, p.x() * 15);
}

void PanelWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closingAccepted) {
        if (!m_core.requestClose()) {
            event->ignore();
            return;
        }
        m_closingAccepted = true;
    }
    if (!m_core.unload()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace vm
