#include "rigctl/ui/WsjtSettingsWindow.h"

#include "common/SettingKeys.h"
#include "rigctl/Controller.h"
#include "rigctl/WsjtStart.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStandardPaths>

namespace vm {

WsjtSettingsWindow::WsjtSettingsWindow(Controller &controller, QWidget *parent)
    : QDialog(parent), m_controller(controller), m_path(new QLineEdit(this)), m_rigName(new QLineEdit(this)),
      m_preview(new QLineEdit(this))
{
    setObjectName(QStringLiteral("WSJTset"));
    setWindowTitle(tr("WSJT-X / JTDX の起動設定"));
    m_path->setObjectName(QString::fromLatin1(PathName));
    m_rigName->setObjectName(QString::fromLatin1(RigNameName));
    m_rigName->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^/]*")), m_rigName));
    m_rigName->setToolTip(tr("この名前で起動すると、衛星用に別の設定とログのフォルダが使われます"));
    m_preview->setObjectName(QString::fromLatin1(PreviewName));
    m_preview->setReadOnly(true);

    const std::optional<wsjtStart::Value> stored =
        wsjtStart::split(controller.settingsFile().value(keys::WsjtxPath));
    if (stored) {
        m_path->setText(stored->path);
        m_rigName->setText(stored->rigName);
    } else {
        m_path->setText(wsjtStart::defaultProgram(
            [](const QString &name) { return QStandardPaths::findExecutable(name); }));
    }

    auto *browse = new QPushButton(tr("参照..."), this);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString current = m_path->text().trimmed();
        const QString start =
            QFileInfo(current).isAbsolute() ? QFileInfo(current).absolutePath() : m_controller.dataDir();
        const QString chosen =
            QFileDialog::getOpenFileName(this, tr("WSJTX.exe or JTDX.exe の場所を指定します"), start,
                                         QStringLiteral("wsjtx jtdx (wsjtx jtdx *.exe *.EXE)"));
        if (!chosen.isEmpty())
            m_path->setText(chosen);
    });
    connect(m_path, &QLineEdit::textChanged, this, &WsjtSettingsWindow::preview);
    connect(m_rigName, &QLineEdit::textChanged, this, &WsjtSettingsWindow::preview);

    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(browse);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout(this);
    form->addRow(tr("プログラム"), pathRow);
    form->addRow(tr("リグ名"), m_rigName);
    form->addRow(tr("ログのフォルダ"), m_preview);
    form->addRow(buttons);
    resize(560, sizeHint().height());
    preview();
}

void WsjtSettingsWindow::preview()
{
    const wsjtStart::Program program = wsjtStart::programOf(m_path->text());
    const QString folder = wsjtStart::logFolder(
        program, m_rigName->text(), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    m_preview->setText(folder.isEmpty() ? tr("WSJT-X または JTDX のプログラムを指定して下さい") : folder);
}

void WsjtSettingsWindow::done(int result)
{
    const QString value = wsjtStart::compose(m_path->text(), m_rigName->text());
    m_controller.settingsFile().setValue(keys::WsjtxPath, value);
    m_controller.editSettings([&value](ControllerSettings &s) { s.wsjtxPath = value.toUpper(); });
    QDialog::done(result);
}

} // namespace vm
