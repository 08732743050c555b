#include "rigctl/ui/EditorButtons.h"

#include "common/SettingKeys.h"
#include "common/TextFile.h"
#include "rigctl/Controller.h"
#include "rigctl/OffsetBackup.h"
#include "rigctl/ui/RigCombinationWindow.h"
#include "rigctl/ui/SatelliteEditorWindow.h"
#include "rigctl/ui/WsjtSettingsWindow.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <functional>

namespace vm {

namespace {

// Shows a window of the form, modal to it, gone when closed.
void showModal(QDialog *dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->open();
}

} // namespace

EditorButtons::EditorButtons(Controller &controller, QWidget *parent)
    : QWidget(parent), m_controller(controller)
{
    const struct {
        Part part;
        QString caption;
        QString tip;
        void (EditorButtons::*slot)();
    } buttons[] = {
        {Part::SatelliteEditor, tr("衛星登録"), tr("衛星の周波数表 (SATdata.txt) を編集します"),
         &EditorButtons::openSatelliteEditor},
        {Part::RigCombination, tr("リグのコンビ登録"), tr("衛星によってリグの構成を切り替えます"),
         &EditorButtons::openRigCombination},
        {Part::SaveOffsets, tr("offset保存"), tr("全衛星のoffsetをリグ構成ごとのファイルに保存します"),
         &EditorButtons::saveOffsets},
        {Part::LoadOffsets, tr("offset読込"), tr("保存したoffsetを Velomira.ini に書き戻します"),
         &EditorButtons::loadOffsets},
        {Part::WsjtSettings, tr("WSJT-X/JTDX"), tr("パネルから起動する WSJT-X または JTDX とリグ名"),
         nullptr},
    };
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    for (const auto &b : buttons) {
        auto *button = new QPushButton(b.caption, this);
        button->setObjectName(formName(b.part));
        button->setToolTip(b.tip);
        if (b.slot)
            connect(button, &QPushButton::clicked, this, b.slot);
        else
            connect(button, &QPushButton::clicked, this,
                    [this] { showModal(new WsjtSettingsWindow(m_controller, window())); });
        row->addWidget(button);
    }
    row->addStretch(1);
}

void EditorButtons::inform(const QString &text)
{
    QMessageBox::information(window(), QStringLiteral("Velomira"), text);
}

void EditorButtons::openSatelliteEditor()
{
    m_controller.settingsFile().setValue(keys::Sro, QStringLiteral("1"));
    showModal(new SatelliteEditorWindow(m_controller, window()));
}

void EditorButtons::openRigCombination()
{
    const auto askOkCancel = [this](const QString &title, const QString &text) {
        return QMessageBox::information(window(), title, text, QMessageBox::Ok | QMessageBox::Cancel) ==
               QMessageBox::Ok;
    };
    if (RigCombinationWindow *w = RigCombinationWindow::open(m_controller, window(), askOkCancel))
        showModal(w);
}

void EditorButtons::saveOffsets()
{
    const QString label = offsetBackup::rigLabel(m_controller.settings().rigs);
    if (label.isEmpty()) {
        inform(tr("リグコン無しの為対象外です"));
        return;
    }
    inform(tr("%1用のoffsetデータをバックアップ保存します\n"
              "何らかの理由でVelomira.iniから消えてしまった時のバックアップ用です")
               .arg(label));
    const offsetBackup::Result r =
        offsetBackup::save(m_controller.settingsPath(), m_controller.dataDir(), label);
    inform(r.message);
    if (r.ok)
        QDesktopServices::openUrl(QUrl::fromLocalFile(r.path)); // the desktop's text editor
}

void EditorButtons::loadOffsets()
{
    const QString label = offsetBackup::rigLabel(m_controller.settings().rigs);
    if (label.isEmpty()) {
        inform(tr("リグコン無しの為対象外です"));
        return;
    }
    inform(tr("%1用のoffsetデータを読み込みます").arg(label));
    const QString chosen =
        QFileDialog::getOpenFileName(window(), tr("オフセットデータを書き換えます"), m_controller.dataDir(),
                                     tr("offsetﾃﾞｰﾀ (*_offset.dat *_Offset.dat *_OFFSET.dat)"));
    if (chosen.isEmpty())
        return;
    if (!offsetBackup::isBackupOf(chosen, label)) {
        inform(tr("%1 は %2 用のoffsetデータではありません").arg(chosen, offsetBackup::fileName(label)));
        return;
    }
    QString error;
    const std::optional<QStringList> lines = TextFile::readLines(chosen, &error);
    if (!lines) {
        inform(error);
        return;
    }
    QList<ProfileFile::Entry> writes;
    const auto entries = offsetBackup::entries(*lines);
    for (const auto &[key, value] : entries)
        writes.append({QString::fromLatin1(keys::SatInfoSection), key, value});
    if (!m_controller.settingsFile().file().setMany(writes)) {
        inform(tr("Velomira.ini に書き込めませんでした"));
        return;
    }
    for (const auto &[key, value] : entries)
        m_controller.offsetRestored(key, value.toInt());
    inform(tr("%1件のoffsetデータを書き戻しました").arg(entries.size()));
}

} // namespace vm
