#include "panel/PanelView.h"

#include <algorithm>

namespace vm {

PanelView::PanelView(QObject *parent) : QObject(parent) {}

const ControlState &PanelView::operator[](Control control) const
{
    static const ControlState empty;
    return has(control) ? m_states[indexOf(control)] : empty;
}

const ControlState &PanelView::operator[](const QString &formName) const
{
    static const ControlState empty;
    const std::optional<Control> control = controlNamed(formName);
    return control ? (*this)[*control] : empty;
}

QStringList PanelView::names() const
{
    QStringList list;
    for (std::size_t i = 0; i < ControlCount; ++i)
        if (m_present[i])
            list.append(formName(controlAt(i)));
    std::sort(list.begin(), list.end());
    return list;
}

void PanelView::declare(Control control, const ControlState &state)
{
    m_states[indexOf(control)] = state;
    m_present[indexOf(control)] = true;
}

ControlState &PanelView::state(Control control)
{
    m_present[indexOf(control)] = true;
    return m_states[indexOf(control)];
}

void PanelView::notify(Control control)
{
    emit controlChanged(control);
    emit changed(formName(control));
}

template <typename T> bool PanelView::update(Control control, T ControlState::*field, const T &value)
{
    ControlState &s = state(control);
    if (s.*field == value)
        return false;
    s.*field = value;
    notify(control);
    return true;
}

bool PanelView::setText(Control control, const QString &text)
{
    return update(control, &ControlState::text, text);
}
bool PanelView::setToolTip(Control control, const QString &tip)
{
    return update(control, &ControlState::toolTip, tip);
}
bool PanelView::setVisible(Control control, bool visible)
{
    return update(control, &ControlState::visible, visible);
}
bool PanelView::setEnabled(Control control, bool enabled)
{
    return update(control, &ControlState::enabled, enabled);
}
bool PanelView::setChecked(Control control, bool checked)
{
    return update(control, &ControlState::checked, checked);
}
bool PanelView::setValue(Control control, double value)
{
    return update(control, &ControlState::value, value);
}
bool PanelView::setBackColor(Control control, int color)
{
    return update(control, &ControlState::backColor, color);
}
bool PanelView::setForeColor(Control control, int color)
{
    return update(control, &ControlState::foreColor, color);
}
bool PanelView::setAlignRight(Control control, bool right)
{
    return update(control, &ControlState::alignRight, right);
}
bool PanelView::setItems(Control control, const QStringList &items)
{
    return update(control, &ControlState::items, items);
}
bool PanelView::setCurrentRow(Control control, int row)
{
    return update(control, &ControlState::currentRow, row);
}
bool PanelView::setAnchor(Control control, Control anchor)
{
    return update(control, &ControlState::anchor, formName(anchor));
}

bool PanelView::setRange(Control control, int minimum, int maximum)
{
    ControlState &s = state(control);
    if (s.minimum == minimum && s.maximum == maximum)
        return false;
    s.minimum = minimum;
    s.maximum = maximum;
    notify(control);
    return true;
}

bool PanelView::setFont(Control control, const QString &fontName, int fontSize)
{
    ControlState &s = state(control);
    if (s.fontName == fontName && s.fontSize == fontSize)
        return false;
    s.fontName = fontName;
    s.fontSize = fontSize;
    notify(control);
    return true;
}

unsigned PanelView::rgb(int bgr)
{
    const unsigned v = unsigned(bgr) & 0xFFFFFFu;
    return ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
}

} // namespace vm
