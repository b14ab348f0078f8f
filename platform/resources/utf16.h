// Conversions between the resource format's UTF-16 and the UTF-8 that the
// narrow ("A") functions hand out on this platform.
#ifndef SCRIBBLET_PLATFORM_RESOURCES_UTF16_H
#define SCRIBBLET_PLATFORM_RESOURCES_UTF16_H

#include <cstddef>
#include <string>
#include <string_view>

namespace scribblet::resources {

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD, as Windows'
// WideCharToMultiByte does for CP_UTF8.
std::string utf16_to_utf8(std::u16string_view units);

// The length of the longest prefix of text that has at most max_bytes bytes
// and does not end inside a UTF-8 sequence.
std::size_t utf8_prefix_length(std::string_view text, std::size_t max_bytes);

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_UTF16_H
