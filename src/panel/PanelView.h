#pragma once

#include "panel/ControlState.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

namespace vm {

// The panel's controls as state, by object name ("Label2", "Command1_3",
// "StatusBar1_4"). The core writes it; the windows listen to changed() and
// render. Setters report whether anything changed and signal only then.
class PanelView : public QObject {
    Q_OBJECT
public:
    explicit PanelView(QObject *parent = nullptr);

    // The state of a control; a control never written reads as defaults.
    const ControlState &operator[](const QString &name) const;
    bool has(const QString &name) const { return m_controls.contains(name); }
    QStringList names() const;

    // Declares a control with its start-up state (no signal).
    void declare(const QString &name, const ControlState &state);

    bool setText(const QString &name, const QString &text);
    bool setToolTip(const QString &name, const QString &tip);
    bool setVisible(const QString &name, bool visible);
    bool setEnabled(const QString &name, bool enabled);
    bool setChecked(const QString &name, bool checked);
    bool setValue(const QString &name, double value);
    bool setRange(const QString &name, int minimum, int maximum);
    bool setBackColor(const QString &name, int color);
    bool setForeColor(const QString &name, int color);
    bool setFont(const QString &name, const QString &fontName, int fontSize);
    bool setAlignRight(const QString &name, bool right);
    bool setItems(const QString &name, const QStringList &items);
    bool setCurrentRow(const QString &name, int row);
    bool setAnchor(const QString &name, const QString &anchor);

    // Converts a BGR colour to 0xRRGGBB.
    static unsigned rgb(int bgr);

signals:
    void changed(const QString &name);

private:
    template <typename T> bool update(const QString &name, T ControlState::*field, const T &value);

    QHash<QString, ControlState> m_controls;
};

} // namespace vm
