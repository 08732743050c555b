// The schedule frame "予告スケジュール": the day's pass list and its line
// editor, registering and clearing it, and the two notice choices.
#include "common/Channel.h"
#include "common/Clock.h"
#include "common/ScheduleFile.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/PanelCore.h"
#include "panel/Prompter.h"
#include "common/DataDir.h"
#include "common/TextFile.h"
#include "panel/Launcher.h"
#include "panel/ScheduleCheck.h"
#include "panel/ScheduleMacro.h"

#include <QCoreApplication>
#include <QDateTime>

namespace vm {

namespace {

ControlState captioned(const QString &text, bool visible = true)
{
    ControlState s;
    s.text = text;
    s.visible = visible;
    return s;
}

} // namespace

void PanelCore::declareScheduleControls()
{
    PanelView &v = m_view;
    // The frame opens from its menu entry; its buttons show with it.
    v.declare(Control::ScheduleFrame, captioned(tr("予告スケジュール"), false));
    v.declare(Control::ScheduleList, ControlState());
    v.declare(Control::ScheduleLineEdit, captioned(QString(), false));
    v.declare(Control::ScheduleRegisterButton, captioned(tr("登録/閉")));
    v.declare(Control::ScheduleClearButton, captioned(tr("ｸﾘｱ")));
    // The macro is for an outside tracking program (Kepral32, "OPPLKM" 1).
    ControlState macro = captioned(tr("マクロ作成して　登録/閉"));
    macro.enabled = false;
    v.declare(Control::ScheduleMacroButton, macro);
    macro.text = tr("開 Macro.txt");
    v.declare(Control::OpenMacroButton, macro);
    v.declare(Control::MacroNoticeTime, captioned(tr("マクロ文に予告時間を加味する")));
    v.declare(Control::SoundNotice, captioned(tr("予告サウンド")));
    v.declare(Control::MailNotice, captioned(tr("予告メール")));
    v.declare(Control::ScheduleNoticeMenu, captioned(QString(), false));
}

void PanelCore::loadScheduleChoices()
{
    m_view.setChecked(Control::SoundNotice, m_settings.value(keys::Skd1) == u"1");
    m_view.setChecked(Control::MailNotice, m_settings.value(keys::Skd2) == u"1");
    m_view.setChecked(Control::MacroNoticeTime, m_skdTime != u"0");
}

QDate PanelCore::today() const
{
    return QDateTime::fromMSecsSinceEpoch(m_clock.utcMs()).date();
}

void PanelCore::toggleScheduleFrame()
{
    if (m_view[Control::ScheduleFrame].visible) {
        emit scheduleWindowRequested(false);
        m_view.setVisible(Control::ScheduleFrame, false);
        return;
    }
    m_view.setVisible(Control::CodeListFrame, false);
    if (m_schedule)
        m_schedule->reset();
    m_view.setItems(Control::ScheduleList, ScheduleFile(m_dataDir).loadToday(today()).value_or(QStringList()));
    m_view.setCurrentRow(Control::ScheduleList, -1);
    m_view.setVisible(Control::ScheduleLineEdit, false);
    m_view.setVisible(Control::ScheduleFrame, true);
    // Passes come from the outside program's prediction window (Kepral32)
    // or from our own prediction (built-in source): both through "OP Schedule".
    if (m_calcType == u"1" || m_calcType == u"4")
        emit scheduleWindowRequested(true);
}

QStringList PanelCore::scheduleLines() const
{
    if (m_view[Control::ScheduleFrame].visible)
        return m_view[Control::ScheduleList].items;
    return ScheduleFile(m_dataDir).loadToday(today()).value_or(QStringList());
}

bool PanelCore::takeScheduleLines(const QStringList &lines)
{
    // With the frame open the lines wait there for registering.
    if (!m_view[Control::ScheduleFrame].visible)
        return registerSchedule(lines);
    m_view.setItems(Control::ScheduleList, lines);
    return true;
}

void PanelCore::editScheduleLine(int row)
{
    const QStringList &items = m_view[Control::ScheduleList].items;
    if (row < 0 || row >= items.size())
        return;
    m_view.setCurrentRow(Control::ScheduleList, row);
    m_view.setText(Control::ScheduleLineEdit, items.at(row));
    m_view.setVisible(Control::ScheduleLineEdit, true);
    requestFocus(Control::ScheduleLineEdit);
}

QString PanelCore::scheduleLineText(const QString &typed)
{
    QString kept;
    for (const QChar c : typed) {
        if (c.isDigit() || c.isLetter() || c == u'-' || c == u'.' || c == u'/' || c == u':' || c == u' ')
            kept.append(c.toUpper());
    }
    return kept;
}

void PanelCore::typeScheduleLine(const QString &text)
{
    m_view.setText(Control::ScheduleLineEdit, scheduleLineText(text));
}

void PanelCore::closeScheduleLineEditor()
{
    m_view.setText(Control::ScheduleLineEdit, QString());
    m_view.setVisible(Control::ScheduleLineEdit, false);
}

void PanelCore::saveScheduleLine()
{
    QStringList items = m_view[Control::ScheduleList].items;
    const int row = m_view[Control::ScheduleList].currentRow;
    if (row < 0 || row >= items.size())
        return;
    items[row] = m_view[Control::ScheduleLineEdit].text;
    m_view.setVisible(Control::ScheduleLineEdit, false);
    const ScheduleFile file(m_dataDir);
    QString why;
    if (!file.save(items, &why)) {
        // The list keeps the edit, so that nothing typed is lost.
        m_view.setItems(Control::ScheduleList, items);
        m_prompter.message(tr("スケジュールを保存できません: %1").arg(why), panelTitle(), Prompter::Icon::Warning);
        return;
    }
    if (m_schedule)
        m_schedule->setLines(items);
    m_view.setItems(Control::ScheduleList, file.loadToday(today()).value_or(items));
}

void PanelCore::removeScheduleLine(int row)
{
    QStringList items = m_view[Control::ScheduleList].items;
    if (row < 0 || row >= items.size())
        return;
    items.removeAt(row);
    m_view.setItems(Control::ScheduleList, items);
    m_view.setCurrentRow(Control::ScheduleList, -1);
    if (items.isEmpty())
        ScheduleFile(m_dataDir).remove();
}

void PanelCore::colourNoticeChoices(bool scheduleSet)
{
    for (Control c : {Control::SoundNotice, Control::MailNotice}) {
        m_view.setForeColor(c, scheduleSet ? -1 : Red);
        m_view.setToolTip(c, scheduleSet ? QString() : tr("予告スケジュール未設定"));
    }
}

void PanelCore::registerScheduleFrame()
{
    const QStringList lines = m_view[Control::ScheduleList].items;
    if (!registerSchedule(lines))
        m_prompter.message(tr("スケジュールを保存できません"), panelTitle(), Prompter::Icon::Warning);
    m_view.setVisible(Control::ScheduleLineEdit, false);
    m_view.setVisible(Control::ScheduleFrame, false);
    colourNoticeChoices(ScheduleFile(m_dataDir).state(today()) != ScheduleFile::State::Missing);
    emit scheduleWindowRequested(false);
}

void PanelCore::clearSchedule()
{
    m_view.setItems(Control::ScheduleList, {});
    registerSchedule({});
    requestFocus(Control::CallSign);
}

void PanelCore::chooseNotice(Control box, bool on)
{
    const Control other = box == Control::SoundNotice ? Control::MailNotice : Control::SoundNotice;
    m_view.setChecked(box, on);
    if (on)
        m_view.setChecked(other, false);
    const ScheduleFile file(m_dataDir);
    switch (file.state(today())) {
    case ScheduleFile::State::OtherDay:
        if (box == Control::MailNotice && on)
            m_prompter.message(tr("スケジュール表が今日のものではありません\n本日分を作成下さい"),
                               panelTitle(), Prompter::Icon::Information);
        file.remove();
        colourNoticeChoices(false);
        m_view.setChecked(Control::SoundNotice, false);
        m_view.setChecked(Control::MailNotice, false);
        break;
    case ScheduleFile::State::Missing:
        colourNoticeChoices(false);
        break;
    case ScheduleFile::State::Today:
        colourNoticeChoices(true);
        break;
    }
    if (!m_view[Control::SoundNotice].checked && !m_view[Control::MailNotice].checked)
        m_view.setVisible(Control::ScheduleNoticeMenu, false);
    m_settings.setValue(keys::Skd1, m_view[Control::SoundNotice].checked ? QStringLiteral("1") : QStringLiteral("0"));
    m_settings.setValue(keys::Skd2, m_view[Control::MailNotice].checked ? QStringLiteral("1") : QStringLiteral("0"));
    requestFocus(Control::CallSign);
}

void PanelCore::setMacroNoticeTime(bool on)
{
    m_skdTime = on ? QStringLiteral("1") : QStringLiteral("0");
    m_view.setChecked(Control::MacroNoticeTime, on);
}

QString PanelCore::macroFolder(bool tell)
{
    if (const std::optional<QString> folder = trackerFolder())
        return *folder;
    if (tell)
        m_prompter.message(tr("Kepral32のフォルダが見つかりませんでした\nVelomiraのフォルダに作成します。"),
                           panelTitle(), Prompter::Icon::Information);
    return m_dataDir;
}

void PanelCore::writeScheduleMacro()
{
    const QStringList lines = m_view[Control::ScheduleList].items;
    if (lines.isEmpty()) {
        m_prompter.message(tr("登録すべき予告データがありません"), panelTitle(), Prompter::Icon::Information);
        registerScheduleFrame();
        return;
    }
    if (!m_prompter.question(tr("MACRO.TXT は上書きされます、よろしいですか？\n"
                                "上書きされては困る場合は「いいえ」として下さい。"),
                             panelTitle())) {
        registerScheduleFrame();
        m_prompter.message(tr("マクロ(MACRO.TXT)は作成されませんでした。"), panelTitle(), Prompter::Icon::Information);
        return;
    }
    const QString folder = macroFolder(true);
    const QStringList macro = schedule_macro::build(
        lines,
        schedule_macro::readGroups(
            TextFile::readLines(findFileNoCase(folder, QStringLiteral("group.txt"))).value_or(QStringList())),
        schedule_macro::userProgramNumber(
            TextFile::readLines(findFileNoCase(folder, QStringLiteral("Kepral32.ini"))).value_or(QStringList())),
        today(), m_settings.value(keys::WavStart).toInt(), m_skdTime != u"0");
    QString why;
    if (!TextFile::writeLinesAtomic(findFileNoCase(folder, QStringLiteral("Macro.txt")), macro, &why))
        m_prompter.message(tr("Macro.txt を書けません: %1").arg(why), panelTitle(), Prompter::Icon::Warning);
    registerScheduleFrame();
    if (m_channel.titleExists(QStringLiteral("マクロ実行ステータス")))
        m_prompter.message(tr("現在マクロ実行中ですので\nマクロを一旦終了させないと今回作成したマクロは適用されません。"),
                           panelTitle(), Prompter::Icon::Warning);
}

void PanelCore::openScheduleMacro()
{
    m_launcher.openUrl(findFileNoCase(macroFolder(false), QStringLiteral("Macro.txt")));
}

void PanelCore::addCopiedPassTime(const QString &foregroundTitle, const QString &clipboardText)
{
    const QString title = foregroundTitle.toUpper();
    if (!title.contains(u"KEPRAL") && !title.contains(u"起動計算") && !title.contains(u"衛星の可視時間"))
        return;
    const QString time = clipboardText.trimmed();
    if (time.size() != 5 || time.at(2) != u':' || !m_view[Control::ScheduleFrame].visible || m_satKey.isEmpty())
        return;
    QStringList items = m_view[Control::ScheduleList].items;
    const QString line = time + u'/' + m_satKey;
    if (items.contains(line))
        return;
    items.append(line);
    m_view.setItems(Control::ScheduleList, items);
    ScheduleFile(m_dataDir).save(items);
}

} // namespace vm
