#pragma once

#include <QComboBox>
#include <QStringList>

namespace vm::formWidgets {

// A choice box whose items carry their own text as the stored value.
inline QComboBox *choices(const QStringList &values, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    for (const QString &v : values)
        box->addItem(v, v);
    return box;
}

// Selects the item holding `value`; a value from the file that the list does
// not know is added, so that it is shown and not lost.
inline void select(QComboBox *box, const QString &value)
{
    const int i = box->findData(value);
    if (i >= 0) {
        box->setCurrentIndex(i);
        return;
    }
    box->addItem(value, value);
    box->setCurrentIndex(box->count() - 1);
}

} // namespace vm::formWidgets
