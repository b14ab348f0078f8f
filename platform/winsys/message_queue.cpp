#include "platform/winsys/message_queue.h"

namespace scribblet::winsys {
namespace {

template <typename T> bool take_front(std::deque<T> &queue, T *out)
{
    if (queue.empty())
        return false;
    *out = std::move(queue.front());
    queue.pop_front();
    return true;
}

} // namespace

bool MessageQueue::take_posted(MSG *out)
{
    return take_front(posted_, out);
}

bool MessageQueue::take_quit(WPARAM *code)
{
    if (!quit_)
        return false;
    *code = *quit_;
    quit_.reset();
    return true;
}

bool MessageQueue::take_input(InputEvent *out)
{
    return take_front(input_, out);
}

bool MessageQueue::take_system_send(SystemSend *out)
{
    return take_front(sends_, out);
}

void MessageQueue::forget(HWND hwnd)
{
    std::erase_if(
        input_, [hwnd](const InputEvent &e) { return e.message.hwnd == hwnd; });
    std::erase_if(
        sends_, [hwnd](const SystemSend &s) { return s.message.hwnd == hwnd; });
}

} // namespace scribblet::winsys
