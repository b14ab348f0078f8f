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
#include "platform/qt/window_widgets.h"
#include "platform/winsys/window_system.h"

namespace scribblet::dialogs {
namespace {

namespace cc = resources::control_class;

// Style bits of the control classes (Windows' values).
constexpr DWORD kButtonTypeMask = 0x000F;
constexpr DWORD kEditCenter = 0x0001;
constexpr DWORD kEditRight = 0x0002;
constexpr DWORD kEditMultiline = 0x0004;
constexpr DWORD kStaticTypeMask = 0x001F;
constexpr DWORD kStaticCenter = 0x0001;
constexpr DWORD kStaticRight = 0x0002;
constexpr DWORD kStaticLeftNoWordWrap = 0x000C;
constexpr DWORD kStaticNoPrefix = 0x0080;

// An icon control takes the system's icon size: 32 pixels at 96 dpi.
constexpr int kIconSizeAt96Dpi = 32;

// Sent to a control, as queued input, when its Qt widget reports what the
// user did; wParam is the notification code for the parent.
constexpr UINT kNotifyParent = WM_USER + 0x7F0;

constexpr const char *kButtonClass = "Button";
constexpr const char *kEditClass = "Edit";
constexpr const char *kStaticClass = "Static";

enum class Kind { button, edit, text, icon };

struct Control {
    Kind kind;
    DWORD style;
    QPointer<QWidget> widget;
};

Control *ControlOf(HWND hwnd)
{
    return reinterpret_cast<Control *>(winsys::window_data(hwnd));
}

void QueueNotification(HWND hwnd, WORD code)
{
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = kNotifyParent;
    msg.wParam = code;
    winsys::queue_input(msg);
}

void NotifyParent(HWND hwnd, WORD code)
{
    const HWND parent = winsys::parent_of(hwnd);
    if (parent != nullptr)
        SendMessageA(parent, WM_COMMAND,
                     MAKEWPARAM(winsys::child_id_of(hwnd), code),
                     reinterpret_cast<LPARAM>(hwnd));
}

// A static control shows "&&" as "&" and drops a lone "&" (it would
// underline the next letter) unless it has SS_NOPREFIX.
QString StaticDisplayText(const QString &text, DWORD style)
{
    if ((style & kStaticNoPrefix) != 0)
        return text;
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == u'&')
            continue;
        shown += text[i];
    }
    return shown;
}

QString ItemText(const resources::DialogItem &item)
{
    return item.title.is_ordinal ? QString()
                                 : QString::fromStdString(item.title.text);
}

Qt::Alignment EditAlignment(DWORD style)
{
    if ((style & kEditRight) != 0)
        return Qt::AlignRight;
    return (style & kEditCenter) != 0 ? Qt::AlignHCenter : Qt::AlignLeft;
}

Qt::Alignment StaticAlignment(DWORD type)
{
    if (type == kStaticRight)
        return Qt::AlignRight | Qt::AlignTop;
    if (type == kStaticCenter)
        return Qt::AlignHCenter | Qt::AlignTop;
    return Qt::AlignLeft | Qt::AlignTop;
}

// Tab-stop controls take the focus from Tab and clicks; others only from
// clicks (or, for texts and icons, never).
Qt::FocusPolicy FocusPolicyFor(Kind kind, DWORD style)
{
    if (kind == Kind::text || kind == Kind::icon)
        return Qt::NoFocus;
    return (style & WS_TABSTOP) != 0 ? Qt::StrongFocus : Qt::ClickFocus;
}

QWidget *MakeButton(HWND hwnd, const resources::DialogItem &item)
{
    auto *button = new QPushButton(ItemText(item));
    button->setDefault((item.style & kButtonTypeMask) == BS_DEFPUSHBUTTON);
    QObject::connect(button, &QPushButton::clicked,
                     [hwnd] { QueueNotification(hwnd, BN_CLICKED); });
    return button;
}

