#include "platform/dialogs/controls.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <cstring>

#include "platform/dialogs/dialog_font.h"
#include "platform/dialogs/dialog_units.h"
#include "platform/dialogs/fitting_line_edit.h"
#include "platform/qt/qt_icon.h"
#include "platform/qt/peers.h"
#include "platform/windows_internal.h"
#include "platform/winsys/dialog_support.h"

namespace scribblet::dialogs {
namespace {

namespace cc = resources::control_class;

// An icon control takes the system's icon size: 32 pixels at 96 dpi.
constexpr int icon_size_at_96_dpi = 32;

// Sent to a button, as queued input, when its Qt widget is clicked.
constexpr UINT notify_click = WM_USER + 0x7F0;

constexpr const char *button_class = "Button";
constexpr const char *edit_class = "Edit";
constexpr const char *static_class = "Static";

// What a control window keeps: its widget, a child of the dialog's client
// widget, which goes with the window.
struct Control final : winsys::WindowState {
    explicit Control(QWidget *made) : widget(made)
    {
    }
    ~Control() override
    {
        delete widget.data();
    }
    QPointer<QWidget> widget;
};

QWidget *widget_of(HWND hwnd)
{
    const Control *control = winsys::window_state<Control>(hwnd);
    return control != nullptr ? control->widget.data() : nullptr;
}

void notify_parent_of_click(HWND hwnd)
{
    SendMessageA(winsys::parent_of(hwnd), WM_COMMAND,
                 MAKEWPARAM(winsys::child_id_of(hwnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}

// The item's text; an icon static's title is the icon's ordinal instead.
QString item_text(const resources::DialogItem &item)
{
    return item.title.is_ordinal ? QString()
                                 : QString::fromStdString(item.title.text);
}

QWidget *make_button(HWND hwnd, const resources::DialogItem &item,
                     QWidget *dialog)
{
    auto *button = new QPushButton(item_text(item), dialog);
    button->setDefault((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    QObject::connect(button, &QPushButton::clicked,
                     [hwnd] { winsys::queue_input(hwnd, notify_click); });
    return button;
}

// The script's texts are SS_LEFT: top left, wrapped at word breaks. None
// holds an '&', so no mnemonic marks are taken out.
QWidget *make_text(const resources::DialogItem &item, QWidget *dialog)
{
    auto *label = new QLabel(item_text(item), dialog);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// An icon control sizes itself to the system icon size, as Windows' does.
QWidget *make_icon(const resources::DialogItem &item, HINSTANCE instance,
                   QWidget *dialog)
{
    const int size = mul_div_rounded(icon_size_at_96_dpi, logical_dpi(), 96);
    auto *label = new QLabel(dialog);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(
        qt::qt_icon(LoadIconA(instance, MAKEINTRESOURCEA(item.title.ordinal)))
            .pixmap(size, size));
    label->setFixedSize(size, size);
    return label;
}

QWidget *make_widget(HWND hwnd, const char *class_name,
                     const ControlRecipe &recipe, QWidget *dialog)
{
    const resources::DialogItem &item = *recipe.item;
    if (std::strcmp(class_name, button_class) == 0)
        return make_button(hwnd, item, dialog);
    if (std::strcmp(class_name, edit_class) == 0)
        return new FittingLineEdit(item_text(item), dialog);
    if ((item.style & SS_TYPEMASK) == SS_ICON)
        return make_icon(item, recipe.instance, dialog);
    return make_text(item, dialog);
}

// WM_CREATE: the widget takes the window's place in the dialog's client
// area (an icon keeps its own size); the order of creation is the order
// of Tab. Controls that take the focus (buttons and fields) take it from
// Tab with WS_TABSTOP, else only from clicks. The widget is named by the
// control's id, as Windows shows a control's id to automation tools (its
// UI Automation id).
LRESULT create_control(HWND hwnd, const CREATESTRUCTA &create)
{
    const auto &recipe =
        *static_cast<const ControlRecipe *>(create.lpCreateParams);
    QWidget *widget = make_widget(hwnd, create.lpszClass, recipe,
                                  qt::window_widget(create.hwndParent));
    widget->setObjectName(QString::number(recipe.item->id));
    widget->setFont(*recipe.font);
    widget->setGeometry(create.x, create.y, create.cx, create.cy);
    if (widget->focusPolicy() != Qt::NoFocus)
        widget->setFocusPolicy((create.style & WS_TABSTOP) != 0
                                   ? Qt::StrongFocus
                                   : Qt::ClickFocus);
    winsys::set_window_state(hwnd, std::make_unique<Control>(widget));
    return 0;
}

LRESULT CALLBACK control_proc(HWND hwnd, UINT message, WPARAM wParam,
                              LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return create_control(hwnd, *reinterpret_cast<CREATESTRUCTA *>(lParam));
    case notify_click:
        notify_parent_of_click(hwnd);
        return 0;
    case WM_SETTEXT:
        set_control_text(hwnd, reinterpret_cast<LPCSTR>(lParam));
        return TRUE;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace

const char *control_class_name(std::uint16_t class_ordinal)
{
    switch (class_ordinal) {
    case cc::button:
        return button_class;
    case cc::edit:
        return edit_class;
    case cc::static_text:
        return static_class;
    default:
        return nullptr;
    }
}

void register_control_classes()
{
    for (const char *name : {button_class, edit_class, static_class})
        winsys::register_internal_class(name, control_proc);
}

bool is_push_button(HWND hwnd)
{
    return qobject_cast<QPushButton *>(widget_of(hwnd)) != nullptr;
}

bool is_default_push_button(HWND hwnd)
{
    const auto *button = qobject_cast<QPushButton *>(widget_of(hwnd));
    return button != nullptr && button->isDefault();
}

bool is_tab_stop(HWND hwnd)
{
    const DWORD style = winsys::style_of(hwnd);
    return widget_of(hwnd) != nullptr && (style & WS_TABSTOP) != 0 &&
           (style & WS_VISIBLE) != 0 && winsys::takes_input(hwnd);
}

void focus_control(HWND hwnd)
{
    QWidget *widget = widget_of(hwnd);
    widget->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        edit->selectAll();
}

HWND focused_control(HWND dialog)
{
    const QWidget *focus = qt::window_widget(dialog)->window()->focusWidget();
    for (HWND child : winsys::children_of(dialog))
        if (focus != nullptr && widget_of(child) == focus)
            return child;
    return nullptr;
}

// Buttons, labels and fields all carry their text in Qt's "text" property.
std::string control_text(HWND hwnd)
{
    const QWidget *widget = widget_of(hwnd);
    return widget != nullptr ? widget->property("text").toString().toStdString()
                             : std::string();
}

void set_control_text(HWND hwnd, const std::string &text)
{
    if (QWidget *widget = widget_of(hwnd))
        widget->setProperty("text", QString::fromStdString(text));
}

} // namespace scribblet::dialogs
