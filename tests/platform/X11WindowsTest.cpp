// Finds windows by title on a real X server (Xvfb started by the test).

#include "platform/ui/X11Windows.h"
#include "VirtualDisplay.h"

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstring>

using namespace vm;
using vm::test::VirtualDisplay;

namespace {

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name), nullptr);
    const xcb_atom_t a = r->atom;
    free(r);
    return a;
}

// Waits for a round trip: the server has every request sent so far.
void sync(xcb_connection_t *c)
{
    xcb_flush(c);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

// A top-level window with a UTF-8 title, made directly with xcb.
xcb_window_t makeWindow(xcb_connection_t *c, const QByteArray &utf8Title)
{
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 0, 0, 50, 50, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"), 8,
                        static_cast<uint32_t>(utf8Title.size()), utf8Title.constData());
    xcb_map_window(c, w);
    sync(c);
    return w;
}

} // namespace

TEST(X11Windows, FindsRaisesAndNamesTheProcessOfTopLevelWindowsByExactTitle)
{
    VirtualDisplay x;
    if (!x.start())
        GTEST_SKIP() << "Xvfb is not installed";

    xcb_connection_t *c = xcb_connect(x.display().toLocal8Bit().constData(), nullptr);
    ASSERT_EQ(xcb_connection_has_error(c), 0);
    const xcb_window_t tracker = makeWindow(c, "Kepral32");
    const xcb_window_t japanese = makeWindow(c, QStringLiteral("環境設定Tunavox").toUtf8());

    X11Windows windows(x.display());
    ASSERT_TRUE(windows.available());
    EXPECT_TRUE(windows.exists("Kepral32"));
    EXPECT_TRUE(windows.exists("環境設定Tunavox"));
    EXPECT_FALSE(windows.exists("kepral32"));
    EXPECT_FALSE(windows.exists("Kepral"));

    // The process a window says it belongs to.
    EXPECT_EQ(windows.processId("Kepral32"), std::nullopt); // it does not say
    const uint32_t pid = 4711;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, japanese, atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1,
                        &pid);
    sync(c);
    EXPECT_EQ(windows.processId("環境設定Tunavox"), std::optional<qint64>(4711));
    EXPECT_EQ(windows.processId("Kepral"), std::nullopt);

    // Raising brings a window to the top.
    const auto topmost = [c] {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_query_tree_reply_t *tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
        const int n = xcb_query_tree_children_length(tree);
        const xcb_window_t top = n > 0 ? xcb_query_tree_children(tree)[n - 1] : 0;
        free(tree);
        return top;
    };
    ASSERT_NE(topmost(), tracker);
    EXPECT_TRUE(windows.raise(QStringLiteral("Kepral32")));
    EXPECT_EQ(topmost(), tracker);
    EXPECT_FALSE(windows.raise(QStringLiteral("OP Schedule")));

    xcb_destroy_window(c, japanese);
    sync(c);
    EXPECT_FALSE(windows.exists("環境設定Tunavox"));
    xcb_disconnect(c);
}

TEST(X11Windows, WithoutADisplayNothingExists)
{
    X11Windows windows(":987");
    EXPECT_FALSE(windows.available());
    EXPECT_FALSE(windows.exists("Kepral32"));
    EXPECT_TRUE(windows.titles().isEmpty());
}
