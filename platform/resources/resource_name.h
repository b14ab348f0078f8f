// How a resource, and a dialog item's class and text, are named: a 16-bit
// ordinal or a string, as in Windows' MAKEINTRESOURCE. The program names
// every resource by number, so only ordinals are ever looked up; strings
// are read where the format holds them (texts, and so that a file holding
// one still parses).
#ifndef SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_NAME_H
#define SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_NAME_H

#include <cstdint>
#include <string>

#include "platform/windows_internal.h"

namespace scribblet::resources {

// An ordinal or a string (UTF-8).
struct ResourceName {
    bool is_ordinal = true;
    std::uint16_t ordinal = 0; // when is_ordinal
    std::string text;          // when !is_ordinal

    // Whether this is the ordinal that a Windows call names as
    // MAKEINTRESOURCEA(n); a string name given to a call matches nothing.
    bool is(LPCSTR name) const
    {
        return name != nullptr && IS_INTRESOURCE(name) && is_ordinal &&
               ordinal == LOWORD(name);
    }

    friend bool operator==(const ResourceName &,
                           const ResourceName &) = default;
};

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_NAME_H
