#include "rigctl/ui/SatelliteEditorWindow.h"

#include "common/DataDir.h"
#include "common/SatelliteTable.h"
#include "common/SettingKeys.h"
#include "rigctl/Controller.h"
#include "rigctl/ui/RigMemoriesRun.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace vm {

namespace se = satelliteEditor;

namespace {

// A public list of amateur satellites and their frequencies.
const char FrequencyListUrl[] = "https://www.ne.jp/asahi/hamradio/je9pel/satslist.htm";

// Enter in the cell editor stores the text and goes no further: the grid's
// own Enter (to the next column) is for the grid.
class CellEdit final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        QLineEdit::keyPressEvent(event);
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            event->accept();
    }
};

// The floating cell editor: the column's length limit, no comma, no quote.
class CellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &index) const override
    {
        auto *edit = new CellEdit(parent);
        edit->setMaxLength(se::maxLength(index.column()));
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^,\"]*")), edit));
        return edit;
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        model->setData(index, se::cleanCell(index.column(), static_cast<QLineEdit *>(editor)->text()));
    }
};

QColor colour(quint32 rgb)
{
    return QColor::fromRgb(QRgb(rgb));
}

} // namespace

SatelliteEditorWindow::SatelliteEditorWindow(Controller &controller, QWidget *parent)
    : QDialog(parent), m_controller(controller), m_grid(new QTableWidget(0, se::ColumnCount, this)),
      m_sortPanel(new QGroupBox(tr("項目"), this)), m_sortColumn(new QButtonGroup(this)),
      m_sortOrder(new QButtonGroup(this)), m_names(new QListWidget(this)), m_inputMode(new QLabel(this)),
      m_problems(new QLabel(this)), m_saveEnd(new QPushButton(tr("設定完了"), this))
{
    setObjectName(formName(Part::Window));
    setWindowTitle(tr("衛星の登録　(SATdata.txtとして保存されます)"));
    showStop = [this](const QString &title, const QString &text) {
        QMessageBox::critical(this, title, text);
    };
    ask = [this](const QString &title, const QString &text) {
        return QMessageBox::question(this, title, text) == QMessageBox::Yes;
    };

    m_grid->setObjectName(formName(Part::Grid));
    m_grid->setHorizontalHeaderLabels(se::headers());
    m_grid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1 }").arg(colour(se::HeaderColour).name()));
    m_grid->setItemDelegate(new CellDelegate(m_grid));
    m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                            QAbstractItemView::EditKeyPressed);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    connect(m_grid, &QWidget::customContextMenuRequested, this, &SatelliteEditorWindow::rowMenu);
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int, int column) {
        m_names->parentWidget()->setVisible(column == se::Name && m_names->count() > 0);
    });

    // The name list for the name cell.
    auto *nameFrame = new QGroupBox(QStringLiteral("SAT Name List"), this);
    nameFrame->setToolTip(tr("ﾀﾞﾌﾞﾙｸﾘｯｸで選択名を衛星名欄へ転記します。"));
    m_names->setObjectName(formName(Part::NameList));
    m_names->installEventFilter(this);
    const QString configured = controller.settingsFile().value(keys::TleFile).trimmed();
    const QString tlePath =
        QFileInfo(configured).isAbsolute() ? configured : findFileNoCase(controller.dataDir(), configured);
    m_names->addItems(se::nameList(controller.calcType() == u"4", controller.trackerFolder(), tlePath));
    connect(m_names, &QListWidget::itemDoubleClicked, this, &SatelliteEditorWindow::takeName);
    (new QVBoxLayout(nameFrame))->addWidget(m_names);
    nameFrame->setVisible(false);

    // The sort panel.
    m_sortPanel->setObjectName(formName(Part::SortPanel));
    auto *sortLayout = new QHBoxLayout(m_sortPanel);
    const QStringList sortColumns{tr("衛星名"), tr("UP Linnk"), tr("Down Link")};
    for (int c = 0; c < sortColumns.size(); ++c) {
        auto *b = new QRadioButton(sortColumns[c], m_sortPanel);
        b->setChecked(c == 0);
        m_sortColumn->addButton(b, c);
        sortLayout->addWidget(b);
    }
    const QStringList orders{tr("昇順"), tr("降順")};
    for (int o = 0; o < orders.size(); ++o) {
        auto *b = new QRadioButton(orders[o], m_sortPanel);
        b->setChecked(o == 0);
        m_sortOrder->addButton(b, o);
        sortLayout->addWidget(b);
    }
    auto *run = new QPushButton(tr("実行"), m_sortPanel);
    run->setObjectName(formName(Part::SortRun));
    connect(run, &QPushButton::clicked, this, &SatelliteEditorWindow::sortRun);
    sortLayout->addWidget(run);
    m_sortPanel->setVisible(false);

    const struct {
        Part part;
        QString caption;
        std::function<void()> action;
    } buttons[] = {
        {Part::AddSat, tr("追加"),
         [this] {
             se::Grid rows = grid();
             rows.append(se::emptyRow());
             redraw(rows, int(rows.size()) - 1);
         }},
        {Part::Sort, tr("並べ替え"), [this] { m_sortPanel->setVisible(!m_sortPanel->isVisible()); }},
        {Part::SatDel, tr("全削除"), [this] { deleteAll(); }},
        {Part::FreqInfo, tr("周波数情報"),
         [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(FrequencyListUrl))); }},
        // Rig 1's memories are written from the table as saved, so the table
        // is saved first; a table the checks refuse writes nothing.
        {Part::WriteMemories, tr("メモリ書込"),
         [this] {
             if (saveTable())
                 runRigMemories(this, m_controller, rigMemories::Operation::Write);
         }},
        {Part::WriteMemoriesWithBeacons, tr("ビーコン付き書込"),
         [this] {
             if (saveTable())
                 runRigMemories(this, m_controller, rigMemories::Operation::WriteWithBeacons);
         }},
        {Part::EraseMemories, tr("メモリ消去"),
         [this] { runRigMemories(this, m_controller, rigMemories::Operation::Erase); }},
    };
    auto *buttonRow = new QHBoxLayout;
    for (const auto &b : buttons) {
        auto *button = new QPushButton(b.caption, this);
        button->setObjectName(formName(b.part));
        connect(button, &QPushButton::clicked, this, b.action);
        buttonRow->addWidget(button);
    }
    buttonRow->addStretch(1);
    m_saveEnd->setObjectName(formName(Part::SaveEnd));
    connect(m_saveEnd, &QPushButton::clicked, this, &SatelliteEditorWindow::saveAndClose);
    buttonRow->addWidget(m_saveEnd);

    auto *help = new QLabel(
        tr("衛星名は Kepral/Ornik で登録された衛星名と同じでなければなりません。\n"
           "！重要： UP/Down Link Freq は下端の周波数を入力下さい\n"
           "Width は KHz (例 100、FM 衛星では内部で固定)、Tone は Hz で \"67.0\" または \"67\" (リグによる)、"
           "トーン不要なら \"0\"\n"
           "TX TRV / RX TRV はトランスバーターの IF 周波数 KHz (例 1268MHz を 145MHz で: IF 1123000)\n"
           "NonInv は順ヘテロダイン (ノーマル) のトランスポンダで \"Y\"、通常の逆ヘテロダインは空白\n"
           "MLTMode は一つの衛星に複数のモードがある時のモード名 "
           "(同じ衛星名を複数行に、オフセットはモード毎、"
           "一番上の行が起動時のモード)"),
        this);
    help->setWordWrap(true);

    m_problems->setObjectName(formName(Part::Problems));
    m_problems->setWordWrap(true);
    m_problems->setStyleSheet(QStringLiteral("color: #B00000"));
    m_inputMode->setObjectName(formName(Part::InputMode));
    m_inputMode->setText(tr("挿入"));
    m_inputMode->setFrameShape(QFrame::Panel);

    auto *body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    body->addWidget(nameFrame);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_problems);
    layout->addLayout(body, 1);
    layout->addWidget(m_sortPanel);
    layout->addLayout(buttonRow);
    layout->addWidget(help);
    layout->addWidget(m_inputMode);
    resize(900, 520);

    // The table as it stands in the file.
    m_path = findFileNoCase(controller.dataDir(), SatelliteTable::fileName());
    SatelliteTable table;
    if (QFileInfo::exists(m_path))
        table.load(m_path);
    const bool unreadable =
        std::any_of(table.problems().begin(), table.problems().end(),
                    [](const TableProblem &p) { return p.kind == TableProblem::Unreadable; });
    m_keepOld = !table.problems().isEmpty();
    m_problems->setText(table.warnings().join(u'\n'));
    m_problems->setVisible(m_keepOld);
    m_saveEnd->setEnabled(!unreadable); // never replace a file that could not be read
    redraw(se::fromTable(table), 0);

    Settings &settings = controller.settingsFile();
    if (settings.contains(keys::SatEditorTop))
        move(int(settings.value(keys::SatEditorLeft).toDouble() / 15.0),
             int(settings.value(keys::SatEditorTop).toDouble() / 15.0));
}

