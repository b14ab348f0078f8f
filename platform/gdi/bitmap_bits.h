// The memory that holds a bitmap's bits. Private to platform/gdi.
#ifndef SCRIBBLET_PLATFORM_GDI_BITMAP_BITS_H
#define SCRIBBLET_PLATFORM_GDI_BITMAP_BITS_H

#include <cstddef>
#include <cstdlib>
#include <future>
#include <memory>

#include "platform/platform.h"

namespace scribblet::gdi {

// Zeroed bytes, all of them in memory by the time they are first read or
// written, as Windows commits a bitmap's memory when it makes the bitmap.
class BitmapBits {
public:
    // No bytes.
    BitmapBits() = default;
    // count bytes, all 0; no bytes when the system refuses them.
    explicit BitmapBits(std::size_t count);
    BitmapBits(BitmapBits &&) = default;
    BitmapBits &operator=(BitmapBits &&other) noexcept;

    // The bytes, once they are all in memory.
    BYTE *data() const
    {
        wait_populated();
        return memory_.get();
    }
    // count, or 0 when the bytes were refused. Needs no waiting: the thread
    // that has the pages changes none of this object.
    std::size_t size() const
    {
        return memory_ ? count_ : 0;
    }

private:
    struct Free {
        void operator()(BYTE *memory) const
        {
            std::free(memory);
        }
    };
    void wait_populated() const;

    std::size_t count_ = 0;
    std::unique_ptr<BYTE, Free> memory_;
    // The pages of a large block are had on a thread of their own (see the
    // constructor). Declared after memory_: destroying it waits for that
    // thread, before the bytes are freed.
    std::future<void> populated_;
};

} // namespace scribblet::gdi

#endif // SCRIBBLET_PLATFORM_GDI_BITMAP_BITS_H
