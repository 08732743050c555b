#pragma once

#include "panel/Prompter.h"

#include <QPointer>
#include <QWidget>

namespace vm {

// Message boxes and file choosers of the panel, placed at the panel's
// message-box anchor: the window's top, and its left plus 2400 twips.
class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QWidget *owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget *owner) { m_owner = owner; }

    void message(const QString &text, const QString &title, Icon icon) override;
    bool question(const QString &text, const QString &title) override;
    void timedNotice(const QString &text, const QString &title, int seconds) override;
    QString chooseFile(const QString &caption, const QString &startDir, const QString &filter) override;
    QString chooseFolder(const QString &caption, const QString &startDir) override;

private:
    void place(QWidget *box) const;
    QPointer<QWidget> m_owner;
};

} // namespace vm
