#include "panel/PanelView.h"

#include <algorithm>

namespace vm {

PanelView::PanelView(QObject *parent) : QObject(parent) {}

const ControlState &PanelView::operator[](const QString &name) const
{
    static const ControlState empty;
    const auto it = m_controls.constFind(name);
    return it == m_controls.constEnd() ? empty : it.value();
}

QStringList PanelView::names() const
{
    QStringList list = m_controls.keys();
    std::sort(list.begin(), list.end());
    return list;
}

void PanelView::declare(const QString &name, const ControlState &state)
{
    m_controls.insert(name, state);
}

template <typename T> bool PanelView::update(const QString &name, T ControlState::*field, const T &value)
{
    ControlState &state = m_controls[name];
    if (state.*field == value)
        return false;
    state.*field = value;
    emit changed(name);
    return true;
}

bool PanelView::setText(const QString &name, const QString &text)
{
    return update(name, &ControlState::text, text);
}
bool PanelView::setToolTip(const QString &name, const QString &tip)
{
    return update(name, &ControlState::toolTip, tip);
}
bool PanelView::setVisible(const QString &name, bool visible)
{
    return update(name, &ControlState::visible, visible);
}
bool PanelView::setEnabled(const QString &name, bool enabled)
{
    return update(name, &ControlState::enabled, enabled);
}
bool PanelView::setChecked(const QString &name, bool checked)
{
    return update(name, &ControlState::checked, checked);
}
bool PanelView::setValue(const QString &name, double value)
{
    return update(name, &ControlState::value, value);
}
bool PanelView::setBackColor(const QString &name, int color)
{
    return update(name, &ControlState::backColor, color);
}
bool PanelView::setForeColor(const QString &name, int color)
{
    return update(name, &ControlState::foreColor, color);
}
bool PanelView::setAlignRight(const QString &name, bool right)
{
    return update(name, &ControlState::alignRight, right);
}
bool PanelView::setItems(const QString &name, const QStringList &items)
{
    return update(name, &ControlState::items, items);
}
bool PanelView::setCurrentRow(const QString &name, int row)
{
    return update(name, &ControlState::currentRow, row);
}
bool PanelView::setAnchor(const QString &name, const QString &anchor)
{
    return update(name, &ControlState::anchor, anchor);
}

bool PanelView::setRange(const QString &name, int minimum, int maximum)
{
    ControlState &state = m_controls[name];
    if (state.minimum == minimum && state.maximum == maximum)
        return false;
    state.minimum = minimum;
    state.maximum = maximum;
    emit changed(name);
    return true;
}

bool PanelView::setFont(const QString &name, const QString &fontName, int fontSize)
{
    ControlState &state = m_controls[name];
    if (state.fontName == fontName && state.fontSize == fontSize)
        return false;
    state.fontName = fontName;
    state.fontSize = fontSize;
    emit changed(name);
    return true;
}

unsigned PanelView::rgb(int bgr)
{
    const unsigned v = unsigned(bgr) & 0xFFFFFFu;
    return ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
}

} // namespace vm
