#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vm {

// The operator's Windows programs as window messages reach them: their
// top-level windows by title or class, the controls inside them. Under Linux
// this is our bridge into the Wine prefix; tests put a table in its place.
// Every call may fail (no bridge, no such window) and then changes nothing.
class WindowsPrograms {
public:
    // The Windows program that owns a window.
    struct WindowOwner {
        quint32 processId = 0;
        QString path;    // its executable, a Windows path ("C:\\HAMLOG\\Hamlogw.exe")
        QString version; // its file version "a.b.c.d"; empty when it has none
    };

    virtual ~WindowsPrograms() = default;
    // The owner of the window of that title (or class); nullopt when there is none.
    virtual std::optional<WindowOwner> findWindow(const QString &name, bool byClass = false) = 0;
    // Clicks (BM_CLICK) the control of that id inside the window of that
    // title, without waiting for what the click does; false when either is missing.
    virtual bool clickControl(const QString &title, int controlId) = 0;
    // Brings the window of that title to the front; false when there is none.
    virtual bool raiseWindow(const QString &title) = 0;
    // The text of the window `siblingSteps` siblings after the first child
    // of class `childClass` inside the window of that title.
    virtual std::optional<QString> windowText(const QString &title, const QString &childClass,
                                              int siblingSteps) = 0;
};

} // namespace vm
