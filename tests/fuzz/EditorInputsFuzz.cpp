// What the settings window's editors read from outside: a satellite table
// into the grid (a grid that passes the checks saves and loads back row for
// row), a group file, a TLE file's names, an offset backup and the stored
// digital-mode program value.
#include "FuzzSupport.h"
#include "common/SatelliteTable.h"
#include "common/TextFile.h"
#include "rigctl/OffsetBackup.h"
#include "rigctl/SatelliteEditorRules.h"
#include "rigctl/WsjtStart.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = vm::fuzz::bytes(data, size);
    const QString text = vm::TextFile::decode(input);
    const QStringList lines = vm::TextFile::splitLines(text);
    namespace se = vm::satelliteEditor;
    se::groupNames(lines);
    se::tleNames(text);
    for (const auto &[key, value] : vm::offsetBackup::entries(lines))
        VM_FUZZ_CHECK(key.endsWith(QStringLiteral("_offset"), Qt::CaseInsensitive) && !value.contains(u'='));
    if (const auto v = vm::wsjtStart::split(text)) {
        vm::wsjtStart::programOf(v->path);
        VM_FUZZ_CHECK(vm::wsjtStart::split(vm::wsjtStart::compose(QStringLiteral("/bin/wsjtx"), v->rigName)));
    }

    vm::SatelliteTable table;
    table.load(vm::fuzz::inputFile(QStringLiteral("SATdata.txt"), input));
    se::Grid grid = se::fromTable(table);
    for (se::Row &row : grid)
        for (int c = 0; c < se::ColumnCount; ++c)
            row[c] = se::cleanCell(c, row[c]);
    se::sortRows(grid, se::UpLink, true);
    const QString saved = vm::fuzz::scratch().filePath(QStringLiteral("SATdata-editor.txt"));
    if (se::save(saved, grid, false).ok) {
        vm::SatelliteTable again;
        VM_FUZZ_CHECK(again.load(saved) == grid.size() + 1);
        VM_FUZZ_CHECK(se::fromTable(again).size() == grid.size());
    }
    return 0;
}
