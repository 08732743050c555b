#pragma once

#include "ManualClock.h"
#include "PanelFakes.h"
#include "TestPaths.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "panel/PanelCore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace vm::test {

// A panel core over a private data folder with a small satellite table:
// AO-07 in two modes (linear), SO-50 (FM), IO-117 ("UU") and RS-44 (linear,
// no beacon).
class PanelFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        writeTable(tableLines());
        m_settings = std::make_unique<Settings>(path("Velomira.ini"));
        // The controller listens unless a test says otherwise.
        m_channel.titles.insert(PanelCore::controllerTitle());
        makeCore();
    }

    static QStringList tableLines()
    {
        return {"Name,UpLink,DownLink,Width,Beacon,Tone,TXTRV,RXTRV,NonRev,MLTmode",
                "AO-07,432125,145925,50,145975,,,,,B-mode",
                "AO-07,145850,29400,100,29502,,,,Y,A-mode",
                "SO-50,145850,436795,,,67.0,,,,",
                "IO-117,435310,435310,10,435305,,,,Y,UU",
                "RS-44,145935,435610,60,,,,,,"};
    }

    void writeTable(const QStringList &lines)
    {
        ASSERT_TRUE(TextFile::writeLinesAtomic(path("SATdata.txt"), lines));
    }

    void makeCore()
    {
        m_core = std::make_unique<PanelCore>(m_channel, *m_settings, m_prompter, m_launcher, m_clock,
                                             m_dir.path());
        m_core->table().load(path("SATdata.txt"));
        m_core->loadSettings();
        m_channel.sent.clear();
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    void report(const QString &text) { m_core->handleRecord(text); }
    const ControlState &control(const QString &name) const { return m_core->view()[name]; }
    QStringList takeSent()
    {
        const QStringList s = m_channel.sent;
        m_channel.sent.clear();
        return s;
    }
    // The controller reports a satellite and is ready with Doppler state 0.
    void takeUp(const QString &name, const QString &state = "0")
    {
        report("OPPSAN" + name);
        report("OPPSTC" + state);
        report("OPPKAN");
        m_channel.sent.clear();
    }
    void rig(const QString &payload) { report("OPPRIG" + payload); }
    // The ADIF log the panel writes; empty while there is none.
    QByteArray logged() const { return readFile(path("velomira_log.adi")); }

    QTemporaryDir m_dir;
    std::unique_ptr<Settings> m_settings;
    FakeChannel m_channel;
    FakePrompter m_prompter;
    FakeLauncher m_launcher;
    ManualClock m_clock;
    std::unique_ptr<PanelCore> m_core;
};

} // namespace vm::test
