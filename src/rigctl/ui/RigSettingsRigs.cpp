// The rig section of the settings form: models, ports, baud rates, CI-V
// addresses, the rig control type, the poll time and the rig test.

#include "rigctl/ui/RigSettingsWindow.h"

#include "cat/PortList.h"
#include "cat/RigCheck.h"
#include "rigctl/Controller.h"
#include "rigctl/SettingsFormRules.h"
#include "rigctl/ui/FormWidgets.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextStream>

namespace vm {

using formWidgets::choices;
using formWidgets::select;

namespace {

// Types into a CI-V address box as the form's rules say: digits and letters
// only, raised to upper case, replacing in overwrite mode.
class CivAddressFilter final : public QObject {
public:
    CivAddressFilter(QLineEdit *edit, const QLabel *inputMode) : QObject(edit), m_inputMode(inputMode) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->text().isEmpty() || !key->text().at(0).isPrint())
            return false; // backspace, arrows, Insert
        auto *edit = static_cast<QLineEdit *>(watched);
        if (edit->hasSelectedText())
            edit->del();
        const bool overwrite = m_inputMode->text() == RigSettingsWindow::tr("上書き");
        const settingsForm::CivEdit typed =
            settingsForm::typeCivAddress(edit->text(), edit->cursorPosition(), key->text(), overwrite);
        if (typed.text != edit->text()) {
            edit->setText(typed.text);
            edit->setCursorPosition(typed.caret);
            emit edit->textEdited(typed.text);
        }
        return true;
    }

private:
    const QLabel *m_inputMode;
};

} // namespace

QWidget *RigSettingsWindow::buildRigs()
{
    buildRig(1, m_rig1);
    buildRig(2, m_rig2);
    auto *rigs = new QGroupBox(tr("リグ"), this);
    auto *rigGrid = new QGridLayout(rigs);
    const QStringList rowCaptions = settingsForm::rigRowCaptions();
    for (int row = 0; row < rowCaptions.size(); ++row)
        rigGrid->addWidget(new QLabel(rowCaptions[row], rigs), row + 1, 0);
    rigGrid->addWidget(new QLabel(tr("リグ1"), rigs), 0, 1);
    rigGrid->addWidget(new QLabel(tr("リグ2"), rigs), 0, 2);
    int column = 1;
    for (const RigControls *r : {&m_rig1, &m_rig2}) {
        rigGrid->addWidget(r->model, 1, column);
        rigGrid->addWidget(r->port, 2, column);
        rigGrid->addWidget(r->baud, 3, column);
        rigGrid->addWidget(r->civAddress, 4, column);
        rigGrid->addWidget(r->test, 5, column);
        ++column;
    }
    m_testResult = new QLabel(rigs);
    m_testResult->setObjectName(formName(Part::RigTestResult));
    m_testResult->setWordWrap(true);
    m_testResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    rigGrid->addWidget(m_testResult, 6, 0, 1, 3);

    m_usage = new QComboBox(rigs);
    m_usage->setObjectName(formName(Part::RigUsage));
    m_usage->setToolTip(tr("使うリグの組み合わせ"));
    const QStringList usages = settingsForm::rigUsageTexts();
    for (int i = 0; i < usages.size(); ++i)
        m_usage->addItem(usages[i], i);
    connect(m_usage, &QComboBox::activated, this, [this] {
        const int usage = m_usage->currentData().toInt();
        m_controller.editSettings([usage](ControllerSettings &s) { s.rigs.rigUsage = usage; });
        refresh();
    });
    rigGrid->addWidget(new QLabel(tr("リグ制御"), rigs), 7, 0);
    rigGrid->addWidget(m_usage, 7, 1, 1, 2);

    m_poll = new QSpinBox(rigs);
    m_poll->setObjectName(formName(Part::PollTime));
    m_poll->setRange(50, 10000);
    m_poll->setSingleStep(50);
    m_poll->setSuffix(QStringLiteral(" ms"));
    m_poll->setToolTip(tr("リグの周波数を読み書きする間隔"));
    connect(m_poll, &QSpinBox::valueChanged, this, [this](int ms) {
        if (!m_filling)
            m_controller.editSettings([ms](ControllerSettings &s) { s.rigs.pollTimeMs = ms; });
    });
    rigGrid->addWidget(new QLabel(tr("制御間隔"), rigs), 8, 0);
    rigGrid->addWidget(m_poll, 8, 1);
    return rigs;
}

