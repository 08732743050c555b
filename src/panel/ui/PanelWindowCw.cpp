// The CW message bar, its editor and the QSO transfer button of the panel window.
#include "panel/CwMessage.h"
#include "panel/PanelCore.h"
#include "panel/ui/LogDestinationsDialog.h"
#include "panel/ui/PanelWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace vm {

void PanelWindow::buildCwAndLog(QWidget *cwBar, QWidget *cwEditor)
{
    auto *stop = new QPushButton(cwBar);
    stop->setGeometry(702, 16, 30, 22);
    adopt(Control::CwStopButton, stop);
    // The macros the messages may hold, beside the editor.
    (new QLabel(tr("変数： #G →挨拶　#C →Call欄のCall"), cwEditor))->setGeometry(452, 20, 282, 24);
    auto *presets = new QListWidget(cwEditor->parentWidget());
    presets->setGeometry(10, 196, 160, 44);
    adopt(Control::CwPresetList, presets);
}

void PanelWindow::wireCwAndLog()
{
    connect(static_cast<QPushButton *>(widget(Control::LogButton)), &QPushButton::clicked, &m_core,
            &PanelCore::transfer);
    connect(static_cast<QPushButton *>(widget(Control::CwStopButton)), &QPushButton::clicked, &m_core,
            &PanelCore::stopCw);
    auto *presets = static_cast<QListWidget *>(widget(Control::CwPresetList));
    connect(presets, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_core.choosePresetCwMessage(item->text()); });

    auto *codes = static_cast<QListWidget *>(widget(Control::CodeList));
    connect(codes, &QListWidget::itemActivated, this,
            [this, codes](QListWidgetItem *item) { m_core.chooseCode(codes->row(item)); });
    connect(codes, &QListWidget::itemClicked, this,
            [this, codes](QListWidgetItem *item) { m_core.chooseCode(codes->row(item)); });

    auto *editor = static_cast<QLineEdit *>(widget(Control::CwMessageEdit));
    connect(editor, &QLineEdit::textEdited, this, [this, editor](const QString &text) {
        const int pos = editor->cursorPosition();
        m_core.typeCwMessage(text);
        // The core keeps the accepted characters only; the view puts its text back.
        editor->setCursorPosition(qMin(pos, editor->text().size()));
    });
    connect(editor, &QLineEdit::returnPressed, &m_core, &PanelCore::saveCwMessage);
    // The view's value carries the editor's length limit.
    connect(&m_core.view(), &PanelView::controlChanged, this, [this, editor](Control c) {
        if (c == Control::CwMessageEdit)
            editor->setMaxLength(qMax(1, int(m_core.view()[Control::CwMessageEdit].value)));
    });
}

void PanelWindow::overwriteTyping(QLineEdit *box, const QString &typed, bool cwEditor)
{
    // Overwrite typing: the character under the cursor is replaced. The CW
    // editor replaces only with a character it keeps, so that a refused one
    // does not eat the character under the cursor.
    if (m_core.insertMode() || typed.isEmpty() || !typed.at(0).isPrint() || box->hasSelectedText() ||
        box->cursorPosition() >= box->text().size())
        return;
    if (cwEditor && cw::editorChar(typed.at(0)).isNull())
        return;
    box->setSelection(box->cursorPosition(), 1);
}

bool PanelWindow::cwMessageClick(Control name, Qt::MouseButton button)
{
    if (name == Control::LogButton && button == Qt::RightButton) {
        LogDestinationsDialog dialog(m_settings, m_core.dataDir(), this);
        if (dialog.exec() == QDialog::Accepted)
            m_core.loadLogDestinations();
        return true;
    }
    const std::optional<int> slot = controls::cwMessageSlot(name);
    if (!slot || !widget(Control::CwMessageFrame)->isEnabled())
        return false;
    if (button == Qt::LeftButton)
        m_core.sendCwMessage(*slot);
    else
        m_core.editCwMessage(*slot, true);
    return true;
}

} // namespace vm
