#pragma once

#include <QString>

namespace vm {

// The facts the data folder is chosen from (see resolveDataDir).
struct DataDirInputs {
    QString velomiraHome;  // $VELOMIRA_HOME
    QString executableDir; // folder of the running executables
    QString xdgDataHome;   // $XDG_DATA_HOME
    QString homeDir;       // $HOME
    bool installed = false; // the executables are installed (see installedShareDir)
};

// The folder that holds the settings file, the satellite table and every
// other data file: `velomiraHome` when set, else the executables' folder when
// it is writable and not an installation, else `xdgDataHome`/velomira
// (default ~/.local/share/velomira).
// The chosen folder is created when missing.
QString resolveDataDir(const DataDirInputs &inputs);

// The shared files of an installation: <prefix>/share/velomira when the
// executables' folder is <prefix>/bin and that folder exists; else empty
// (a build tree, or a folder the operator copied the programs to).
QString installedShareDir(const QString &executableDir);

// The data folder of this process (from its environment and executable).
QString dataDir();

// The path of a data file: an existing file whose name matches `name` without
// regard to case ("Satdata.txt" finds "SATdata.txt"), else dataDir()/name.
QString dataFile(const QString &name);

// As dataFile, in the folder `dir`.
QString findFileNoCase(const QString &dir, const QString &name);

// The existing entry of `dir` whose name matches `name` without regard to
// case (files only, or folders too); empty when there is none.
QString findEntryNoCase(const QString &dir, const QString &name, bool filesOnly);

} // namespace vm
