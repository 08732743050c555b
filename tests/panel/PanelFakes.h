#pragma once

#include "common/Channel.h"
#include "panel/Launcher.h"
#include "panel/Prompter.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace vm::test {

// Records every record sent, per title; titles exist when the test says so.
class FakeChannel final : public Channel {
public:
    QSet<QString> titles;
    QStringList sent;        // texts sent to the controller
    QStringList otherSent;   // "title|text" of records to other titles
    QStringList closePosted; // titles that got a close request

    bool titleExists(const QString &title) override { return titles.contains(title); }
    bool send(const QString &title, const QString &text) override
    {
        if (title == "環境設定Tunavox")
            sent.append(text);
        else
            otherSent.append(title + u'|' + text);
        return titles.contains(title);
    }
    void postClose(const QString &title) override { closePosted.append(title); }
};

// Records what the panel showed and answers questions from a script.
class FakePrompter final : public Prompter {
public:
    QStringList shown;  // texts of message boxes and notices
    QList<int> seconds; // for timed notices, else 0
    bool answer = true;

    void message(const QString &text, const QString &, Icon) override
    {
        shown.append(text);
        seconds.append(0);
    }
    bool question(const QString &text, const QString &) override
    {
        shown.append(text);
        seconds.append(0);
        return answer;
    }
    void timedNotice(const QString &text, const QString &, int s) override
    {
        shown.append(text);
        seconds.append(s);
    }
    QString file;     // what the file chooser answers
    QString startDir; // where it last opened
    QString chooseFile(const QString &, const QString &dir, const QString &) override
    {
        startDir = dir;
        return file;
    }
    QString chooseFolder(const QString &, const QString &) override { return QString(); }
};

class FakeLauncher final : public Launcher {
public:
    QStringList started; // program followed by its arguments, space-separated
    QStringList opened;
    bool ok = true;

    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        started.append((QStringList{program} + arguments).join(u' '));
        return ok;
    }
    bool openUrl(const QString &url) override
    {
        opened.append(url);
        return ok;
    }
    QStringList stopped;
    bool stopProgram(const QString &processName) override
    {
        stopped.append(processName);
        return true;
    }
};

} // namespace vm::test