QWidget *MakeEdit(HWND hwnd, const resources::DialogItem &item)
{
    auto *edit =
        new FittingLineEdit((item.style & ES_AUTOHSCROLL) != 0, nullptr);
    edit->setFrame((item.style & WS_BORDER) != 0);
    edit->setAlignment(EditAlignment(item.style) | Qt::AlignVCenter);
    edit->setText(ItemText(item));
    QObject::connect(edit, &QLineEdit::textEdited,
                     [hwnd] { QueueNotification(hwnd, EN_CHANGE); });
    return edit;
}

QWidget *MakeText(const resources::DialogItem &item)
{
    const DWORD type = item.style & kStaticTypeMask;
    auto *label = new QLabel(StaticDisplayText(ItemText(item), item.style));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(StaticAlignment(type));
    label->setWordWrap(type != kStaticLeftNoWordWrap);
    return label;
}

// The icon resource that an SS_ICON item names.
QIcon LoadItemIcon(const resources::DialogItem &item, HINSTANCE instance)
{
    if (item.title.is_ordinal)
        return qt::qt_icon(
            LoadIconA(instance, MAKEINTRESOURCEA(item.title.ordinal)));
    return qt::qt_icon(LoadIconA(instance, item.title.text.c_str()));
}

// An icon control sizes itself to the system icon size, as Windows' does.
QWidget *MakeIcon(HWND hwnd, const resources::DialogItem &item,
                  HINSTANCE instance)
{
    const int size = MulDivRounded(kIconSizeAt96Dpi, LogicalDpi(), 96);
    auto *label = new QLabel;
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(LoadItemIcon(item, instance).pixmap(size, size));
    SetWindowPos(hwnd, nullptr, 0, 0, size, size,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return label;
}

// The kind of control that an item of this window class makes; false
// for styles that these classes do not offer here (check boxes, radio
// buttons, group boxes, multi-line fields, bitmaps and frames).
bool KindOf(const char *className, DWORD style, Kind &kind)
{
    if (std::strcmp(className, kButtonClass) == 0) {
        kind = Kind::button;
        const DWORD type = style & kButtonTypeMask;
        return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
    }
    if (std::strcmp(className, kEditClass) == 0) {
        kind = Kind::edit;
        return (style & kEditMultiline) == 0;
    }
    const DWORD type = style & kStaticTypeMask;
    kind = type == SS_ICON ? Kind::icon : Kind::text;
    return type <= kStaticRight || type == SS_ICON ||
           type == kStaticLeftNoWordWrap;
}

QWidget *MakeWidget(HWND hwnd, Kind kind, const ControlRecipe &recipe)
{
    switch (kind) {
    case Kind::button:
        return MakeButton(hwnd, *recipe.item);
    case Kind::edit:
        return MakeEdit(hwnd, *recipe.item);
    case Kind::text:
        return MakeText(*recipe.item);
    case Kind::icon:
        return MakeIcon(hwnd, *recipe.item, recipe.instance);
    }
    return nullptr;
}

// WM_CREATE: the Qt widget fills the window's container; −1 refuses
// the window.
LRESULT CreateControl(HWND hwnd, const CREATESTRUCTA &create)
{
    const auto *recipe = static_cast<const ControlRecipe *>(create.lpCreateParams);
    QWidget *container = qt::window_widget(hwnd);
    Kind kind;
    if (recipe == nullptr || recipe->item == nullptr || container == nullptr ||
        !KindOf(create.lpszClass, static_cast<DWORD>(create.style), kind))
        return -1;
    QWidget *widget = MakeWidget(hwnd, kind, *recipe);
    if (recipe->font != nullptr)
        widget->setFont(*recipe->font);
    widget->setFocusPolicy(FocusPolicyFor(kind, recipe->item->style));
    widget->setEnabled((recipe->item->style & WS_DISABLED) == 0);
    // The control's window stands for its widget: focusing the one focuses
    // the other, and only the widget is a stop for Tab.
    container->setFocusPolicy(Qt::NoFocus);
    container->setFocusProxy(widget);
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(widget);
    winsys::set_window_data(
        hwnd, reinterpret_cast<LONG_PTR>(
                  new Control{kind, recipe->item->style, widget}));
    return 0;
}

QString ControlText(const Control &control)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control.widget))
        return edit->text();
    if (auto *button = qobject_cast<QPushButton *>(control.widget))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(control.widget))
        return label->text();
    return {};
}

