// Bitmap memory from the system's anonymous mappings.
#include "platform/gdi/bitmap_bits.h"

#include <cerrno>
#include <sys/mman.h>

namespace scribblet::gdi {

BitmapBits::BitmapBits(std::size_t count)
{
    // The system hands out these pages already zeroed: writing the zeros
    // again, as a zero-filled vector does, is a pass over the whole bitmap
    // for nothing.
    void *memory = mmap(nullptr, count, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return;
    count_ = count;
    memory_ =
        std::unique_ptr<BYTE, Unmap>(static_cast<BYTE *>(memory), Unmap{count});
    // The pages are had in one call rather than by a fault at each first
    // touch: for a canvas of 2 GiB that is a fifth of its making. A
    // system that cannot populate (before Linux 5.14) leaves them to the
    // faults; one that has no memory for them refuses the bitmap now,
    // not at the first stroke.
    if (madvise(memory, count, MADV_POPULATE_WRITE) != 0 && errno != EINVAL)
        memory_.reset();
}

void BitmapBits::Unmap::operator()(BYTE *memory) const
{
    munmap(memory, count);
}

} // namespace scribblet::gdi
