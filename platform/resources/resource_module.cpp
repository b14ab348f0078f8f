// Resource modules (HINSTANCE) and the objects loaded from them: accelerator
// tables (HACCEL) and icons (HICON), each in a handle table so that a stale
// or foreign handle is refused.
#include <memory>
#include <utility>

#include "platform/handles/handle_table.h"
#include "platform/resources/resource_reader.h"
#include "res/embedded_resources.h"

namespace scribblet::resources {

namespace {

using AcceleratorTable = std::vector<AcceleratorEntry>;
using IconFile = std::vector<std::uint8_t>; // an .ico file's bytes
using Data = std::span<const std::uint8_t>;

// A loaded module and the shared objects already loaded from it, by the
// entry they were made from, so that loading the same table or icon again
// gives the same handle, as Windows does for LoadAccelerators and LoadIcon
// (the program loads its icon for each window class and each About box).
struct Module {
    ResourceFile file;
    std::vector<std::pair<const ResourceEntry *, HACCEL>> accelerator_tables;
    std::vector<std::pair<const ResourceEntry *, HICON>> icons;
};

struct Tables {
    HandleTable<Module, HINSTANCE> modules{HandleKind::module};
    HandleTable<AcceleratorTable, HACCEL> accelerator_tables{
        HandleKind::accelerator_table};
    HandleTable<IconFile, HICON> icons{HandleKind::icon};
};

Tables &tables()
{
    static Tables the_tables;
    return the_tables;
}

const ResourceEntry *find_entry(HINSTANCE instance, LPCSTR type, LPCSTR name)
{
    const ResourceFile *file = module_file(instance);
    return file ? file->find(type, name) : nullptr;
}

// The handle already loaded from the named entry, or a new one for what
// make(file, data) makes of it; null when the resource is missing or make
// gives nothing.
template <typename Object, typename Handle, typename Make>
Handle load_shared(
    HINSTANCE instance, LPCSTR name, LPCSTR type,
    std::vector<std::pair<const ResourceEntry *, Handle>> Module::*cache,
    HandleTable<Object, Handle> &table, Make make)
{
    Module *module = tables().modules.lookup(instance);
    const ResourceEntry *entry =
        module ? module->file.find(type, name) : nullptr;
    if (entry == nullptr)
        return Handle{};
    for (const auto &[loaded_from, handle] : module->*cache)
        if (loaded_from == entry)
            return handle;
    std::optional<Object> object = make(module->file, entry->data);
    const Handle handle =
        object ? table.add(std::make_unique<Object>(std::move(*object)))
               : Handle{};
    if (handle)
        (module->*cache).emplace_back(entry, handle);
    return handle;
}

} // namespace

HINSTANCE program_instance()
{
    static const HINSTANCE instance = [] {
        std::optional<ResourceFile> parsed = ResourceFile::parse(
            std::vector<std::uint8_t>(scribblet_embedded_resources_begin,
                                      scribblet_embedded_resources_end));
        return parsed ? tables().modules.add(std::make_unique<Module>(
                            Module{std::move(*parsed), {}, {}}))
                      : nullptr;
    }();
    return instance;
}

const ResourceFile *module_file(HINSTANCE instance)
{
    const Module *module = tables().modules.lookup(instance);
    return module ? &module->file : nullptr;
}

std::optional<Menu> load_menu(HINSTANCE instance, LPCSTR name)
{
    const ResourceEntry *entry = find_entry(instance, RT_MENU, name);
    return entry ? parse_menu(entry->data) : std::nullopt;
}

std::optional<DialogTemplate> load_dialog_template(HINSTANCE instance,
                                                   LPCSTR name)
{
    const ResourceEntry *entry = find_entry(instance, RT_DIALOG, name);
    return entry ? parse_dialog_template(entry->data) : std::nullopt;
}

const std::vector<AcceleratorEntry> *accelerator_entries(HACCEL table)
{
    return tables().accelerator_tables.lookup(table);
}

const std::vector<std::uint8_t> *icon_file_bytes(HICON icon)
{
    return tables().icons.lookup(icon);
}

} // namespace scribblet::resources

using namespace scribblet::resources;

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName)
{
    return load_shared(hInstance, lpTableName, RT_ACCELERATOR,
                       &Module::accelerator_tables, tables().accelerator_tables,
                       [](const ResourceFile &, Data data) {
                           return parse_accelerators(data);
                       });
}

// A null instance asks for the system's stock icons, which this platform
// does not provide: the caller gets NULL, as for any missing icon.
HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName)
{
    return load_shared(hInstance, lpIconName, RT_GROUP_ICON, &Module::icons,
                       tables().icons, make_ico_file);
}
