#pragma once

#include "panel/ControlState.h"
#include "panel/Controls.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

namespace vm {

// The panel's controls as state. The core writes it by Control; the windows
// listen to controlChanged() (or changed(), by form name) and render.
// Setters report whether anything changed and signal only then.
class PanelView : public QObject {
    Q_OBJECT
public:
    explicit PanelView(QObject *parent = nullptr);

    // The state of a control; a control never written reads as defaults.
    const ControlState &operator[](Control control) const;
    bool has(Control control) const { return m_present[indexOf(control)]; }

    // For the windows and tests: the state by form name ("Label2",
    // "Command1_3"); a name that is no control reads as defaults.
    const ControlState &operator[](const QString &formName) const;
    // The form names of the controls declared or written, sorted.
    QStringList names() const;

    // Declares a control with its start-up state (no signal).
    void declare(Control control, const ControlState &state);

    bool setText(Control control, const QString &text);
    bool setToolTip(Control control, const QString &tip);
    bool setVisible(Control control, bool visible);
    bool setEnabled(Control control, bool enabled);
    bool setChecked(Control control, bool checked);
    bool setValue(Control control, double value);
    bool setRange(Control control, int minimum, int maximum);
    bool setBackColor(Control control, int color);
    bool setForeColor(Control control, int color);
    bool setFont(Control control, const QString &fontName, int fontSize);
    bool setAlignRight(Control control, bool right);
    bool setItems(Control control, const QStringList &items);
    bool setCurrentRow(Control control, int row);
    // A marker placed next to `anchor`.
    bool setAnchor(Control control, Control anchor);

    // Converts a BGR colour to 0xRRGGBB.
    static unsigned rgb(int bgr);

signals:
    void controlChanged(vm::Control control);
    void changed(const QString &formName);

private:
    ControlState &state(Control control);
    void notify(Control control);
    template <typename T> bool update(Control control, T ControlState::*field, const T &value);

    std::array<ControlState, ControlCount> m_states;
    std::array<bool, ControlCount> m_present{};
};

} // namespace vm
