#pragma once

#include <QString>

namespace vm {

// How the panel core talks to the operator through message boxes and file
// choosers. The real one shows Qt dialogs at the message-box anchor; the
// tests' one records what was shown and answers from a script.
class Prompter {
public:
    enum class Icon { None, Information, Warning, Critical };

    virtual ~Prompter() = default;

    // A message box with an OK button; returns when it is closed.
    virtual void message(const QString &text, const QString &title, Icon icon) = 0;
    // A yes/no question; true for yes.
    virtual bool question(const QString &text, const QString &title) = 0;
    // An information notice that closes by itself after `seconds`.
    virtual void timedNotice(const QString &text, const QString &title, int seconds) = 0;
    // A file to open; empty when the operator cancelled.
    virtual QString chooseFile(const QString &caption, const QString &startDir, const QString &filter) = 0;
    // A folder; empty when the operator cancelled.
    virtual QString chooseFolder(const QString &caption, const QString &startDir) = 0;
};

} // namespace vm
