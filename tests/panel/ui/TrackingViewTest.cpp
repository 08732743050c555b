// The tracking window joined to the panel: menu entry, Information frame,
// remembered place, and the polar plot rendered offscreen.
#include "panel/ui/TrackingView.h"
#include "../PanelFixture.h"
#include "WidgetApplication.h"
#include "common/SettingKeys.h"
#include "orbit/OverheadOrbit.h"
#include "panel/ui/PanelWindow.h"
#include "panel/ui/PolarPlot.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace vm;
using namespace vm::test;

namespace {

class TrackingViewTest : public PanelFixture {
protected:
    void SetUp() override
    {
        ensureWidgetApplication();
        PanelFixture::SetUp();
        m_settings->setValue(keys::Latitude, "35.68");
        m_settings->setValue(keys::Longitude, "139.77");
        orbit::OverheadOrbitRequest r;
        r.name = "RS-44";
        r.station = {35.68, 139.77, 0};
        r.epochUnixMs = m_clock.utcMs();
        r.culminationUnixMs = m_clock.utcMs() + 10 * 60'000;
        const orbit::Tle t = orbit::designOverheadOrbit(r);
        ASSERT_TRUE(
            TextFile::writeLinesAtomic(path("nasabare.txt"), {"RS-44", QString::fromStdString(t.line1),
                                                              QString::fromStdString(t.line2)}));
        m_window = std::make_unique<PanelWindow>(*m_core, *m_settings, m_launcher);
        m_view = new TrackingView(*m_window, *m_core, *m_settings, m_clock, m_dir.path());
    }
    void TearDown() override { m_window.reset(); }

    std::unique_ptr<PanelWindow> m_window;
    TrackingView *m_view = nullptr;
};

TEST_F(TrackingViewTest, OpensFromTheMenuAndShowsThePassUnderWay)
{
    report("OPPSANRS-44");
    m_clock.advance(10 * 60'000); // the culmination
    m_view->tick();
    EXPECT_TRUE(m_view->infoLabel()->text().contains("LOS")) << m_view->infoLabel()->text().toStdString();

    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window.get(), Qt::Key_F12);
    TrackingWindow *w = m_view->window();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(m_settings->value(keys::TrackViewOpen), "1");
    EXPECT_TRUE(w->valueText("countdown").contains("LOS"));
    EXPECT_TRUE(w->valueText("elevation").endsWith("°"));

    // Rendered offscreen: the satellite red where the model puts it, the AOS end of the track blue.
    const TrackingViewModel::Snapshot &s = m_view->model().snapshot();
    QImage image(400, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    PolarPlot::paint(painter, image.rect(), s);
    painter.end();
    const QPointF centre = QRectF(image.rect()).center();
    const double radius = 200 - 1.6 * 15; // the plot's margin for a 400-pixel side
    const QColor sat = image.pixelColor(
        TrackingViewModel::plotPoint(s.look.azimuthDeg, s.look.elevationDeg, centre, radius).toPoint());
    const QColor aos = image.pixelColor(
        TrackingViewModel::plotPoint(s.track.front().azimuthDeg, 0, centre, radius).toPoint());
    EXPECT_TRUE(sat.red() > 180 && sat.green() < 60) << sat.name().toStdString();
    EXPECT_TRUE(aos.blue() > 150 && aos.red() < 60) << aos.name().toStdString();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));

    m_view->action()->trigger();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(m_settings->value(keys::TrackViewOpen), "0");
    EXPECT_EQ(m_settings->value(keys::TrackViewGeometry).split(',').size(), 4);
}

TEST_F(TrackingViewTest, SaysSoWhenTheTleFileLacksTheSatellite)
{
    report("OPPSANSO-50");
    m_view->setOpen(true);
    EXPECT_TRUE(m_view->infoLabel()->text().isEmpty());
    EXPECT_TRUE(m_view->window()->valueText("message").contains("SO-50"));
}

} // namespace
