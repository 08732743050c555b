#include "rigctl/ui/RigCombinationWindow.h"

#include "cat/PortList.h"
#include "common/DataDir.h"
#include "rigctl/Controller.h"
#include "rigctl/RigCombinationRegistration.h"
#include "rigctl/SettingsFormRules.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vm {

namespace {

QString combiPath(const Controller &controller)
{
    return findFileNoCase(controller.dataDir(), QStringLiteral("RigCombi.txt"));
}

void select(QComboBox *box, const QString &value)
{
    int i = box->findData(value);
    if (i < 0) {
        box->addItem(value, value);
        i = box->count() - 1;
    }
    box->setCurrentIndex(i);
}

} // namespace

RigCombinationWindow *
RigCombinationWindow::open(Controller &controller, QWidget *parent,
                           const std::function<bool(const QString &, const QString &)> &askOkCancel)
{
    controller.reloadRigCombinations();
    if (controller.rigCombinations().count() == 0 &&
        !askOkCancel(tr("リグのコンビ登録"), rigCombination::explanation()))
        return nullptr;
    return new RigCombinationWindow(controller, parent);
}

RigCombinationWindow::RigCombinationWindow(Controller &controller, QWidget *parent)
    : QDialog(parent), m_controller(controller), m_satellites(new QListWidget(this)),
      m_poll(new QSpinBox(this)), m_usage(new QComboBox(this))
{
    setObjectName(formName(Part::Window));
    setWindowTitle(tr("リグのコンビ登録"));
    showStop = [this](const QString &title, const QString &text) {
        QMessageBox::critical(this, title, text);
    };

    m_satellites->setObjectName(formName(Part::Satellites));
    m_satellites->setSelectionMode(QAbstractItemView::MultiSelection);
    m_satellites->setToolTip(tr("このリグ構成を使う衛星 (複数選択可)"));
    m_satellites->addItems(rigCombination::satelliteLabels(controller.satellites()));

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("リグ1"), this), 0, 1);
    grid->addWidget(new QLabel(tr("リグ2"), this), 0, 2);
    const QStringList rows = settingsForm::rigRowCaptions();
    for (int r = 0; r < rows.size(); ++r)
        grid->addWidget(new QLabel(rows[r], this), r + 1, 0);
    buildRig(1, m_rig1);
    buildRig(2, m_rig2);
    int column = 1;
    for (const RigControls *r : {&m_rig1, &m_rig2}) {
        grid->addWidget(r->model, 1, column);
        grid->addWidget(r->port, 2, column);
        grid->addWidget(r->baud, 3, column);
        grid->addWidget(r->civAddress, 4, column);
        ++column;
    }
    m_poll->setObjectName(formName(Part::PollTime));
    m_poll->setRange(50, 10000);
    m_poll->setSingleStep(50);
    m_poll->setSuffix(QStringLiteral(" ms"));
    grid->addWidget(new QLabel(tr("制御間隔"), this), 5, 0);
    grid->addWidget(m_poll, 5, 1);
    m_usage->setObjectName(formName(Part::RigUsage));
    const QStringList usages = settingsForm::rigUsageTexts();
    for (int i = 0; i < usages.size(); ++i)
        m_usage->addItem(usages[i], i);
    grid->addWidget(new QLabel(tr("リグ制御"), this), 6, 0);
    grid->addWidget(m_usage, 6, 1, 1, 2);

    auto *registered = new QGridLayout;
    const QStringList captions{tr("登録済み リグ1:"), tr("リグ2:"), tr("制御間隔:")};
    for (int i = 0; i < 3; ++i) {
        m_summary[std::size_t(i)] = new QLabel(this);
        m_summary[std::size_t(i)]->setObjectName(formName(Part(int(Part::Summary1) + i)));
        registered->addWidget(new QLabel(captions[i], this), i, 0);
        registered->addWidget(m_summary[std::size_t(i)], i, 1);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton *reg = buttons->addButton(tr("登録"), QDialogButtonBox::AcceptRole);
    reg->setObjectName(formName(Part::Register));
    connect(buttons, &QDialogButtonBox::accepted, this, &RigCombinationWindow::registerCombination);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_satellites, 1);
    layout->addLayout(grid);
    layout->addLayout(registered);
    layout->addWidget(buttons);

    // What is registered, else the set-up in use.
    const QList<RigCombination> &records = controller.rigCombinations().records();
    const QStringList summary = rigCombination::summary(records);
    for (int i = 0; i < 3; ++i)
        m_summary[std::size_t(i)]->setText(summary[i]);
    for (const RigCombination &r : records) {
        for (QListWidgetItem *item :
             m_satellites->findItems(r[RigCombination::SatelliteLabel], Qt::MatchExactly))
            item->setSelected(true);
    }
    showSetUp(records.isEmpty() ? controller.settings().rigs : rigCombination::setUpOf(records.first()));
}