void RigSettingsWindow::buildRig(int rigNumber, RigControls &rig)
{
    const bool first = rigNumber == 1;
    rig.model = choices(settingsForm::modelIds(), this);
    rig.model->setObjectName(formName(first ? Part::Rig1Model : Part::Rig2Model));
    rig.model->setToolTip(tr("リグ%1の機種").arg(rigNumber));
    rig.port = new QComboBox(this);
    rig.port->setObjectName(formName(first ? Part::Rig1Port : Part::Rig2Port));
    rig.port->setToolTip(tr("リグ%1をつなぐシリアルポート (by-id "
                            "の名前は差し替えても変わりません。一覧にないポートはパスを入力)")
                             .arg(rigNumber));
    rig.baud = choices(settingsForm::baudRates(), this);
    rig.baud->setObjectName(formName(first ? Part::Rig1Baud : Part::Rig2Baud));
    rig.baud->setToolTip(tr("リグ%1の通信速度 (応答待ち時間も設定されます)").arg(rigNumber));
    rig.civAddress = new QLineEdit(this);
    rig.civAddress->setObjectName(formName(first ? Part::Rig1CivAddress : Part::Rig2CivAddress));
    rig.civAddress->setMaxLength(2);
    rig.civAddress->setToolTip(tr("Icom のリグの CI-V アドレス (16進 2桁)"));
    rig.civAddress->installEventFilter(new CivAddressFilter(rig.civAddress, m_inputMode));
    rig.test = new QPushButton(tr("テスト"), this);
    rig.test->setObjectName(formName(first ? Part::Rig1Test : Part::Rig2Test));
    rig.test->setToolTip(tr("リグ%1が応答するか確かめます (エコー、周波数、モード)").arg(rigNumber));
    connect(rig.test, &QPushButton::clicked, this, [this, rigNumber] { testRig(rigNumber); });

    const auto edit = [this,
                       rigNumber](const std::function<void(RigSettings &, ControllerSettings &)> &change) {
        m_controller.editSettings(
            [&](ControllerSettings &s) { change(rigNumber == 1 ? s.rigs.rig1 : s.rigs.rig2, s); });
    };
    connect(rig.model, &QComboBox::activated, this, [this, rigNumber] { onModel(rigNumber); });
    connect(rig.port, &QComboBox::activated, this, [this, &rig, edit] {
        const QString port = rig.port->currentData().toString();
        edit([&](RigSettings &r, ControllerSettings &) { r.port = port; });
        refresh();
    });
    // A port the list does not show (a link, a pseudo-terminal) is typed in.
    rig.port->setEditable(true);
    rig.port->setInsertPolicy(QComboBox::NoInsert);
    connect(rig.port->lineEdit(), &QLineEdit::editingFinished, this, [this, &rig, edit] {
        const QString typed = rig.port->currentText().trimmed();
        const int listed = rig.port->findText(typed);
        const QString port = listed >= 0 ? rig.port->itemData(listed).toString() : typed;
        if (m_filling || port.isEmpty())
            return;
        edit([&](RigSettings &r, ControllerSettings &) { r.port = port; });
        refresh();
    });
    connect(rig.baud, &QComboBox::activated, this, [&rig, edit, rigNumber] {
        const QString baud = rig.baud->currentData().toString();
        const int wait = settingsForm::replyWaitForBaud(baud);
        edit([&](RigSettings &r, ControllerSettings &s) {
            r.baudRate = baud;
            (rigNumber == 1 ? s.chosenWait1 : s.chosenWait2) = wait;
        });
    });
    connect(rig.civAddress, &QLineEdit::textEdited, this, [edit](const QString &text) {
        const QString address = text.trimmed();
        edit([&](RigSettings &r, ControllerSettings &) { r.civAddress = address; });
    });
}

