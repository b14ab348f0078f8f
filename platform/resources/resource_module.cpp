// Resource modules (HINSTANCE) and the objects loaded from them: accelerator
// tables (HACCEL) and icons (HICON), each in a handle table so that a stale
// or foreign handle is refused.
#include <memory>
#include <utility>

#include "platform/gdi/handle_table.h"
#include "platform/resources/resource_reader.h"
#include "res/embedded_resources.h"

namespace scribblet::resources {

namespace {

using AcceleratorTable = std::vector<AcceleratorEntry>;
using IconFile = std::vector<std::uint8_t>; // an .ico file's bytes

// A loaded module and the shared objects already loaded from it, so that
// loading the same table or icon again gives the same handle, as Windows
// does for LoadAccelerators and LoadIcon.
struct Module {
    explicit Module(ResourceFile parsed) : file(std::move(parsed)) {}
    ResourceFile file;
    std::vector<std::pair<ResourceName, HACCEL>> accelerator_tables;
    std::vector<std::pair<ResourceName, HICON>> icons;
};

HandleTable<Module, HINSTANCE> &modules() {
    static HandleTable<Module, HINSTANCE> table(HandleKind::module);
    return table;
}

HandleTable<AcceleratorTable, HACCEL> &accelerator_tables() {
    static HandleTable<AcceleratorTable, HACCEL> table(HandleKind::accelerator_table);
    return table;
}

HandleTable<IconFile, HICON> &icons() {
    static HandleTable<IconFile, HICON> table(HandleKind::icon);
    return table;
}

HINSTANCE make_program_instance() {
    return load_module(std::vector<std::uint8_t>(scribblet_embedded_resources_begin,
                                                 scribblet_embedded_resources_end));
}

const ResourceEntry *find_entry(HINSTANCE instance, std::uint16_t type,
                                LPCSTR name) {
    ResourceName wanted;
    if (!ResourceName::from_lpcstr(name, wanted))
        return nullptr;
    const ResourceFile *file = module_file(instance);
    return file ? file->find(ResourceName::from_ordinal(type), wanted) : nullptr;
}

// The handle already loaded under name, or a new one from make(entry data);
// null when the resource is missing or make fails.
template <typename Object, typename Handle, typename Make>
Handle load_shared(HINSTANCE instance, LPCSTR name, std::uint16_t type,
                   std::vector<std::pair<ResourceName, Handle>> Module::*cache,
                   HandleTable<Object, Handle> &table, Make make) {
    Module *module = modules().lookup(instance);
    ResourceName wanted;
    if (module == nullptr || !ResourceName::from_lpcstr(name, wanted))
        return Handle{};
    for (const auto &[loaded_name, handle] : module->*cache)
        if (loaded_name == wanted)
            return handle;
    const ResourceEntry *entry =
        module->file.find(ResourceName::from_ordinal(type), wanted);
    if (entry == nullptr)
        return Handle{};
    std::unique_ptr<Object> object = make(*module, *entry);
    if (!object)
        return Handle{};
    const Handle handle = table.add(std::move(object));
    if (handle)
        (module->*cache).emplace_back(wanted, handle);
    return handle;
}

} // namespace

HINSTANCE program_instance() {
    static const HINSTANCE instance = make_program_instance();
    return instance;
}

HINSTANCE load_module(std::vector<std::uint8_t> res_file) {
    std::optional<ResourceFile> parsed = ResourceFile::parse(std::move(res_file));
    if (!parsed)
        return nullptr;
    return modules().add(std::make_unique<Module>(std::move(*parsed)));
}

BOOL free_module(HINSTANCE instance) {
    if (instance == program_instance())
        return FALSE;
    const std::unique_ptr<Module> module = modules().remove(instance);
    if (!module)
        return FALSE;
    for (const auto &entry : module->accelerator_tables)
        accelerator_tables().remove(entry.second);
    for (const auto &entry : module->icons)
        icons().remove(entry.second);
    return TRUE;
}

const ResourceFile *module_file(HINSTANCE instance) {
    const Module *module = modules().lookup(instance);
    return module ? &module->file : nullptr;
}

const ResourceEntry *find_resource(HINSTANCE instance, LPCSTR type, LPCSTR name) {
    ResourceName wanted_type;
    ResourceName wanted_name;
    const ResourceFile *file = module_file(instance);
    if (file == nullptr || !ResourceName::from_lpcstr(type, wanted_type) ||
        !ResourceName::from_lpcstr(name, wanted_name))
        return nullptr;
    return file->find(wanted_type, wanted_name);
}

std::optional<Menu> load_menu(HINSTANCE instance, LPCSTR name) {
    const ResourceEntry *entry = find_entry(instance, resource_type::menu, name);
    return entry ? parse_menu(entry->data) : std::nullopt;
}

std::optional<DialogTemplate> load_dialog_template(HINSTANCE instance, LPCSTR name) {
    const ResourceEntry *entry = find_entry(instance, resource_type::dialog, name);
    return entry ? parse_dialog_template(entry->data) : std::nullopt;
}

const std::vector<AcceleratorEntry> *accelerator_entries(HACCEL table) {
    return accelerator_tables().lookup(table);
}

const std::vector<std::uint8_t> *icon_file_bytes(HICON icon) {
    return icons().lookup(icon);
}

} // namespace scribblet::resources

using namespace scribblet::resources;

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName) {
    return load_shared(
        hInstance, lpTableName, resource_type::accelerator,
        &Module::accelerator_tables, accelerator_tables(),
        [](const Module &, const ResourceEntry &entry) -> std::unique_ptr<AcceleratorTable> {
            auto entries = parse_accelerators(entry.data);
            return entries ? std::make_unique<AcceleratorTable>(std::move(*entries))
                           : nullptr;
        });
}

// A null instance asks for the system's stock icons, which this platform
// does not provide: the caller gets NULL, as for any missing icon.
HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
    return load_shared(
        hInstance, lpIconName, resource_type::group_icon, &Module::icons, icons(),
        [](const Module &module, const ResourceEntry &entry) -> std::unique_ptr<IconFile> {
            const auto group = parse_icon_group(entry.data);
            auto ico = group ? make_ico_file(module.file, *group, entry.language)
                             : std::nullopt;
            return ico ? std::make_unique<IconFile>(std::move(*ico)) : nullptr;
        });
}
