// The person: finding the program's windows and acting on them with real Qt
// input events, and the picture that the stroke engine defines.
#include "tests/app/person.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/resources/resource_reader.h"
#include "res/resource.h"
#include "tests/app/screen.h"

namespace person {

// ---- Script ----------------------------------------------------------------

Script &Script::then(std::string what, std::function<bool()> ready,
                     std::function<void()> act)
{
    steps_.push_back({std::move(what), std::move(ready), std::move(act)});
    return *this;
}

Script &Script::then(std::string what, std::function<void()> act)
{
    return then(std::move(what), nullptr, std::move(act));
}

void Script::poll()
{
    if (next_ >= steps_.size() || gave_up_)
        return;
    // The next poll is set up first: the step may open a modal loop that
    // only returns once later steps have acted.
    QTimer::singleShot(5, &timers_, [this] { poll(); });
    Step &step = steps_[next_];
    if (step.ready && !step.ready()) {
        if (QDateTime::currentMSecsSinceEpoch() - started_ > timeout_ms_) {
            ADD_FAILURE() << "still waiting for: " << step.what;
            gave_up_ = true;
            PostQuitMessage(99);
        }
        return;
    }
    ++next_;
    started_ = QDateTime::currentMSecsSinceEpoch();
    if (step.act)
        step.act();
}

int Script::run(int timeout_ms)
{
    timeout_ms_ = timeout_ms;
    started_ = QDateTime::currentMSecsSinceEpoch();
    QTimer::singleShot(0, &timers_, [this] { poll(); });
    char command_line[] = "";
    int result = WinMain(scribblet::resources::program_instance(), NULL,
                         command_line, SW_SHOWDEFAULT);
    EXPECT_EQ(next_, steps_.size())
        << "the program ended before the step: "
        << (next_ < steps_.size() ? steps_[next_].what : "");
    return result;
}

// ---- Common steps ----------------------------------------------------------

void answer_size(Script &script, int width, int height)
{
    script.then(
        "the size dialog", [] { return size_dialog() != nullptr; },
        [=] {
            type_into(dialog_edit(size_dialog(), IDC_WIDTH),
                      QString::number(width));
            type_into(dialog_edit(size_dialog(), IDC_HEIGHT),
                      QString::number(height));
            press_key(dialog_edit(size_dialog(), IDC_WIDTH), Qt::Key_Return);
        });
    script.then(
        "the main window", [] { return main_client() != nullptr; }, nullptr);
}

void settle(Script &script, const char *what)
{
    auto start = std::make_shared<qint64>(0);
    script.then(
        what,
        [start] {
            if (*start == 0)
                *start = QDateTime::currentMSecsSinceEpoch();
            return QDateTime::currentMSecsSinceEpoch() - *start > 100;
        },
        nullptr);
}

// ---- Acting
// ------------------------------------------------------------------

void type_into(QLineEdit *edit, const QString &text)
{
    ASSERT_NE(edit, nullptr);
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void press_key(QWidget *widget, int key, Qt::KeyboardModifiers modifiers)
{
    ASSERT_NE(widget, nullptr);
    // Keys reach whatever holds the focus in that window.
    QWidget *focus = widget->window()->focusWidget();
    QWidget *target = widget->isWindow() && focus != nullptr ? focus : widget;
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

void click(QWidget *widget, QPoint at)
{
    ASSERT_NE(widget, nullptr);
    if (at == QPoint(-1, -1))
        at = widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

static QString plain(QString label)
{
    return label.remove(QLatin1Char('&'));
}

static QAction *action_named(const QList<QAction *> &actions,
                             const QString &label)
{
    for (QAction *a : actions)
        if (plain(a->text()) == plain(label))
            return a;
    return nullptr;
}

static QAction *menu_action(const std::vector<QString> &path,
                            QMenuBar **bar_out = nullptr)
{
    QWidget *top = main_window();
    QMenuBar *bar = top ? top->findChild<QMenuBar *>() : nullptr;
    if (bar_out)
        *bar_out = bar;
    if (bar == nullptr || path.empty())
        return nullptr;
    QAction *action = action_named(bar->actions(), path[0]);
    for (size_t i = 1; action != nullptr && i < path.size(); ++i)
        action = action->menu()
                     ? action_named(action->menu()->actions(), path[i])
                     : nullptr;
    return action;
}

void choose_menu(Script &script, const std::vector<QString> &path)
{
    const std::string name = path.back().toStdString();
    script.then("the menu bar for " + name, [=] {
        QMenuBar *bar = nullptr;
        QAction *top = menu_action({path[0]}, &bar);
        ASSERT_NE(top, nullptr) << "no menu " << path[0].toStdString();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(top).center());
    });
    // Each menu opens a moment after its title or item is clicked.
    for (size_t i = 1; i < path.size(); ++i) {
        std::vector<QString> opened(path.begin(), path.begin() + i);
        script.then(
            "the menu holding " + path[i].toStdString(),
            [=] {
                QAction *holder = menu_action(opened);
                return holder != nullptr && holder->menu() != nullptr &&
                       holder->menu()->isVisible();
            },
            [=] {
                QMenu *menu = menu_action(opened)->menu();
                QAction *item = action_named(menu->actions(), path[i]);
                ASSERT_NE(item, nullptr) << "no item " << path[i].toStdString();
                ASSERT_TRUE(item->isEnabled())
                    << path[i].toStdString() << " is grayed";
                QTest::mouseClick(menu, Qt::LeftButton, {},
                                  menu->actionGeometry(item).center());
            });
    }
}

bool menu_item_enabled(const std::vector<QString> &path)
{
    QAction *action = menu_action(path);
    EXPECT_NE(action, nullptr);
    return action != nullptr && action->isEnabled();
}

void close_window(QWidget *top_level)
{
    ASSERT_NE(top_level, nullptr);
    top_level->close();
}

static Qt::MouseButtons s_buttons;

static void send_mouse(QWidget *widget, QEvent::Type type, QPoint at,
                       Qt::MouseButton button)
{
    if (type == QEvent::MouseButtonPress)
        s_buttons |= button;
    if (type == QEvent::MouseButtonRelease)
        s_buttons &= ~button;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, s_buttons, {},
                      QPointingDevice::primaryPointingDevice());
    QApplication::sendEvent(widget, &event);
}

void drag(Qt::MouseButton button, const std::vector<QPoint> &points)
{
    QWidget *client = main_client();
    ASSERT_NE(client, nullptr);
    ASSERT_FALSE(points.empty());
    send_mouse(client, QEvent::MouseMove, points[0], Qt::NoButton);
    send_mouse(client, QEvent::MouseButtonPress, points[0], button);
    for (size_t i = 1; i < points.size(); ++i)
        send_mouse(client, QEvent::MouseMove, points[i], Qt::NoButton);
    send_mouse(client, QEvent::MouseButtonRelease, points.back(), button);
}

// ---- Pictures
// ----------------------------------------------------------------

QImage shown_client()
{
    QWidget *client = main_client();
    if (client == nullptr)
        return QImage();
    return client->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

ExpectedCanvas::ExpectedCanvas(int width, int height)
    : image_(width, height, QImage::Format_RGB32)
{
    image_.fill(Qt::white);
}

void ExpectedCanvas::segment(QPoint from, QPoint to, int size, QRgb colour)
{
    long long dx = to.x() - from.x();
    long long dy = to.y() - from.y();
    long long n = std::max(std::llabs(dx), std::llabs(dy)) + 1;
    QPainter painter(&image_);
    for (long long i = 0; i < n; ++i) {
        int cx = from.x() + int(i * dx / n);
        int cy = from.y() + int(i * dy / n);
        painter.fillRect(
            QRect(cx - size, cy - size, 2 * size - 1, 2 * size - 1),
            QColor(colour));
    }
}

void ExpectedCanvas::drag(const std::vector<QPoint> &points, int size,
                          QRgb colour)
{
    // The press stamps once where the pointer already is; every move then
    // draws from the previous point.
    segment(points[0], points[0], size, colour);
    for (size_t i = 1; i < points.size(); ++i)
        segment(points[i - 1], points[i], size, colour);
}

std::string first_difference(const QImage &shown, const QImage &expected)
{
    if (shown.size() != expected.size())
        return "size " + std::to_string(shown.width()) + "x" +
               std::to_string(shown.height()) + " instead of " +
               std::to_string(expected.width()) + "x" +
               std::to_string(expected.height());
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if ((shown.pixel(x, y) & 0xFFFFFF) !=
                (expected.pixel(x, y) & 0xFFFFFF))
                return "pixel (" + std::to_string(x) + ", " +
                       std::to_string(y) + ") is " +
                       QString::number(shown.pixel(x, y) & 0xFFFFFF, 16)
                           .toStdString() +
                       " instead of " +
                       QString::number(expected.pixel(x, y) & 0xFFFFFF, 16)
                           .toStdString();
    return "";
}

} // namespace person
