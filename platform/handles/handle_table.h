// Handle tables: how the layer under platform/ turns its objects into the
// opaque handles that the Windows API hands out (HWND, HDC, HGDIOBJ, ...).
//
// A handle is never a pointer. Its value packs three fields:
//
//     bits  0.. 7  kind        which table the handle belongs to (HandleKind)
//     bits  8..31  slot        index of the entry within that table
//     bits 32..63  generation  how many times that slot has been reused
//
// A table looks a handle up by slot and answers only if the kind and the
// generation match the live entry, so a null handle, a handle of another
// kind, or one whose object has been removed (stale) yields nullptr and never
// reaches freed memory. Generations start at 1; a slot whose generation would
// wrap is retired for good rather than reused, so a stale handle can never
// come back to life.
//
// Generation 0 is never handed out by a table. Handles with generation 0 are
// the fixed, well-known handles (fixed_handle below): constants such as the
// desktop window, which every table of that kind refuses in lookup and which
// the owner of that kind recognises by comparison.
//
// Usage:
//
//     HandleTable<Bitmap, HGDIOBJ> bitmaps(HandleKind::bitmap);
//     HGDIOBJ h = bitmaps.add(std::make_unique<Bitmap>(...));   // nullptr if
//     full Bitmap *b = bitmaps.lookup(h);                           // nullptr
//     if not ours std::unique_ptr<Bitmap> gone = bitmaps.remove(h);        // h
//     is stale now
//
// Several tables may share one handle type (bitmaps and brushes are both
// HGDIOBJ); handle_kind() tells which table a handle belongs to.
//
// Tables are not thread-safe: the whole layer runs on the program's one thread.
#ifndef SCRIBBLET_PLATFORM_HANDLES_HANDLE_TABLE_H
#define SCRIBBLET_PLATFORM_HANDLES_HANDLE_TABLE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace scribblet {

static_assert(sizeof(std::uintptr_t) >= 8, "handles need 64-bit values");

// Every kind of handle in the layer, one central list. Append new kinds at
// the end; never reuse or renumber a value. 0 is reserved: no kind.
enum class HandleKind : std::uint8_t {
    none = 0,
    bitmap = 1,
    brush = 2,
    dc = 3,
    window = 4,
    menu = 5,
    accelerator_table = 6,
    icon = 7,
    cursor = 8,
    module = 9,
    file = 10,
};

namespace handle_bits {
inline constexpr unsigned kind_shift = 0;
inline constexpr unsigned slot_shift = 8;
inline constexpr unsigned generation_shift = 32;
inline constexpr std::uintptr_t kind_mask = 0xFF;
inline constexpr std::uintptr_t slot_mask = 0xFFFFFF;
inline constexpr std::uint32_t slot_limit = 0x1000000; // slots are below this
} // namespace handle_bits

// The raw value of a handle, and a handle from a raw value.
template <typename Handle> inline std::uintptr_t handle_value(Handle handle)
{
    return reinterpret_cast<std::uintptr_t>(handle);
}
template <typename Handle> inline Handle handle_from_value(std::uintptr_t value)
{
    return reinterpret_cast<Handle>(value);
}

constexpr std::uintptr_t pack_handle(HandleKind kind, std::uint32_t slot,
                                     std::uint32_t generation)
{
    using namespace handle_bits;
    return (static_cast<std::uintptr_t>(kind) << kind_shift) |
           ((static_cast<std::uintptr_t>(slot) & slot_mask) << slot_shift) |
           (static_cast<std::uintptr_t>(generation) << generation_shift);
}

// Which kind a handle claims to be (HandleKind::none for a null handle). This
// says nothing about whether the handle is live: ask its table for that.
template <typename Handle> inline HandleKind handle_kind(Handle handle)
{
    return static_cast<HandleKind>(
        (handle_value(handle) >> handle_bits::kind_shift) &
        handle_bits::kind_mask);
}

// A fixed, well-known handle of the given kind: no table ever hands out this
// value, so it can stand for an object that lives outside any table. Give
// each one a distinct id per kind, and list it below.
template <typename Handle>
inline Handle fixed_handle(HandleKind kind, std::uint32_t id)
{
    return handle_from_value<Handle>(pack_handle(kind, id, 0));
}

// The well-known handles of the layer (ids per kind, starting at 1).
inline constexpr std::uint32_t desktop_window_id = 1; // HandleKind::window

// A table of objects of type T, owned by the table, handed out as handles of
// type Handle (a pointer-like opaque type such as HWND) tagged with one kind.
template <typename T, typename Handle> class HandleTable {
public:
    explicit HandleTable(HandleKind kind) : kind_(kind)
    {
    }
    HandleTable(const HandleTable &) = delete;
    HandleTable &operator=(const HandleTable &) = delete;

    // Takes ownership of object and returns its new handle, or a null
    // handle when object is null, the table is full or memory runs out (the
    // object is then destroyed).
    Handle add(std::unique_ptr<T> object)
    {
        if (!object)
            return Handle{};
        try {
            std::uint32_t slot;
            if (!free_slots_.empty()) {
                slot = free_slots_.back();
                free_slots_.pop_back();
            } else {
                if (entries_.size() >= handle_bits::slot_limit)
                    return Handle{};
                // Room for every slot on the free list, so that remove()
                // never needs to allocate.
                free_slots_.reserve(entries_.size() + 1);
                entries_.emplace_back();
                slot = static_cast<std::uint32_t>(entries_.size() - 1);
            }
            Entry &entry = entries_[slot];
            entry.object = std::move(object);
            return handle_from_value<Handle>(
                pack_handle(kind_, slot, entry.generation));
        } catch (const std::bad_alloc &) {
            return Handle{};
        }
    }

    // The live object behind handle, or nullptr when the handle is null, of
    // another kind, fixed, or stale.
    T *lookup(Handle handle) const
    {
        const std::size_t slot = find(handle);
        return slot == not_found ? nullptr : entries_[slot].object.get();
    }

    // Removes the object behind handle and hands it back (so the caller
    // decides when it dies); nullptr when the handle is not live. Every
    // copy of the handle is stale from now on.
    std::unique_ptr<T> remove(Handle handle)
    {
        const std::size_t slot = find(handle);
        if (slot == not_found)
            return nullptr;
        Entry &entry = entries_[slot];
        std::unique_ptr<T> object = std::move(entry.object);
        if (++entry.generation != 0) // else the slot is retired
            free_slots_.push_back(static_cast<std::uint32_t>(slot));
        return object;
    }

private:
    struct Entry {
        std::unique_ptr<T> object;
        std::uint32_t generation = 1;
    };

    static constexpr std::size_t not_found = static_cast<std::size_t>(-1);

    // The slot of the live entry that handle names, or not_found.
    std::size_t find(Handle handle) const
    {
        using namespace handle_bits;
        const std::uintptr_t value = handle_value(handle);
        if (handle_kind(handle) != kind_)
            return not_found;
        const std::size_t slot = (value >> slot_shift) & slot_mask;
        const auto generation =
            static_cast<std::uint32_t>(value >> generation_shift);
        if (generation == 0 || slot >= entries_.size())
            return not_found;
        const Entry &entry = entries_[slot];
        if (!entry.object || entry.generation != generation)
            return not_found;
        return slot;
    }

    HandleKind kind_;
    std::vector<Entry> entries_;
    std::vector<std::uint32_t> free_slots_;
};

} // namespace scribblet

#endif // SCRIBBLET_PLATFORM_HANDLES_HANDLE_TABLE_H
