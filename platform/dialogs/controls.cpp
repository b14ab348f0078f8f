#include "platform/dialogs/controls.h"

#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/dialogs/dialog_font.h"
#include "platform/dialogs/dialog_units.h"
#include "platform/dialogs/fitting_line_edit.h"
#include "platform/qt/qt_icon.h"
#include "platform/windows_internal.h"
#include "platform/qt/window_widgets.h"
#include "platform/winsys/window_system.h"

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

enum class Kind { button, edit, text, icon };

struct Control {
    Kind kind;
    QPointer<QWidget> widget;
};

Control *control_of(HWND hwnd)
{
    return reinterpret_cast<Control *>(winsys::window_data(hwnd));
}

QLineEdit *edit_of(HWND hwnd)
{
    const Control *control = control_of(hwnd);
    return control != nullptr && control->kind == Kind::edit
               ? static_cast<QLineEdit *>(control->widget.data())
               : nullptr;
}

void queue_click(HWND hwnd)
{
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = notify_click;
    winsys::queue_input(msg);
}

void notify_parent_of_click(HWND hwnd)
{
    const HWND parent = winsys::parent_of(hwnd);
    if (parent != nullptr)
        SendMessageA(parent, WM_COMMAND,
                     MAKEWPARAM(winsys::child_id_of(hwnd), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd));
}

// The item's text; an icon static's title is the icon's ordinal instead.
QString item_text(const resources::DialogItem &item)
{
    return item.title.is_ordinal ? QString()
                                 : QString::fromStdString(item.title.text);
}

// Tab-stop controls take the focus from Tab and clicks; others only from
// clicks (or, for texts and icons, never).
Qt::FocusPolicy focus_policy_for(Kind kind, DWORD style)
{
    if (kind == Kind::text || kind == Kind::icon)
        return Qt::NoFocus;
    return (style & WS_TABSTOP) != 0 ? Qt::StrongFocus : Qt::ClickFocus;
}

