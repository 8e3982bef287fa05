#include "main_window_fixture.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct ThreeWindows : MainWindowFixture {
    ThreeWindows() {
        window->show();
        for (const char *name : {"frmA", "frmB", "frmC"}) {
            registerCounting(name);
            window->showChild(name)->resize(200, 150);
        }
    }
    QMdiSubWindow *sub(const char *name) {
        return qobject_cast<QMdiSubWindow *>(window->findChild(name)->parentWidget());
    }
    QRect room() const { return window->mdiArea()->viewport()->rect(); }
};

} // namespace

TEST(WindowArrangement, theTwoTilingsShareTheAreaOneAboveAnotherOrSideBySide) {
    ThreeWindows f;
    f.choose("mnuWindowTileUD");
    const QRect room = f.room();
    int top = 0;
    for (const char *name : {"frmA", "frmB", "frmC"}) {
        const QRect frame = f.sub(name)->geometry();
        EXPECT_EQ(frame.left(), 0) << name;
        EXPECT_EQ(frame.width(), room.width()) << name;
        EXPECT_EQ(frame.top(), top) << name;
        top = frame.bottom() + 1;
    }
    EXPECT_EQ(top, room.height());

    f.choose("mnuWindowTileLR");
    int left = 0;
    for (const char *name : {"frmA", "frmB", "frmC"}) {
        const QRect frame = f.sub(name)->geometry();
        EXPECT_EQ(frame.top(), 0) << name;
        EXPECT_EQ(frame.height(), room.height()) << name;
        EXPECT_EQ(frame.left(), left) << name;
        left = frame.right() + 1;
    }
    EXPECT_EQ(left, room.width());
}

TEST(WindowArrangement, iconsLineUpAlongTheBottomAndTilingLeavesThemRoom) {
    ThreeWindows f;
    f.sub("frmA")->showMinimized();
    f.sub("frmC")->showMinimized();
    f.sub("frmA")->move(300, 40);

    f.choose("mnuWindowArrangeIcon");
    const QRect room = f.room();
    const QRect a = f.sub("frmA")->geometry(), c = f.sub("frmC")->geometry();
    EXPECT_EQ(a.topLeft(), QPoint(0, room.height() - a.height()));
    EXPECT_EQ(c.topLeft(), QPoint(a.width(), room.height() - c.height()));

    f.choose("mnuWindowTileUD");
    const QRect b = f.sub("frmB")->geometry();
    EXPECT_EQ(b.top(), 0);
    EXPECT_EQ(b.bottom() + 1, a.top()) << "the tiled window covers the icons";
    EXPECT_TRUE(f.sub("frmA")->isMinimized());
}

TEST(WindowArrangement, cascadeStaggersTheWindows) {
    ThreeWindows f;
    f.choose("mnuWindowCascade");
    const QPoint a = f.sub("frmA")->pos(), b = f.sub("frmB")->pos(), c = f.sub("frmC")->pos();
    EXPECT_LT(a.x(), b.x());
    EXPECT_LT(b.x(), c.x());
    EXPECT_LT(a.y(), b.y());
    EXPECT_LT(b.y(), c.y());
}
