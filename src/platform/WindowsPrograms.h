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
    // Starts a Windows program (its Windows path, "C:\\HWCV\\HWCVMail.exe")
    // and gives it the time to show its window; false when it cannot start.
    virtual bool startProgram(const QString &windowsPath) = 0;
    // A text record (WM_COPYDATA, dwData 0, Shift_JIS) to the window of that title.
    virtual bool sendText(const QString &title, const QString &text) = 0;
    // Brings the window of that title to the front and types Alt+key into it.
    virtual bool typeAltKey(const QString &title, char key) = 0;
    // The text of the window `siblingSteps` siblings after the first child
    // of class `childClass` inside the window of that title.
    virtual std::optional<QString> windowText(const QString &title, const QString &childClass,
                                              int siblingSteps) = 0;
};

} // namespace vm