// WM_SETTEXT. An edit field reports the change with EN_CHANGE, as
// Windows' does for text set by the program too.
void SetControlText(HWND hwnd, Control &control, const char *utf8)
{
    const QString text = QString::fromUtf8(utf8 == nullptr ? "" : utf8);
    if (auto *edit = qobject_cast<QLineEdit *>(control.widget)) {
        edit->setText(text);
        NotifyParent(hwnd, EN_CHANGE);
    } else if (auto *button = qobject_cast<QPushButton *>(control.widget)) {
        button->setText(text);
    } else if (auto *label = qobject_cast<QLabel *>(control.widget);
               label != nullptr && control.kind == Kind::text) {
        label->setText(StaticDisplayText(text, control.style));
    }
}

// WM_GETTEXT: at most size − 1 bytes, never half a character, then a NUL.
LRESULT CopyControlText(const Control &control, WPARAM size, char *buffer)
{
    if (buffer == nullptr || size == 0)
        return 0;
    const QByteArray text = ControlText(control).toUtf8();
    qsizetype count = std::min<qsizetype>(text.size(),
                                          static_cast<qsizetype>(size - 1));
    while (count > 0 && count < text.size() &&
           (static_cast<unsigned char>(text[count]) & 0xC0) == 0x80)
        --count;
    std::memcpy(buffer, text.constData(), static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return count;
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam)
{
    Control *control = ControlOf(hwnd);
    switch (message) {
    case WM_CREATE:
        return CreateControl(hwnd,
                             *reinterpret_cast<CREATESTRUCTA *>(lParam));
    case WM_DESTROY:
        winsys::set_window_data(hwnd, 0);
        delete control;
        return 0;
    case kNotifyParent:
        NotifyParent(hwnd, static_cast<WORD>(wParam));
        return 0;
    case WM_SETTEXT:
        if (control == nullptr)
            break;
        SetControlText(hwnd, *control, reinterpret_cast<LPCSTR>(lParam));
        return TRUE;
    case WM_GETTEXT:
        if (control == nullptr)
            break;
        return CopyControlText(*control, wParam,
                               reinterpret_cast<char *>(lParam));
    case WM_GETTEXTLENGTH:
        if (control == nullptr)
            break;
        return ControlText(*control).toUtf8().size();
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterControlClass(const char *name)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ControlProc;
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0;
}

} // namespace

const char *ControlClassName(std::uint16_t classOrdinal)
{
    switch (classOrdinal) {
    case cc::button:
        return kButtonClass;
    case cc::edit:
        return kEditClass;
    case cc::static_text:
        return kStaticClass;
    default:
        return nullptr;
    }
}

bool RegisterControlClasses()
{
    static const bool registered = RegisterControlClass(kButtonClass) &&
                                   RegisterControlClass(kEditClass) &&
                                   RegisterControlClass(kStaticClass);
    return registered;
}

bool IsPushButton(HWND hwnd)
{
    const Control *control = ControlOf(hwnd);
    return control != nullptr && control->kind == Kind::button;
}

bool IsDefaultPushButton(HWND hwnd)
{
    return IsPushButton(hwnd) &&
           (winsys::style_of(hwnd) & kButtonTypeMask) == BS_DEFPUSHBUTTON;
}

bool IsTabStop(HWND hwnd)
{
    const DWORD style = winsys::style_of(hwnd);
    return ControlOf(hwnd) != nullptr && (style & WS_TABSTOP) != 0 &&
           (style & WS_VISIBLE) != 0 && winsys::is_window_enabled(hwnd);
}

void FocusControl(HWND hwnd)
{
    const Control *control = ControlOf(hwnd);
    if (control == nullptr || control->widget == nullptr)
        return;
    control->widget->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(control->widget))
        edit->selectAll();
}

HWND FocusedControl(HWND dialog)
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
