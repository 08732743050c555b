#include "rigctl/SatelliteEditorRules.h"

#include "common/DataDir.h"
#include "common/SatelliteTable.h"
#include "common/TextFile.h"
#include "orbit/Tle.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>

namespace vm::satelliteEditor {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("vm::satelliteEditor", text);
}

std::optional<double> number(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

// Two cells name the same band when their first two characters agree.
bool sameBand(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && a.left(2) == b.left(2);
}

QString quoted(const QString &cell)
{
    return cell.contains(u',') ? u'"' + cell + u'"' : cell;
}

} // namespace

const QStringList &headers()
{
    static const QStringList h{QStringLiteral("衛 星 名"),       QStringLiteral("UP Link(KHz)"),
                               QStringLiteral("Down Link(KHz)"), QStringLiteral("Width(KHz)"),
                               QStringLiteral("Beacon(KHz)"),    QStringLiteral("Tone(Hz)"),
                               QStringLiteral("TX TRV(KHz)"),    QStringLiteral("RX TRV(KHz)"),
                               QStringLiteral("NonInv"),         QStringLiteral("MLTMode")};
    return h;
}

int maxLength(int column)
{
    switch (column) {
    case Name:
        return 24;
    case NonRev:
        return 1;
    case MltMode:
        return 8;
    default:
        return 9;
    }
}

QString cleanCell(int column, const QString &text)
{
    QString out = text;
    out.remove(u',');
    out.remove(u'"');
    return out.left(maxLength(column));
}

quint32 rowColour(int dataRow)
{
    return dataRow % 2 == 0 ? 0xFFFFFF : 0xDDFFFF;
}

Row emptyRow()
{
    return Row(ColumnCount);
}

Grid fromTable(const SatelliteTable &table)
{
    Grid rows;
    for (int n = 2; n <= table.count(); ++n) {
        const SatelliteRecord &r = table.record(n);
        const QString nonRev = r.isNonInverting() ? QStringLiteral("Y") : r.NonRev;
        rows.append(
            {r.Name, r.UpLink, r.DownLink, r.Width, r.Beacon, r.Tone, r.TXTRV, r.RXTRV, nonRev, r.MLTmode});
    }
    return rows;
}

std::optional<Refusal> validate(const Grid &rows)
{
    const QString sameBandText = tr("UP Link と DOWN Link が同じバンドですので\n登録できません。");
    const QString beaconText =
        tr("Beacon周波数は DOWN Link のバンドと同じ\nでなければなりませんので\n登録できません。");
    const QString basicText =
        tr("衛星名 または UP Link または DOWN Link の\n基本データが空ですので\n登録できません。");
    const QString numberText = tr("周波数の欄 (%1) が数値ではありませんので\n登録できません。");
    for (int i = 0; i < rows.size(); ++i) {
        const Row &r = rows.at(i);
        const auto cell = [&r](int c) { return c < r.size() ? r.at(c).trimmed() : QString(); };
        if (std::all_of(r.begin(), r.end(), [](const QString &c) { return c.trimmed().isEmpty(); }))
            return Refusal{i, tr("空白行は登録できません、行削除して下さい。")};
        if (cell(MltMode) != u"UU" && sameBand(cell(UpLink), cell(DownLink)))
            return Refusal{i, sameBandText};
        if (sameBand(cell(Beacon), cell(UpLink)))
            return Refusal{i, beaconText};
        if (cell(Name).isEmpty() || cell(UpLink).isEmpty() || cell(DownLink).isEmpty())
            return Refusal{i, basicText};
        for (const int c : {UpLink, DownLink, Width, Beacon, TxTrv, RxTrv}) {
            if (!cell(c).isEmpty() && !number(cell(c)))
                return Refusal{i, numberText.arg(headers().at(c))};
        }
    }
    return std::nullopt;
}

QStringList toLines(const Grid &rows)
{
    QStringList lines{headers().join(u',')};
    for (const Row &r : rows) {
        QStringList cells;
        for (int c = 0; c < ColumnCount; ++c)
            cells.append(quoted(c < r.size() ? r.at(c).trimmed() : QString()));
        lines.append(cells.join(u','));
    }
    return lines;
}

SaveResult save(const QString &path, const Grid &rows, bool keepOld)
{
    SaveResult result;
    result.refusal = validate(rows);
    if (result.refusal)
        return result;
    const QString backup = path + QStringLiteral(".bak");
    if (keepOld && QFile::exists(path)) {
        QFile::remove(backup);
        if (!QFile::copy(path, backup)) {
            result.error = tr("%1 の控えを作れないので保存しませんでした").arg(backup);
            return result;
        }
    }
    result.ok = TextFile::writeLinesAtomic(path, toLines(rows), &result.error);
    return result;
}

int applyRowAction(Grid &rows, int row, RowAction action)
{
    if (row < 0 || row >= rows.size())
        return row;
    switch (action) {
    case RowAction::Delete:
        rows.removeAt(row);
        return std::min(row, int(rows.size()) - 1);
    case RowAction::InsertAbove:
        rows.insert(row, emptyRow());
        return row;
    case RowAction::InsertBelow:
        rows.insert(row + 1, emptyRow());
        return row + 1;
    case RowAction::CopyBelow:
        rows.insert(row + 1, rows.at(row));
        return row + 1;
    case RowAction::MoveDown:
        if (row + 1 >= rows.size())
            return row;
        rows.swapItemsAt(row, row + 1);
        return row + 1;
    case RowAction::Close:
        break;
    }
    return row;
}

void sortRows(Grid &rows, int column, bool ascending)
{
    const auto less = [column](const Row &a, const Row &b) {
        const QString x = a.value(column).trimmed();
        const QString y = b.value(column).trimmed();
        const std::optional<double> nx = number(x);
        const std::optional<double> ny = number(y);
        if (nx && ny)
            return *nx < *ny;
        if (nx || ny)
            return bool(nx); // numbers before texts
        return x.compare(y, Qt::CaseInsensitive) < 0;
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const Row &a, const Row &b) { return ascending ? less(a, b) : less(b, a); });
}

QStringList groupNames(const QStringList &groupFileLines)
{
    QStringList names;
    for (const QString &line : groupFileLines) {
        const QString name = line.trimmed();
        if (!name.isEmpty() && !name.contains(QStringLiteral("＠")))
            names.append(name);
    }
    return names;
}

QStringList tleNames(const QString &tleText)
{
    QStringList names;
    const QByteArray text = tleText.toUtf8();
    for (const orbit::Tle &t :
         orbit::parseTleText(std::string_view(text.constData(), size_t(text.size()))).sets) {
        const QString name = QString::fromStdString(t.displayName()).trimmed();
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

QStringList nameList(bool builtinSource, const QString &trackerFolder, const QString &tlePath)
{
    if (builtinSource) {
        const std::optional<QString> text = TextFile::read(tlePath);
        return text ? tleNames(*text) : QStringList();
    }
    if (trackerFolder.isEmpty())
        return {};
    const std::optional<QStringList> lines =
        TextFile::readLines(findFileNoCase(trackerFolder, QStringLiteral("GROUP.txt")));
    return lines ? groupNames(*lines) : QStringList();
}

} // namespace vm::satelliteEditor