se::Grid SatelliteEditorWindow::grid() const
{
    se::Grid rows;
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        se::Row row;
        for (int c = 0; c < se::ColumnCount; ++c) {
            const QTableWidgetItem *item = m_grid->item(r, c);
            row.append(item ? item->text() : QString());
        }
        rows.append(row);
    }
    return rows;
}

void SatelliteEditorWindow::redraw(const se::Grid &rows, int selectRow)
{
    m_grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < se::ColumnCount; ++c) {
            auto *item = new QTableWidgetItem(rows[r].value(c));
            item->setBackground(colour(se::rowColour(r)));
            m_grid->setItem(r, c, item);
        }
    }
    if (!rows.isEmpty()) {
        m_grid->setCurrentCell(qBound(0, selectRow, int(rows.size()) - 1), 0);
        m_grid->scrollToItem(m_grid->currentItem());
    }
}

void SatelliteEditorWindow::rowMenu(const QPoint &at)
{
    const int row = m_grid->rowAt(at.y());
    if (row < 0)
        return;
    QMenu menu(this);
    const struct {
        se::RowAction action;
        QString text;
    } entries[] = {
        {se::RowAction::Delete, tr("この行を削除")},
        {se::RowAction::InsertAbove, tr("上に空白行を挿入")},
        {se::RowAction::InsertBelow, tr("下に空白行を挿入")},
        {se::RowAction::CopyBelow, tr("下にこの行のコピーを挿入")},
        {se::RowAction::MoveDown, tr("1行下へ移動")},
        {se::RowAction::Close, tr("閉じる")},
    };
    for (const auto &e : entries)
        menu.addAction(e.text)->setData(int(e.action));
    const QAction *chosen = menu.exec(m_grid->viewport()->mapToGlobal(at));
    if (!chosen || se::RowAction(chosen->data().toInt()) == se::RowAction::Close)
        return;
    se::Grid rows = grid();
    const int select = se::applyRowAction(rows, row, se::RowAction(chosen->data().toInt()));
    redraw(rows, select);
}

