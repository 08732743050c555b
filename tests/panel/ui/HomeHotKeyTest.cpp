// The Home hot key on a real X server (Xvfb), skipped where there is none.
#include "panel/ui/HomeHotKey.h"

#include "VirtualDisplay.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

using vm::HomeHotKey;

namespace {

int argcStore = 1;
char arg0[] = "home_hot_key_test";
char *argvStore[] = {arg0, nullptr};

class HomeHotKeyTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_x = new vm::test::VirtualDisplay;
        if (!s_x->start())
            return;
        s_display = s_x->display().toUtf8();
        qputenv("DISPLAY", s_display);
        qputenv("QT_QPA_PLATFORM", "xcb");
        s_app = new QApplication(argcStore, argvStore);
    }

    static void TearDownTestSuite()
    {
        delete s_app;
        s_app = nullptr;
        delete s_x;
        s_x = nullptr;
    }

    void SetUp() override
    {
        if (!s_app)
            GTEST_SKIP() << "no X server (Xvfb) to test on";
    }

    // Whether another client can grab the key now.
    static bool otherClientCanGrab(std::uint8_t keycode)
    {
        xcb_connection_t *c = xcb_connect(s_display.constData(), nullptr);
        if (xcb_connection_has_error(c)) {
            xcb_disconnect(c);
            return false;
        }
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_generic_error_t *error = xcb_request_check(
            c, xcb_grab_key_checked(c, 1, root, 0, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        const bool ok = error == nullptr;
        std::free(error);
        xcb_disconnect(c);
        return ok;
    }

    static inline vm::test::VirtualDisplay *s_x = nullptr;
    static inline QApplication *s_app = nullptr;
    static inline QByteArray s_display;
};

} // namespace

TEST_F(HomeHotKeyTest, GrabsHomeOnTheRootWindowUntilDestroyedAndOnlyItsPressRaises)
{
    auto hotKey = std::make_unique<HomeHotKey>();
    ASSERT_TRUE(hotKey->registered());
    const std::uint8_t keycode = hotKey->keycode();
    ASSERT_NE(keycode, 0);
    EXPECT_FALSE(otherClientCanGrab(keycode)); // the panel holds it
    int pressed = 0;
    QObject::connect(hotKey.get(), &HomeHotKey::pressed, [&] { ++pressed; });
    xcb_key_press_event_t key{};
    key.response_type = XCB_KEY_PRESS;
    key.detail = keycode;
    key.event = hotKey->rootWindow();
    qintptr result = 0;
    EXPECT_TRUE(hotKey->nativeEventFilter("xcb_generic_event_t", &key, &result));
    key.detail = std::uint8_t(keycode + 1);
    EXPECT_FALSE(hotKey->nativeEventFilter("xcb_generic_event_t", &key, &result));
    key.detail = keycode;
    key.response_type = XCB_KEY_RELEASE;
    EXPECT_FALSE(hotKey->nativeEventFilter("xcb_generic_event_t", &key, &result));
    EXPECT_EQ(pressed, 1);
    hotKey.reset();
    EXPECT_TRUE(otherClientCanGrab(keycode)); // released with the panel
}
