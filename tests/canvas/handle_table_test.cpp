#include "platform/gdi/handle_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/platform.h"

using namespace scribblet;

namespace {

struct Thing {
    int value;
};

using Table = HandleTable<Thing, HWND>;

HWND add(Table &table, int value) {
    return table.add(std::make_unique<Thing>(Thing{value}));
}

} // namespace

TEST(GdiHandleTable, RefusesNullStaleForeignAndFixedHandles) {
    Table windows(HandleKind::window);
    Table menus(HandleKind::menu);
    const HWND window = add(windows, 1);
    const HWND menu = add(menus, 2);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windows.lookup(window)->value, 1);

    EXPECT_EQ(windows.lookup(nullptr), nullptr);
    EXPECT_EQ(windows.lookup(menu), nullptr);
    EXPECT_EQ(menus.lookup(window), nullptr);
    EXPECT_EQ(handle_kind(menu), HandleKind::menu);
    EXPECT_EQ(windows.lookup(
                  fixed_handle<HWND>(HandleKind::window, desktop_window_id)),
              nullptr);

    ASSERT_NE(windows.remove(window), nullptr);
    EXPECT_EQ(windows.lookup(window), nullptr);
    EXPECT_EQ(windows.remove(window), nullptr);
    EXPECT_EQ(windows.size(), 0u);
}

TEST(GdiHandleTable, ReusedSlotGetsNewHandleAndOldOneStaysDead) {
    Table table(HandleKind::window);
    const HWND first = add(table, 1);
    table.remove(first);
    const HWND second = add(table, 2);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(table.lookup(first), nullptr);
    EXPECT_EQ(table.lookup(second)->value, 2);
}

TEST(GdiHandleTable, RefusesNoObjectAndVisitsLiveObjectsInSlotOrder) {
    Table table(HandleKind::window);
    EXPECT_EQ(table.add(nullptr), nullptr);
    const HWND a = add(table, 10);
    const HWND b = add(table, 20);
    const HWND c = add(table, 30);
    table.remove(b);
    std::vector<HWND> handles;
    int sum = 0;
    table.for_each([&](HWND handle, Thing &thing) {
        handles.push_back(handle);
        sum += thing.value;
    });
    EXPECT_EQ(handles, (std::vector<HWND>{a, c}));
    EXPECT_EQ(sum, 40);
    EXPECT_EQ(table.size(), 2u);
}
