// The panel's reach into the Windows tracking program (Kepral32 under Wine):
// its macro, its satellite selection, its pass prediction and the controls
// the extended mode presses, all by window messages through WindowsPrograms.
#include "panel/PanelCore.h"

#include "common/Channel.h"
#include "common/DataDir.h"
#include "panel/Prompter.h"
#include "platform/ProgramFolder.h"

#include <QFileInfo>

namespace vm {

namespace {

// The child window the pass prediction text is counted from, and how many
// siblings on it is.
const QString PassTextAnchorClass = QStringLiteral("ThunderRT6CommandButton");
constexpr int PassTextSteps = 56;
constexpr int SatelliteSelectionControl = 37;

} // namespace

std::optional<PanelCore::TrackerWindow> PanelCore::trackerWindow()
{
    // Only Kepral32 is reached this way; nobody else waits for Wine to start.
    if (!m_windows || m_calcType != u"1")
        return std::nullopt;
    for (const QString &title : trackerWindowTitles()) {
        if (std::optional<WindowsPrograms::WindowOwner> owner = m_windows->findWindow(title))
            return TrackerWindow{title, *owner};
    }
    return std::nullopt;
}

QString PanelCore::trackerVersionString(const QString &fileVersion)
{
    return QString(fileVersion).remove(u'.');
}

std::optional<PanelCore::MacroControls> PanelCore::macroControls(const QString &version)
{
    static const struct {
        const char16_t *version;
        MacroControls controls;
    } table[] = {
        {u"1509", {39, 101}}, {u"1508", {39, 101}}, {u"1507", {39, 101}}, {u"1506", {39, 101}},
        {u"1505", {39, 101}}, {u"1504", {39, 101}}, {u"1503", {39, 101}}, {u"1502", {39, 101}},
        {u"1407", {36, 96}},  {u"14010", {36, 98}},
    };
    for (const auto &row : table)
        if (version == QStringView(row.version))
            return row.controls;
    return std::nullopt;
}

std::optional<QString> PanelCore::trackerFolder(const std::optional<TrackerWindow> &known)
{
    for (const QString &title : trackerWindowTitles()) {
        if (m_programFolder)
            if (const std::optional<QString> folder = m_programFolder(title))
                return folder;
    }
    // Not seen on this desktop: the bridge knows the program's Windows path.
    const std::optional<TrackerWindow> tracker = known ? known : trackerWindow();
    return tracker ? wineProgramFolder(tracker->owner.path) : std::nullopt;
}

bool PanelCore::windowPresent(const QString &title)
{
    return m_channel.titleExists(title) || (m_windows && m_windows->findWindow(title));
}

void PanelCore::clickTracker(std::initializer_list<int> controlIds)
{
    const std::optional<TrackerWindow> tracker = trackerWindow();
    if (!tracker)
        return;
    for (int id : controlIds)
        m_windows->clickControl(tracker->title, id);
}

bool PanelCore::raiseTrackerWindow(const QString &title)
{
    const std::optional<TrackerWindow> tracker = trackerWindow();
    return tracker && tracker->title == title && m_windows->raiseWindow(title);
}

void PanelCore::toggleTrackerMacro()
{
    const std::optional<TrackerWindow> tracker = trackerWindow();
    if (!tracker)
        return;
    const std::optional<QString> folder = trackerFolder(tracker);
    const QFileInfo macro(folder ? findFileNoCase(*folder, QStringLiteral("Macro.txt")) : QString());
    if (!macro.exists() || macro.lastModified().date() != today()) {
        m_prompter.message(tr("マクロが今日のものではないと思われます。"), panelTitle(),
                           Prompter::Icon::Information);
        return;
    }
    const std::optional<MacroControls> controls = macroControls(trackerVersionString(tracker->owner.version));
    if (!controls)
        return;
    const bool running = windowPresent(QStringLiteral("マクロ実行ステータス"));
    if (!m_windows->clickControl(tracker->title, running ? controls->stop : controls->start))
        return;
    m_view.setText(Control::MacroMenu, running ? QStringLiteral("ﾏｸﾛ on(&O)") : QStringLiteral("ﾏｸﾛ off(&O)"));
}

QString PanelCore::trackerPassText()
{
    const std::optional<TrackerWindow> tracker = trackerWindow();
    if (!tracker)
        return {};
    return m_windows->windowText(tracker->title, PassTextAnchorClass, PassTextSteps).value_or(QString());
}

QString PanelCore::trackedSatellite() const
{
    const QString shown = m_view[Control::TrackedName].text.trimmed();
    return shown.isEmpty() ? m_satName : shown;
}

void PanelCore::clickTrackedName()
{
    if (m_calcType == u"4") {
        emit satelliteChooserRequested();
        return;
    }
    // The tracking program's own satellite selection, unless it is open.
    if (m_calcType == u"1" && !windowPresent(QStringLiteral("衛星の選択")))
        clickTracker({SatelliteSelectionControl, SatelliteSelectionControl});
}

} // namespace vm
