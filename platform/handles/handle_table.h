// Handle tables: how the layer under platform/ turns its objects into the
// opaque handles that the Windows API hands out (HWND, HDC, HGDIOBJ, ...).
//
// A handle is never a pointer. Its value packs three fields:
//
//     bits  0.. 7  kind        which table the handle belongs to (HandleKind)
//     bits  8..31  slot        index of the entry within that table
//     bits 32..63  generation  how many times that slot has been reused
//
// A table answers a lookup only when the kind and the generation match the
// live entry, so a null handle, one of another kind, or one whose object
// has been removed (stale) yields nullptr and never reaches freed memory. A
// slot whose generation would wrap is retired rather than reused, so a
// stale handle never comes back to life. Generation 0 is never handed out:
// it marks the fixed, well-known handles (the desktop window, the system's
// cursors), which every table refuses and their owner knows by value.
//
// Tables are not thread-safe: the whole layer runs on the program's one thread.
#ifndef SCRIBBLET_PLATFORM_HANDLES_HANDLE_TABLE_H
#define SCRIBBLET_PLATFORM_HANDLES_HANDLE_TABLE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace scribblet {

static_assert(sizeof(std::uintptr_t) >= 8, "handles need 64-bit values");

// Every kind of handle in the layer. 0 is no kind.
enum class HandleKind : std::uint8_t {
    none,
    bitmap,
    brush,
    dc,
    window,
    menu,
    accelerator_table,
    icon,
    cursor,
    module,
    file,
};

constexpr std::uintptr_t pack_handle(HandleKind kind, std::uint32_t slot,
                                     std::uint32_t generation)
{
    return static_cast<std::uintptr_t>(kind) |
           (static_cast<std::uintptr_t>(slot & 0xFFFFFF) << 8) |
           (static_cast<std::uintptr_t>(generation) << 32);
}

// A fixed, well-known handle of the given kind, with an id of its own.
template <typename Handle>
inline Handle fixed_handle(HandleKind kind, std::uint32_t id)
{
    return reinterpret_cast<Handle>(pack_handle(kind, id, 0));
}

// The desktop window's id among the fixed window handles.
inline constexpr std::uint32_t desktop_window_id = 1;

// A table of objects of type T, owned by the table, handed out as handles of
// type Handle tagged with one kind.
template <typename T, typename Handle> class HandleTable {
public:
    explicit HandleTable(HandleKind kind) : kind_(kind)
    {
    }
    HandleTable(const HandleTable &) = delete;
    HandleTable &operator=(const HandleTable &) = delete;

    // Takes ownership of object and returns its new handle; a null handle
    // for a null object.
    Handle add(std::unique_ptr<T> object)
    {
        if (!object)
            return Handle{};
        std::uint32_t slot;
        if (!free_slots_.empty()) {
            slot = free_slots_.back();
            free_slots_.pop_back();
        } else {
            // Room for every slot on the free list, so that remove() never
            // needs to allocate.
            free_slots_.reserve(entries_.size() + 1);
            entries_.emplace_back();
            slot = static_cast<std::uint32_t>(entries_.size() - 1);
        }
        Entry &entry = entries_[slot];
        entry.object = std::move(object);
        return reinterpret_cast<Handle>(
            pack_handle(kind_, slot, entry.generation));
    }

    // The live object behind handle, or nullptr.
    T *lookup(Handle handle) const
    {
        const Entry *entry = find(handle);
        return entry != nullptr ? entry->object.get() : nullptr;
    }

    // Removes the object behind handle and hands it back (so the caller
    // decides when it dies); nullptr when the handle is not live. Every
    // copy of the handle is stale from now on.
    std::unique_ptr<T> remove(Handle handle)
    {
        Entry *entry = const_cast<Entry *>(find(handle));
        if (entry == nullptr)
            return nullptr;
        std::unique_ptr<T> object = std::move(entry->object);
        if (++entry->generation != 0) // else the slot is retired
            free_slots_.push_back(
                static_cast<std::uint32_t>(entry - entries_.data()));
        return object;
    }

private:
    struct Entry {
        std::unique_ptr<T> object;
        std::uint32_t generation = 1;
    };

    const Entry *find(Handle handle) const
    {
        const auto value = reinterpret_cast<std::uintptr_t>(handle);
        const std::size_t slot = (value >> 8) & 0xFFFFFF;
        const auto generation = static_cast<std::uint32_t>(value >> 32);
        if (static_cast<HandleKind>(value & 0xFF) != kind_ || generation == 0 ||
            slot >= entries_.size())
            return nullptr;
        const Entry &entry = entries_[slot];
        return entry.object && entry.generation == generation ? &entry
                                                              : nullptr;
    }

    HandleKind kind_;
    std::vector<Entry> entries_;
    std::vector<std::uint32_t> free_slots_;
};

} // namespace scribblet

#endif // SCRIBBLET_PLATFORM_HANDLES_HANDLE_TABLE_H