void RigCombinationWindow::buildRig(int rigNumber, RigControls &rig)
{
    const bool first = rigNumber == 1;
    rig.model = new QComboBox(this);
    for (const QString &id : settingsForm::modelIds())
        rig.model->addItem(id, id);
    rig.port = new QComboBox(this);
    rig.port->addItem(QStringLiteral("None"), QStringLiteral("None"));
    for (const PortList::Entry &e : PortList::entries())
        rig.port->addItem(PortList::lineOf(e), e.path);
    rig.baud = new QComboBox(this);
    for (const QString &b : settingsForm::baudRates())
        rig.baud->addItem(b, b);
    rig.civAddress = new QLineEdit(this);
    rig.civAddress->setMaxLength(2);
    connect(rig.civAddress, &QLineEdit::textEdited, rig.civAddress,
            [edit = rig.civAddress](const QString &text) {
                edit->setText(settingsForm::filterCivAddress(text));
            });
    const struct {
        QWidget *widget;
        Part part1, part2;
    } named[] = {{rig.model, Part::Rig1Model, Part::Rig2Model},
                 {rig.port, Part::Rig1Port, Part::Rig2Port},
                 {rig.baud, Part::Rig1Baud, Part::Rig2Baud},
                 {rig.civAddress, Part::Rig1CivAddress, Part::Rig2CivAddress}};
    for (const auto &n : named)
        n.widget->setObjectName(formName(first ? n.part1 : n.part2));
    connect(rig.model, &QComboBox::currentIndexChanged, this, [&rig] {
        const settingsForm::ModelChoice c = settingsForm::modelChoice(rig.model->currentData().toString());
        rig.civAddress->setEnabled(c.civAddressEnabled);
        if (c.portToNone)
            select(rig.port, QStringLiteral("None"));
        if (c.civAddressEnabled && rig.civAddress->text().trimmed().isEmpty())
            rig.civAddress->setText(c.defaultCivAddress);
    });
}

void RigCombinationWindow::showSetUp(const RigArrangement &setUp)
{
    const struct {
        const RigControls &controls;
        const RigSettings &settings;
    } rigs[] = {{m_rig1, setUp.rig1}, {m_rig2, setUp.rig2}};
    for (const auto &r : rigs) {
        select(r.controls.model, r.settings.type);
        select(r.controls.port, r.settings.port);
        select(r.controls.baud, r.settings.baudRate);
        r.controls.civAddress->setText(r.settings.civAddress);
    }
    m_poll->setValue(setUp.pollTimeMs);
    m_usage->setCurrentIndex(qMax(0, m_usage->findData(setUp.rigUsage)));
}

RigArrangement RigCombinationWindow::chosen() const
{
    RigArrangement a;
    const auto rig = [](const RigControls &c) {
        return RigSettings{c.model->currentData().toString(), c.port->currentData().toString(),
                           c.baud->currentData().toString(), c.civAddress->text().trimmed()};
    };
    a.rig1 = rig(m_rig1);
    a.rig2 = rig(m_rig2);
    a.pollTimeMs = m_poll->value();
    a.rigUsage = m_usage->currentData().toInt();
    a.lmf = m_controller.settings().rigs.lmf;
    return a;
}

void RigCombinationWindow::registerCombination()
{
    QStringList labels;
    for (int i = 0; i < m_satellites->count(); ++i) {
        if (m_satellites->item(i)->isSelected())
            labels << m_satellites->item(i)->text();
    }
    QString error;
    if (!RigCombinationTable::save(combiPath(m_controller), rigCombination::records(labels, chosen()),
                                   &error)) {
        showStop(tr("リグのコンビ登録"), error);
        return;
    }
    m_controller.reloadRigCombinations();
    accept();
}

} // namespace vm
