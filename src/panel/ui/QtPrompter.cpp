#include "panel/ui/QtPrompter.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace vm {

namespace {

QMessageBox::Icon toIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Critical:
        return QMessageBox::Critical;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Every box is also written to standard error, so that a panel started from
// a terminal (or by a test) leaves a trace of what it asked and said.
void trace(const QString &kind, const QString &title, const QString &text)
{
    std::fprintf(stderr, "velomira: %s [%s] %s\n", qPrintable(kind), qPrintable(title),
                 qPrintable(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))));
}

} // namespace

void QtPrompter::place(QWidget *box) const
{
    if (!m_owner)
        return;
    // 2400 twips are 160 pixels at 96 dots per inch.
    const QPoint anchor = m_owner->frameGeometry().topLeft() + QPoint(160, 0);
    box->move(anchor);
}

void QtPrompter::message(const QString &text, const QString &title, Icon icon)
{
    trace(QStringLiteral("message"), title, text);
    QMessageBox box(toIcon(icon), title, text, QMessageBox::Ok, m_owner);
    place(&box);
    box.exec();
}

bool QtPrompter::question(const QString &text, const QString &title)
{
    trace(QStringLiteral("question"), title, text);
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, m_owner);
    place(&box);
    return box.exec() == QMessageBox::Yes;
}

void QtPrompter::timedNotice(const QString &text, const QString &title, int seconds)
{
    trace(QStringLiteral("notice"), title, text);
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, m_owner);
    place(&box);
    QTimer::singleShot(qMax(1, seconds) * 1000, &box, &QMessageBox::accept);
    box.exec();
}

QString QtPrompter::chooseFile(const QString &caption, const QString &startDir, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_owner, caption, startDir, filter);
}

QString QtPrompter::chooseFolder(const QString &caption, const QString &startDir)
{
    return QFileDialog::getExistingDirectory(m_owner, caption, startDir);
}

} // namespace vm
