// libFuzzer target for the resource reader: the input is read as a whole
// resource file, and also handed raw to every resource parser. Any read out
// of bounds is caught by the sanitizers; the checks below trap on results
// that break the reader's promises.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/resources/accelerator_resource.h"
#include "platform/resources/dialog_template.h"
#include "platform/resources/icon_resource.h"
#include "platform/resources/menu_resource.h"
#include "platform/resources/resource_file.h"
#include "platform/resources/string_table.h"
#include "platform/resources/utf16.h"

using namespace scribblet::resources;

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

std::size_t count_items(const std::vector<MenuItem> &items, int depth)
{
    check(items.empty() || depth <= max_menu_depth);
    std::size_t count = items.size();
    for (const MenuItem &item : items) {
        check((item.flags & MF_END) == 0);
        check(item.is_popup() || item.items.empty());
        count += count_items(item.items, depth + 1);
    }
    return count;
}

void parse_everything(std::span<const std::uint8_t> data)
{
    if (const auto menu = parse_menu(data))
        check(count_items(menu->items, 1) * 4 <= data.size());
    if (const auto dialog = parse_dialog_template(data))
        check(dialog->items.size() * 24 <= data.size());
    if (const auto table = parse_accelerators(data))
        check(!table->empty() && table->size() * 8 <= data.size());
    if (const auto group = parse_icon_group(data))
        check(6 + group->entries.size() * 14 <= data.size());
    for (unsigned index = 0; index < 16; ++index)
        string_from_block(data, index);
}

void check_utf8_prefix(std::span<const std::uint8_t> data)
{
    const std::string_view text(reinterpret_cast<const char *>(data.data()),
                                data.size());
    for (std::size_t max : {std::size_t{0}, data.size() / 2, data.size()}) {
        const std::size_t length = utf8_prefix_length(text, max);
        check(length <= max);
        check(length == text.size() ||
              (static_cast<unsigned char>(text[length]) & 0xC0) != 0x80 ||
              length == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    parse_everything(bytes);
    check_utf8_prefix(bytes);

    const auto file = ResourceFile::parse(
        std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    if (!file)
        return 0;
    for (const ResourceEntry &entry : file->entries()) {
        check(entry.data.size() <= size);
        parse_everything(entry.data);
        if (entry.type.is(RT_GROUP_ICON))
            if (const auto group = parse_icon_group(entry.data))
                if (const auto ico = make_ico_file(*file, *group))
                    check(ico->size() >= 6 + 16 * group->entries.size());
    }
    return 0;
}
