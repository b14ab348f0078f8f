// Bitmap memory: calloc's, with its pages had at once.
#include "platform/gdi/bitmap_bits.h"

#include <cerrno>
#include <cstdint>
#include <exception>
#include <utility>
#include <sys/mman.h>
#include <unistd.h>

namespace scribblet::gdi {

namespace {

// From this size on the pages are had on a thread of their own.
constexpr std::size_t large_bitmap_bytes = std::size_t{64} << 20;

// Has the system give memory to every whole page of [memory, memory + count)
// in one call rather than by a fault at each first touch: that spares about
// a sixth of the time a 2 GiB canvas takes to make. False when the system
// has no memory for them; a system that cannot populate (before Linux 5.14)
// leaves the pages to the faults.
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
    if (!memory)
        return;
    BYTE *const bytes = memory.get();
    if (count >= large_bitmap_bytes) {
        // Having the pages of a 2 GiB bitmap takes about 0.8 s, while the
        // program, between making its canvas's bitmap and first using its
        // bits, fills a buffer as large: on a thread of their own both run
        // at once on two cores. The bytes are already had from calloc, so
        // a system with no memory left for the pages only leaves them to
        // the faults of the first use. The thread sees nothing but bytes
        // and count; data() and the destructor wait for it.
        try {
            populated_ = std::async(std::launch::async,
                                    [bytes, count] { populate(bytes, count); });
        } catch (const std::exception &) {
            populate(bytes, count); // no thread to be had: here, then
        }
    } else if (!populate(bytes, count)) {
        return;
    }
    count_ = count;
    memory_ = std::move(memory);
}

BitmapBits &BitmapBits::operator=(BitmapBits &&other) noexcept
{
    wait_populated(); // the bytes given up may still be being had
    count_ = other.count_;
    memory_ = std::move(other.memory_);
    populated_ = std::move(other.populated_);
    return *this;
}

void BitmapBits::wait_populated() const
{
    if (populated_.valid())
        populated_.wait();
}

} // namespace scribblet::gdi