void SatelliteEditorWindow::sortRun()
{
    m_sortPanel->setVisible(false);
    se::Grid rows = grid();
    se::sortRows(rows, m_sortColumn->checkedId(), m_sortOrder->checkedId() == 0);
    redraw(rows, 0);
}

void SatelliteEditorWindow::deleteAll()
{
    if (ask(QStringLiteral("Velomira"), tr("登録されている全ての衛星を削除しますか？")))
        redraw({}, 0);
}

void SatelliteEditorWindow::takeName()
{
    const QListWidgetItem *item = m_names->currentItem();
    const int row = m_grid->currentRow();
    if (item && row >= 0)
        m_grid->setItem(row, se::Name, new QTableWidgetItem(se::cleanCell(se::Name, item->text())));
    if (row >= 0)
        m_grid->item(row, se::Name)->setBackground(colour(se::rowColour(row)));
    m_names->parentWidget()->setVisible(false);
}

bool SatelliteEditorWindow::saveTable()
{
    const se::SaveResult result = se::save(m_path, grid(), m_keepOld);
    if (result.refusal) {
        m_grid->setCurrentCell(result.refusal->row, 0);
        showStop(tr("衛星登録"), result.refusal->message);
        return false;
    }
    if (!result.ok) {
        showStop(tr("衛星登録"), result.error);
        return false;
    }
    m_controller.satelliteTableSaved();
    return true;
}

void SatelliteEditorWindow::saveAndClose()
{
    if (!saveTable())
        return;
    m_closingSaved = true;
    close();
}

void SatelliteEditorWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closingSaved &&
        !ask(tr("衛星登録"), tr("未保存で閉じても宜しいですか？\n保存する場合は「設定完了」で終了下さい"))) {
        event->ignore();
        return;
    }
    Settings &settings = m_controller.settingsFile();
    settings.setValue(keys::SatEditorTop, QString::number(y() * 15));
    settings.setValue(keys::SatEditorLeft, QString::number(x() * 15));
    settings.setValue(keys::Sro, QStringLiteral("0"));
    QDialog::closeEvent(event);
}

void SatelliteEditorWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Insert) {
        m_inputMode->setText(m_inputMode->text() == tr("上書き") ? tr("挿入") : tr("上書き"));
        return;
    }
    if (event->key() == Qt::Key_Escape)
        return; // closing goes through the close question only
    QDialog::keyPressEvent(event);
}

bool SatelliteEditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == m_grid && enter) { // keys reach the grid only while no cell is edited
        // Enter walks along the row and wraps to the first column.
        const int row = m_grid->currentRow();
        if (row >= 0)
            m_grid->setCurrentCell(row, (m_grid->currentColumn() + 1) % se::ColumnCount);
        return true;
    }
    if (watched == m_names && (enter || key == Qt::Key_Escape)) {
        if (enter)
            takeName();
        else
            m_names->parentWidget()->setVisible(false);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vm
