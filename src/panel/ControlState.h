#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// What the panel shows in one control, as the core decides it. The windows
// render these; colours are the classic BGR values (0xFF is red, 0xFF0000
// blue), -1 meaning the control's own colour.
struct ControlState {
    QString text;
    QString toolTip;
    bool visible = true;
    bool enabled = true;
    bool checked = false; // check boxes and option buttons
    double value = 0;     // scroll bars; marker lines: frequency in Hz
    int minimum = 0;      // scroll bars
    int maximum = 0;      // scroll bars
    int backColor = -1;
    int foreColor = -1;
    QString fontName; // empty: the control's own font
    int fontSize = 0; // 0: the control's own size
    bool alignRight = false;
    QStringList items;   // lists
    int currentRow = -1; // lists
    QString anchor;      // markers: the form name of the control they are placed next to
};

} // namespace vm
