// A resource module made in memory, holding one dialog template, for
// templates the program's own resources do not have.
#ifndef SCRIBBLET_TESTS_DIALOGS_TEST_RESOURCES_H
#define SCRIBBLET_TESTS_DIALOGS_TEST_RESOURCES_H

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace scribblet::dialogs_test {

struct ItemRecipe {
    std::uint16_t class_ordinal; // 0x80 button, 0x81 edit, 0x82 static
    DWORD style;
    short x, y, cx, cy;
    int id;
    std::string text; // ASCII
};

struct DialogRecipe {
    DWORD style;
    short x, y, cx, cy;
    std::string title; // ASCII
    std::vector<ItemRecipe> items;
};

// A module whose dialog `id` is made from recipe, with the 9-point
// "MS UI Gothic" font; free it with resources::free_module.
HINSTANCE MakeDialogModule(std::uint16_t id, const DialogRecipe &recipe);

} // namespace scribblet::dialogs_test

#endif