QWidget *make_button(HWND hwnd, const resources::DialogItem &item)
{
    auto *button = new QPushButton(item_text(item));
    button->setDefault((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    QObject::connect(button, &QPushButton::clicked,
                     [hwnd] { queue_click(hwnd); });
    return button;
}

// The script's texts are SS_LEFT: top left, wrapped at word breaks. None
// holds an '&', so no mnemonic marks are taken out.
QWidget *make_text(const resources::DialogItem &item)
{
    auto *label = new QLabel(item_text(item));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// An icon control sizes itself to the system icon size, as Windows' does.
QWidget *make_icon(HWND hwnd, const resources::DialogItem &item,
                   HINSTANCE instance)
{
    const int size = mul_div_rounded(icon_size_at_96_dpi, logical_dpi(), 96);
    auto *label = new QLabel;
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(
        qt::qt_icon(LoadIconA(instance, MAKEINTRESOURCEA(item.title.ordinal)))
            .pixmap(size, size));
    SetWindowPos(hwnd, nullptr, 0, 0, size, size,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return label;
}

Kind kind_of(const char *class_name, DWORD style)
{
    if (std::strcmp(class_name, button_class) == 0)
        return Kind::button;
    if (std::strcmp(class_name, edit_class) == 0)
        return Kind::edit;
    return (style & SS_TYPEMASK) == SS_ICON ? Kind::icon : Kind::text;
}

QWidget *make_widget(HWND hwnd, Kind kind, const ControlRecipe &recipe)
{
    switch (kind) {
    case Kind::button:
        return make_button(hwnd, *recipe.item);
    case Kind::edit:
        return new FittingLineEdit(item_text(*recipe.item));
    case Kind::text:
        return make_text(*recipe.item);
    case Kind::icon:
        return make_icon(hwnd, *recipe.item, recipe.instance);
    }
    return nullptr;
}

// WM_CREATE: the Qt widget fills the window's container; −1 refuses
// the window.
LRESULT create_control(HWND hwnd, const CREATESTRUCTA &create)
{
    const auto *recipe =
        static_cast<const ControlRecipe *>(create.lpCreateParams);
    QWidget *container = qt::window_widget(hwnd);
    if (recipe == nullptr || recipe->item == nullptr || container == nullptr)
        return -1;
    const Kind kind =
        kind_of(create.lpszClass, static_cast<DWORD>(create.style));
    QWidget *widget = make_widget(hwnd, kind, *recipe);
    if (recipe->font != nullptr)
        widget->setFont(*recipe->font);
    widget->setFocusPolicy(focus_policy_for(kind, recipe->item->style));
    // The control's window stands for its widget: focusing the one focuses
    // the other, and only the widget is a stop for Tab.
    container->setFocusPolicy(Qt::NoFocus);
    container->setFocusProxy(widget);
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(widget);
    winsys::set_window_data(
        hwnd, reinterpret_cast<LONG_PTR>(new Control{kind, widget}));
    return 0;
}

// WM_GETTEXT: at most size − 1 bytes, never half a character, then a NUL.
LRESULT copy_text(const QLineEdit &edit, WPARAM size, char *buffer)
{
    if (buffer == nullptr || size == 0)
        return 0;
    const QByteArray text = edit.text().toUtf8();
    qsizetype count =
        std::min<qsizetype>(text.size(), static_cast<qsizetype>(size - 1));
    while (count > 0 && count < text.size() &&
           (static_cast<unsigned char>(text[count]) & 0xC0) == 0x80)
        --count;
    std::memcpy(buffer, text.constData(), static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return count;
}

// An edit field's text is its widget's; the program reads and writes no
// other control's text (SetDlgItemInt and GetDlgItemInt on its fields).
LRESULT CALLBACK control_proc(HWND hwnd, UINT message, WPARAM wParam,
                              LPARAM lParam)
{
    QLineEdit *edit = edit_of(hwnd);
    switch (message) {
    case WM_CREATE:
        return create_control(hwnd, *reinterpret_cast<CREATESTRUCTA *>(lParam));
    case WM_DESTROY:
        delete control_of(hwnd);
        winsys::set_window_data(hwnd, 0);
        return 0;
    case notify_click:
        notify_parent_of_click(hwnd);
        return 0;
    case WM_SETTEXT:
        if (edit == nullptr)
            break;
        edit->setText(QString::fromUtf8(reinterpret_cast<LPCSTR>(lParam)));
        return TRUE;
    case WM_GETTEXT:
        if (edit == nullptr)
            break;
        return copy_text(*edit, wParam, reinterpret_cast<char *>(lParam));
    case WM_GETTEXTLENGTH:
        if (edit == nullptr)
            break;
        return edit->text().toUtf8().size();
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool register_control_class(const char *name)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = control_proc;
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0;
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

bool register_control_classes()
{
    static const bool registered = register_control_class(button_class) &&
                                   register_control_class(edit_class) &&
                                   register_control_class(static_class);
    return registered;
}

bool is_push_button(HWND hwnd)
{
    const Control *control = control_of(hwnd);
    return control != nullptr && control->kind == Kind::button;
}

bool is_default_push_button(HWND hwnd)
{
    return is_push_button(hwnd) &&
           (winsys::style_of(hwnd) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

bool is_tab_stop(HWND hwnd)
{
    const DWORD style = winsys::style_of(hwnd);
    return control_of(hwnd) != nullptr && (style & WS_TABSTOP) != 0 &&
           (style & WS_VISIBLE) != 0 && winsys::is_window_enabled(hwnd);
}

void focus_control(HWND hwnd)
{
    const Control *control = control_of(hwnd);
    if (control == nullptr || control->widget == nullptr)
        return;
    control->widget->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(control->widget))
        edit->selectAll();
}

HWND focused_control(HWND dialog)
{
    QWidget *client = qt::window_widget(dialog);
    if (client == nullptr)
        return nullptr;
    const QWidget *focus = client->window()->focusWidget();
    const HWND hwnd = focus ? qt::window_from_widget(focus) : nullptr;
    return hwnd != nullptr && winsys::parent_of(hwnd) == dialog ? hwnd
                                                                : nullptr;
}

} // namespace scribblet::dialogs
