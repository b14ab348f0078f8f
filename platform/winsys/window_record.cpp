#include "platform/winsys/window_record.h"

#include <algorithm>

namespace scribblet::winsys {

RECT united(const RECT &a, const RECT &b)
{
    if (is_empty(a))
        return b;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top),
                std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

RECT intersected(const RECT &a, const RECT &b)
{
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top),
           std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return is_empty(r) ? RECT{} : r;
}

} // namespace scribblet::winsys
