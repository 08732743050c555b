// The schedule frame of the panel window, its notice check boxes and the
// menu item naming the next pass.
#include "panel/PanelCore.h"
#include "panel/ui/PanelWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

namespace vm {

namespace {

// Typing in the line editor replaces the character under the cursor.
class OverwriteTyping final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *edit = static_cast<QLineEdit *>(watched);
            const QString text = static_cast<QKeyEvent *>(event)->text();
            if (!text.isEmpty() && text.at(0).isPrint() && !edit->hasSelectedText() &&
                edit->cursorPosition() < edit->text().size())
                edit->setSelection(edit->cursorPosition(), 1);
        }
        return false;
    }
};

} // namespace

void PanelWindow::buildSchedule(QWidget *central)
{
    const auto put = [this](Control control, auto *w, const QRect &geometry) {
        w->setGeometry(geometry);
        adopt(control, w);
        return w;
    };
    put(Control::SoundNotice, new QCheckBox(central), {10, 340, 120, 24});
    put(Control::MailNotice, new QCheckBox(central), {135, 340, 120, 24});
    auto *frame = put(Control::ScheduleFrame, new QGroupBox(central), {330, 150, 420, 244});
    put(Control::ScheduleList, new QListWidget(frame), {6, 18, 190, 190})->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *line = put(Control::ScheduleLineEdit, new QLineEdit(frame), {6, 212, 190, 24});
    line->installEventFilter(new OverwriteTyping(line));
    put(Control::ScheduleRegisterButton, new QPushButton(frame), {204, 18, 208, 28});
    put(Control::ScheduleClearButton, new QPushButton(frame), {204, 50, 208, 28});
    put(Control::ScheduleMacroButton, new QPushButton(frame), {204, 90, 208, 28});
    put(Control::OpenMacroButton, new QPushButton(frame), {204, 122, 208, 28});
    put(Control::MacroNoticeTime, new QCheckBox(frame), {204, 160, 208, 24});
    frame->setAutoFillBackground(true);
}

void PanelWindow::buildScheduleMenu()
{
    // The next pass or the end of the day's run, shown in the menu bar.
    QAction *notice = menuBar()->addAction(QString());
    notice->setObjectName(formName(Control::ScheduleNoticeMenu));
    m_actions.insert(notice->objectName(), notice);
}

void PanelWindow::wireSchedule()
{
    widget(Control::ScheduleFrame)->raise();
    connect(menuAction(formName(Control::ScheduleMenu)), &QAction::triggered, &m_core,
            &PanelCore::toggleScheduleFrame);
    for (Control box : {Control::SoundNotice, Control::MailNotice})
        connect(static_cast<QCheckBox *>(widget(box)), &QCheckBox::clicked, this,
                [this, box](bool on) { m_core.chooseNotice(box, on); });
    connect(static_cast<QCheckBox *>(widget(Control::MacroNoticeTime)), &QCheckBox::clicked, &m_core,
            &PanelCore::setMacroNoticeTime);
    connect(static_cast<QPushButton *>(widget(Control::ScheduleRegisterButton)), &QPushButton::clicked, &m_core,
            &PanelCore::registerScheduleFrame);
    connect(static_cast<QPushButton *>(widget(Control::ScheduleClearButton)), &QPushButton::clicked, &m_core,
            &PanelCore::clearSchedule);
    connect(static_cast<QPushButton *>(widget(Control::ScheduleMacroButton)), &QPushButton::clicked, &m_core,
            &PanelCore::writeScheduleMacro);
    connect(static_cast<QPushButton *>(widget(Control::OpenMacroButton)), &QPushButton::clicked, &m_core,
            &PanelCore::openScheduleMacro);

    auto *list = static_cast<QListWidget *>(widget(Control::ScheduleList));
    connect(list, &QListWidget::itemDoubleClicked, this,
            [this, list](QListWidgetItem *item) { m_core.editScheduleLine(list->row(item)); });
    connect(list, &QListWidget::customContextMenuRequested, this, [this, list](const QPoint &at) {
        if (QListWidgetItem *item = list->itemAt(at))
            m_core.removeScheduleLine(list->row(item));
    });
    auto *line = static_cast<QLineEdit *>(widget(Control::ScheduleLineEdit));
    connect(line, &QLineEdit::textEdited, this, [this, line](const QString &text) {
        const int pos = line->cursorPosition();
        m_core.typeScheduleLine(text);
        line->setCursorPosition(qMin(pos, line->text().size()));
    });
    connect(line, &QLineEdit::returnPressed, &m_core, &PanelCore::saveScheduleLine);
}

} // namespace vm