void RigSettingsWindow::onModel(int rigNumber)
{
    RigControls &rig = rigNumber == 1 ? m_rig1 : m_rig2;
    const QString model = rig.model->currentData().toString();
    const settingsForm::ModelChoice choice = settingsForm::modelChoice(model);
    m_controller.editSettings([&](ControllerSettings &s) {
        RigSettings &r = rigNumber == 1 ? s.rigs.rig1 : s.rigs.rig2;
        r.type = model;
        if (choice.portToNone)
            r.port = QStringLiteral("None");
        if (choice.civAddressEnabled && r.civAddress.trimmed().isEmpty())
            r.civAddress = choice.defaultCivAddress;
    });
    refresh();
}

void RigSettingsWindow::testRig(int rigNumber)
{
    const RigSettings &r =
        rigNumber == 1 ? m_controller.settings().rigs.rig1 : m_controller.settings().rigs.rig2;
    if (r.type == u"None" || r.port == u"None") {
        m_testResult->setText(tr("リグ%1の機種とポートを選んでください").arg(rigNumber));
        return;
    }
    RigCheck::Options options;
    options.model = r.type;
    options.port = r.port;
    options.baud = r.baudRate;
    options.address = r.civAddress.trimmed();
    options.command = {QStringLiteral("info")};
    QString outText;
    QString errText;
    int status = 1;
    {
        QTextStream out(&outText);
        QTextStream err(&errText);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_controller.withRigPortFree(rigNumber, [&] {
            RigCheck check(out, err);
            status = check.run(options);
        });
        QApplication::restoreOverrideCursor();
    }
    m_testResult->setText(
        status == 0 ? tr("リグ%1は応答しました:\n%2").arg(rigNumber).arg(outText.trimmed())
                    : tr("リグ%1のテストに失敗しました:\n%2").arg(rigNumber).arg(errText.trimmed()));
}

void RigSettingsWindow::fillPorts(QComboBox *box, const QString &current)
{
    box->clear();
    box->addItem(QStringLiteral("None"), QStringLiteral("None"));
    for (const PortList::Entry &e : PortList::entries()) {
        box->addItem(PortList::lineOf(e), e.path);
        box->setItemData(box->count() - 1, e.device, Qt::ToolTipRole);
    }
    select(box, current);
}

void RigSettingsWindow::refreshRigs()
{
    const ControllerSettings &s = m_controller.settings();
    const struct {
        RigControls &controls;
        const RigSettings &settings;
    } rigs[] = {{m_rig1, s.rigs.rig1}, {m_rig2, s.rigs.rig2}};
    for (const auto &r : rigs) {
        select(r.controls.model, r.settings.type);
        select(r.controls.port, r.settings.port);
        select(r.controls.baud, r.settings.baudRate);
        const bool icom = settingsForm::modelChoice(r.settings.type).civAddressEnabled;
        r.controls.civAddress->setEnabled(icom);
        r.controls.civAddress->setText(r.settings.civAddress);
    }
    // The rig control type enables the groups of the rigs in use.
    const int usage = s.rigs.rigUsage;
    m_usage->setCurrentIndex(m_usage->findData(usage));
    for (QWidget *w : std::initializer_list<QWidget *>{m_rig1.model, m_rig1.port, m_rig1.baud, m_rig1.test})
        w->setEnabled(usage <= 1 || usage == 3);
    for (QWidget *w : std::initializer_list<QWidget *>{m_rig2.model, m_rig2.port, m_rig2.baud, m_rig2.test})
        w->setEnabled(usage == 2 || usage == 3);
    m_poll->setValue(s.rigs.pollTimeMs);
}

} // namespace vm
