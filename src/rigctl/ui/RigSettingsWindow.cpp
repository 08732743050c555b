#include "rigctl/ui/RigSettingsWindow.h"

#include "rigctl/Controller.h"

#include <QCloseEvent>
#include <QLabel>
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
      m_end(new QPushButton(this))
{
    setObjectName(formName(Part::Window));
    setWindowTitle(Controller::OwnTitle);
    m_summary->setObjectName(formName(Part::RigSummary));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->setObjectName(formName(Part::TrackingNote));
    m_end->setObjectName(formName(Part::EndButton));
    m_end->setText(tr("終了"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_end, 0, Qt::AlignRight);
    layout->addWidget(m_status);
    connect(m_end, &QPushButton::clicked, this, [this] { m_controller.closeSettingsWindow(); });
    refresh();
}

void RigSettingsWindow::refresh()
{
    m_summary->setText(m_controller.rigSummary().join(QLatin1Char('\n')));
    m_status->setText(m_controller.trackingNote());
}

void RigSettingsWindow::showEvent(QShowEvent *event)
{
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
