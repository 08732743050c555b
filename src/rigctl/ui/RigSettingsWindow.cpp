// The settings form's frame: its sections (built in RigSettingsRigs.cpp,
// RigSettingsTracking.cpp and RigSettingsOthers.cpp), the status bar and the
// window's events.

#include "rigctl/ui/RigSettingsWindow.h"

#include "rigctl/Controller.h"
#include "rigctl/ui/EditorButtons.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMoveEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

static_assert(
    [] {
        for (std::size_t i = 0; i < RigSettingsWindow::Parts.size(); ++i)
            if (std::size_t(RigSettingsWindow::Parts[i].part) != i)
                return false;
        return true;
    }(),
    "RigSettingsWindow::Parts lists every part once, in the enum's order");

RigSettingsWindow::RigSettingsWindow(Controller &controller, QWidget *parent)
    : QWidget(parent), m_controller(controller), m_summary(new QLabel(this)), m_status(new QLabel(this)),
      m_end(new QPushButton(this)), m_inputMode(new QLabel(this))
{
    setObjectName(formName(Part::Window));
    setWindowTitle(Controller::OwnTitle);
    m_summary->setObjectName(formName(Part::RigSummary));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->setObjectName(formName(Part::TrackingNote));
    m_end->setObjectName(formName(Part::EndButton));
    m_end->setText(tr("終了"));
    m_inputMode->setObjectName(formName(Part::InputMode));
    m_inputMode->setText(tr("上書き"));
    m_inputMode->setFrameShape(QFrame::Panel);
    m_inputMode->installEventFilter(this);
    m_inputMode->setToolTip(tr("クリックまたは Insert キーで上書きと挿入を切替"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildRigs());
    layout->addWidget(buildTracking());
    layout->addWidget(buildOthers());
    layout->addLayout(buildButtons());
    layout->addWidget(new EditorButtons(m_controller, this));
    layout->addWidget(m_summary);
    layout->addWidget(m_end, 0, Qt::AlignRight);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(m_inputMode);
    statusRow->addWidget(m_status, 1);
    layout->addLayout(statusRow);
    connect(m_end, &QPushButton::clicked, this, [this] { m_controller.closeSettingsWindow(); });
    refresh();
}

RigSettingsWindow::~RigSettingsWindow() = default;

void RigSettingsWindow::refresh()
{
    m_filling = true;
    refreshRigs();
    refreshTracking();
    refreshOthers();
    m_summary->setText(m_controller.rigSummary().join(QLatin1Char('\n')));
    m_status->setText(m_controller.trackingNote());
    m_filling = false;
}

void RigSettingsWindow::toggleInputMode()
{
    m_inputMode->setText(m_inputMode->text() == tr("上書き") ? tr("挿入") : tr("上書き"));
}

void RigSettingsWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Insert) {
        toggleInputMode();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool RigSettingsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == m_inputMode || watched == m_modeOffsetLabel)) {
        if (watched == m_inputMode)
            toggleInputMode();
        else
            stepModeOffset();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void RigSettingsWindow::showEvent(QShowEvent *event)
{
    // The ports are looked at when the form opens, not while the controller
    // drives the rigs: probing a port can toggle its control lines.
    const ControllerSettings &s = m_controller.settings();
    fillPorts(m_rig1.port, s.rigs.rig1.port);
    fillPorts(m_rig2.port, s.rigs.rig2.port);
    refresh();
    QWidget::showEvent(event);
}

void RigSettingsWindow::moveEvent(QMoveEvent *event)
{
    // Twips of the form's position, 15 to a pixel.
    m_controller.setWindowPosition(double(y()) * 15.0, double(x()) * 15.0);
    QWidget::moveEvent(event);
}

void RigSettingsWindow::closeEvent(QCloseEvent *event)
{
    // The close box saves and hides; the process keeps running.
    event->ignore();
    m_controller.closeRequestedFromOutside();
}

} // namespace vm
