#include "platform/resources/resource_name.h"

#include <algorithm>

namespace scribblet::resources {

namespace {

char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool equal_ignoring_ascii_case(const std::string &a, const std::string &b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return ascii_upper(x) == ascii_upper(y);
           });
}

// "#123" names ordinal 123, as in FindResource.
bool parse_number_name(const char *text, std::uint16_t &ordinal) {
    if (text[0] != '#' || text[1] == '\0')
        return false;
    std::uint32_t value = 0;
    for (const char *p = text + 1; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        value = value * 10 + static_cast<std::uint32_t>(*p - '0');
        if (value > 0xFFFF)
            return false;
    }
    ordinal = static_cast<std::uint16_t>(value);
    return true;
}

} // namespace

ResourceName ResourceName::from_ordinal(std::uint16_t value) {
    ResourceName name;
    name.ordinal = value;
    return name;
}

ResourceName ResourceName::from_text(std::string utf8) {
    ResourceName name;
    name.is_ordinal = false;
    name.text = std::move(utf8);
    return name;
}

bool ResourceName::from_lpcstr(LPCSTR name, ResourceName &out) {
    if (name == nullptr)
        return false;
    if (IS_INTRESOURCE(name)) {
        out = from_ordinal(static_cast<std::uint16_t>(reinterpret_cast<ULONG_PTR>(name)));
        return true;
    }
    std::uint16_t ordinal = 0;
    out = parse_number_name(name, ordinal) ? from_ordinal(ordinal)
                                           : from_text(std::string(name));
    return true;
}

bool operator==(const ResourceName &a, const ResourceName &b) {
    if (a.is_ordinal != b.is_ordinal)
        return false;
    return a.is_ordinal ? a.ordinal == b.ordinal
                        : equal_ignoring_ascii_case(a.text, b.text);
}

} // namespace scribblet::resources
