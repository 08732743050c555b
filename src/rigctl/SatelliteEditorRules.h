#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace vm {

class SatelliteTable;

// What the satellite editor `SATreg` decides, free of widgets: the grid's
// columns and their length limits, validation before a save, the row menu,
// sorting, the name list, and the file it writes.
namespace satelliteEditor {

inline constexpr int ColumnCount = 10;
enum Column { Name, UpLink, DownLink, Width, Beacon, Tone, TxTrv, RxTrv, NonRev, MltMode };

// One grid row: ten cells in table column order.
using Row = QStringList;
using Grid = QList<Row>;

// The header texts of the grid, which a save writes as the file's first line.
const QStringList &headers();
// The longest text the cell editor accepts in a column.
int maxLength(int column);
// What the cell editor keeps of typed text: no comma and no double quote
// (either would split the cell when the file is read again), at most the
// column's length.
QString cleanCell(int column, const QString &text);

// Background of a data row (0-based) and of the header, as 0xRRGGBB.
quint32 rowColour(int dataRow);
inline constexpr quint32 HeaderColour = 0xFFFFB3;

// The data rows of a loaded table (its records from the second on).
Grid fromTable(const SatelliteTable &table);
Row emptyRow();

// The first row that may not be saved (0-based) and why.
struct Refusal {
    int row = 0;
    QString message;
};
std::optional<Refusal> validate(const Grid &rows);

// The file's lines: the header row, then one line per grid row.
QStringList toLines(const Grid &rows);
// Writes the table file atomically after validating; nothing is written
// when a row is refused or the old file could not be read (`keepOld`: the
// old file is copied to "<name>.bak" first, so a table that loaded with
// problems loses nothing).
struct SaveResult {
    bool ok = false;
    std::optional<Refusal> refusal;
    QString error;
};
SaveResult save(const QString &path, const Grid &rows, bool keepOld);

// The row menu, in menu order.
enum class RowAction { Delete, InsertAbove, InsertBelow, CopyBelow, MoveDown, Close };
// Applies an action to row `row`; returns the row to select afterwards.
int applyRowAction(Grid &rows, int row, RowAction action);

// Sorts the rows by one column; numbers compare as numbers, texts as texts.
void sortRows(Grid &rows, int column, bool ascending);

// The names offered for the name cell: the tracking program's group file
// ("＠" lines are group headings), or the names in a TLE file.
QStringList groupNames(const QStringList &groupFileLines);
QStringList tleNames(const QString &tleText);
// The list for the tracking source in use: the built-in source's TLE file,
// else "GROUP.txt" in the tracking program's folder; empty when missing.
QStringList nameList(bool builtinSource, const QString &trackerFolder, const QString &tlePath);

} // namespace satelliteEditor
} // namespace vm
