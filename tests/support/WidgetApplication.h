#pragma once

#include <QApplication>

namespace vm::test {

// The window tests' QApplication, made on first use and never destroyed:
// input devices created by key events must not outlive it at exit.
inline void ensureWidgetApplication()
{
    static int argc = 1;
    static char name[] = "velomira_window_tests";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
}

} // namespace vm::test
