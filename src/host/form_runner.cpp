// SPDX-License-Identifier: MIT
// The form runner: a form's frame window and client window, their
// painting and messages, showing and hiding forms, and dispatch.
//
// Sections, in file order:
//   frame window     finding an open form, the caption bar, icon and close
//                    box, painting the frame and the client, activation
//   messages         handleFormMessage, formProc, the window classes, the
//                    hidden owner, focus
//   show and hide    FormRunner::Show, Unload, Hide, the windows of a form
//   drawing          invalidateArea, paintWindowless, drawFormIcon
//   keyboard         tabOrder, outermostForm, defaultButton, cancelButton,
//                    dialogKey
//   tooltips         toolTipWindow
//   dispatch         guard, takePendingError, dispatch
#include "host/form_runner.h"

#include <algorithm>
#include <string>

#include "host/access_keys.h"
#include "host/caption_bar.h"
#include "host/command_button.h"
#include "host/form.h"
#include "host/form_icon.h"
#include "host/form_runner_control.h"
#include "host/label.h"
#include "host/line.h"
#include "host/user_control.h"
#include "platform/ole/picture.h"
#include "platform/user/message_loop.h"
#include "platform/user/paint_scope.h"

namespace qv::host {
namespace {

constexpr const char* kFrameClass = "qvFormFrame";
constexpr const char* kClientClass = "qvFormClient";
constexpr const char* kOwnerClass = "qvFormOwner";
constexpr int kIconSize = 16;

struct OpenForm {
    std::weak_ptr<Form> form;
    const Form* key = nullptr;
    HWND frame = nullptr;
    HWND client = nullptr;
};

thread_local std::vector<OpenForm> t_open;
// The character of a dialog key the form acted on: its WM_CHAR is dropped.
thread_local WPARAM t_swallowChar = 0;
// An error raised by a handler during message dispatch, kept for the caller.
thread_local std::optional<Error> t_pending;
// The frame that was active when the runner last looked; a change means a
// form became active again (a click, the end of a modal form).
thread_local HWND t_activeFrame = nullptr;

OpenForm* findOpen(const Form* form) {
    for (OpenForm& open : t_open) {
        if (open.key == form) return &open;
    }
    return nullptr;
}

OpenForm* findByWindow(HWND hwnd) {
    for (OpenForm& open : t_open) {
        if (open.frame == hwnd || open.client == hwnd) return &open;
    }
    return nullptr;
}

// Where the form's icon goes: a small square at the left of the caption bar.
RECT iconRect() {
    const int left = FormRunner::kBorder + 2;
    const int top = FormRunner::kBorder + (FormRunner::kCaptionHeight - kIconSize) / 2;
    return RECT{left, top, left + kIconSize, top + kIconSize};
}

// Draws an icon scaled to the square `r` (kIconSize wide), or a bitmap
// stretched into it.
void drawIcon(HDC dc, const ole::Picture& picture, const RECT& r = iconRect()) {
    if (picture.Type() == PICTYPE_ICON) {
        DrawIconEx(dc, r.left, r.top, static_cast<HICON>(picture.Handle()), kIconSize, kIconSize, 0,
                   nullptr, DI_NORMAL);
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, picture.Handle());
    if (old) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, r.left, r.top, kIconSize, kIconSize, memory, 0, 0, picture.widthPixels(),
                   picture.heightPixels(), SRCCOPY);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
}

CaptionBar captionBar(HWND frame) {
    RECT r;
    GetClientRect(frame, &r);
    const int b = FormRunner::kBorder;
    return CaptionBar(RECT{b, b, r.right - b, b + FormRunner::kCaptionHeight});
}

RECT closeBoxRect(HWND frame) {
    return captionBar(frame).closeBox();
}

void paintFrame(HWND hwnd, const Form& form) {
    const user::PaintScope scope(hwnd);
    HDC dc = scope.dc();
    RECT r = scope.client();
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    const CaptionBar bar = captionBar(hwnd);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const auto& icon = form.Icon();
    const bool hasIcon = icon && icon->Handle();
    bar.paint(dc, form.Caption(), hasIcon ? iconRect().right + 3 : FormRunner::kBorder + 4,
              GetActiveWindow() == hwnd);
    // Over the bar, which paint() fills first.
    if (hasIcon) drawIcon(dc, *icon);
    SelectObject(dc, oldFont);
}

void paintClient(HWND hwnd, const Form& form) {
    const user::PaintScope scope(hwnd);
    HDC dc = scope.dc();
    COLORREF back = 0;
    OleTranslateColor(static_cast<OLE_COLOR>(form.BackColor()), nullptr, &back);
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &scope.client(), brush);
    DeleteObject(brush);
    FormRunner::paintWindowless(dc, form, &form);
}

// Closes the windows of an open form whose form is gone or unloaded.
void closeWindows(OpenForm open) {
    if (auto form = open.form.lock()) {
        for (const auto& control : form->controls()) {
            if (auto* windowed = dynamic_cast<FormRunnerControl*>(control.get())) {
                windowed->destroyWindow();
            }
        }
    }
    std::erase_if(t_open, [&](const OpenForm& o) { return o.frame == open.frame; });
    if (IsWindow(open.frame)) DestroyWindow(open.frame);
}

// Closes the windows of every form that has been unloaded by code.
void sweep() {
    for (std::size_t i = 0; i < t_open.size();) {
        auto form = t_open[i].form.lock();
        if (!form || !form->loaded()) {
            closeWindows(t_open[i]);
        } else {
            ++i;
        }
    }
}

void focusForm(const Form& form, HWND client);

void invalidateCaption(HWND frame) {
    if (!frame || !IsWindow(frame)) return;
    RECT r;
    GetClientRect(frame, &r);
    r.bottom = FormRunner::kBorder + FormRunner::kCaptionHeight;
    InvalidateRect(frame, &r, FALSE);
}

// Runs Form_Activate for the form whose frame has become the active window
// since the last look. The platform makes a window active on a click without
// telling it, so the runner looks each time one of its windows gets a message.
void noteActivation() {
    HWND active = GetActiveWindow();
    if (active == t_activeFrame) return;
    // Only a change from one form to another counts: a message box or no
    // active window in between leaves the last form the active one.
    OpenForm* open = findByWindow(active);
    auto form = open && open->frame == active ? open->form.lock() : nullptr;
    if (!form) return;
    // A form disabled under a modal one is not really active: it becomes
    // active when the modal form is gone.
    if (!IsWindowEnabled(active)) return;
    invalidateCaption(t_activeFrame);
    invalidateCaption(active);
    t_activeFrame = active;
    form->Activate();
}

LRESULT handleFormMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    noteActivation();
    OpenForm* open = findByWindow(hwnd);
    auto form = open ? open->form.lock() : nullptr;
    if (!form) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const bool isFrame = open->frame == hwnd;
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_NCCALCSIZE:
            // The frame draws its border and caption itself; what is left is
            // the form's client window.
            if (isFrame && lParam != 0) {
                auto* r = reinterpret_cast<RECT*>(lParam);
                InflateRect(r, -FormRunner::kBorder, -FormRunner::kBorder);
                r->top += FormRunner::kCaptionHeight;
            }
            return 0;
        case WM_PAINT:
            if (isFrame) {
                paintFrame(hwnd, *form);
            } else {
                paintClient(hwnd, *form);
            }
            return 0;
        case WM_LBUTTONDOWN:
            if (isFrame) {
                const RECT close = closeBoxRect(hwnd);
                const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (PtInRect(&close, pt)) PostMessageA(hwnd, WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_CLOSE:
            FormRunner::Unload(form);
            return 0;
        case WM_KEYDOWN: {
            // Keys reach the form's own windows only when no control has the focus.
            const auto vk = static_cast<unsigned>(wParam);
            if (vk == VK_TAB) {
                focusForm(*form, open->client);
            } else if (vk == VK_RETURN || vk == VK_ESCAPE) {
                CommandButton* button = vk == VK_RETURN ? FormRunner::defaultButton(*form)
                                                        : FormRunner::cancelButton(*form);
                if (button) button->press();
            }
            sweep();
            return 0;
        }
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK formProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return FormRunner::guard([&] { return handleFormMessage(hwnd, msg, wParam, lParam); });
}

void registerClasses() {
    WNDCLASSA existing;
    for (const char* name : {kFrameClass, kClientClass, kOwnerClass}) {
        if (GetClassInfoA(nullptr, name, &existing)) continue;
        WNDCLASSA wc{};
        wc.lpfnWndProc = std::string_view(name) == kOwnerClass ? DefWindowProcA : formProc;
        wc.lpszClassName = name;
        RegisterClassA(&wc);
    }
}

// The hidden window that owns the frames of forms shown without an owner
// form: an owned window gets no task-bar entry. One per thread, never shown.
HWND hiddenOwner() {
    thread_local HWND owner = nullptr;
    char name[32] = {};
    if (owner && IsWindow(owner) && GetClassNameA(owner, name, sizeof name) > 0 &&
        std::string(name) == kOwnerClass) {
        return owner;
    }
    owner = CreateWindowExA(0, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                            nullptr);
    return owner;
}

// Puts the focus on the first control in tab order, or on the form itself.
void focusForm(const Form& form, HWND client) {
    const auto order = FormRunner::tabOrder(form);
    if (!order.empty()) {
        order.front()->SetFocus();
    } else {
        SetFocus(client);
    }
}

bool focusInside(HWND frame) {
    HWND focus = GetFocus();
    return focus && (focus == frame || IsChild(frame, focus));
}

// Disables the window that was active while a modal form runs, and makes
// it active again afterwards.
class DisabledWhileModal {
  public:
    explicit DisabledWhileModal(HWND hwnd)
        : m_active(hwnd),
          m_hwnd(hwnd && IsWindowEnabled(hwnd) ? hwnd : nullptr),
          m_focus(GetFocus()) {
        if (m_hwnd) EnableWindow(m_hwnd, FALSE);
    }
    ~DisabledWhileModal() {
        if (m_hwnd && IsWindow(m_hwnd)) EnableWindow(m_hwnd, TRUE);
        if (m_focus && IsWindow(m_focus)) {
            SetFocus(m_focus);
        } else if (m_active && IsWindow(m_active) && IsWindowVisible(m_active)) {
            ShowWindow(m_active, SW_SHOW);
        }
    }
    DisabledWhileModal(const DisabledWhileModal&) = delete;
    DisabledWhileModal& operator=(const DisabledWhileModal&) = delete;

  private:
    HWND m_active;
    HWND m_hwnd;
    HWND m_focus;
};

}  // namespace

void FormRunner::Show(const std::shared_ptr<Form>& form, int modal, const Form* owner) {
    if (!form) raise(errc::ObjectVariableNotSet, "Show");
    form->Load();
    if (!form->loaded()) return;  // Form_Load unloaded it
    registerClasses();
    if (!findOpen(form.get())) {
        const int width = form->bounds().width / TwipsPerPixel;
        const int height = form->bounds().height / TwipsPerPixel;
        const int outerWidth = width + 2 * kBorder;
        const int outerHeight = height + 2 * kBorder + kCaptionHeight;
        HWND ownerFrame = owner && owner != form.get() ? frameOf(*owner) : nullptr;
        RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (ownerFrame) GetWindowRect(ownerFrame, &area);
        // Centred on the area, but kept on the screen.
        const int x = std::max(0, area.left + (area.right - area.left - outerWidth) / 2);
        const int y = std::max(0, area.top + (area.bottom - area.top - outerHeight) / 2);
        // A fixed dialog frame: no sizing border, no minimise or maximise box.
        HWND frame = CreateWindowExA(
            0, kFrameClass, form->Caption().c_str(),
            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, x, y, outerWidth, outerHeight,
            ownerFrame ? ownerFrame : hiddenOwner(), nullptr, nullptr, nullptr);
        HWND client = frame ? CreateWindowExA(0, kClientClass, "", WS_CHILD | WS_VISIBLE, kBorder,
                                              kBorder + kCaptionHeight, width, height, frame,
                                              nullptr, nullptr, nullptr)
                            : nullptr;
        if (!client) {
            if (frame) DestroyWindow(frame);
            throw Error(errc::InvalidProcedureCall, form->Name(),
                        "The window of the form " + form->Name() + " could not be opened.");
        }
        t_open.push_back(OpenForm{form, form.get(), frame, client});
    }
    const OpenForm open = *findOpen(form.get());
    std::unique_ptr<DisabledWhileModal> disabled;
    if (modal == 1) disabled = std::make_unique<DisabledWhileModal>(GetActiveWindow());
    ShowWindow(open.frame, SW_SHOW);
    // Form::Show runs Form_Activate for this activation.
    invalidateCaption(t_activeFrame);
    t_activeFrame = GetActiveWindow();
    form->Show();
    sweep();
    if (!form->loaded()) return;
    if (!focusInside(open.frame)) focusForm(*form, open.client);
    UpdateWindow(open.frame);
    if (modal != 1) return;

    user::runModalLoop(open.frame, [&form] { return !form->loaded() || t_pending.has_value(); });
    sweep();
    disabled.reset();
    noteActivation();
    if (auto pending = takePendingError()) {
        Unload(form);
        throw *pending;
    }
    if (form->loaded()) {
        Unload(form);
        throw Error(errc::InvalidProcedureCall, form->Name(),
                    "The modal form " + form->Name() + " was closed because no more input came.");
    }
}

bool FormRunner::Unload(const std::shared_ptr<Form>& form) {
    if (!form) return true;
    if (!form->Unload()) return false;
    if (OpenForm* open = findOpen(form.get())) closeWindows(*open);
    noteActivation();
    return true;
}

void FormRunner::Hide(const Form& form) {
    if (OpenForm* open = findOpen(&form)) closeWindows(*open);
}

HWND FormRunner::windowOf(const Form& form) {
    const OpenForm* open = findOpen(&form);
    return open ? open->client : nullptr;
}

HWND FormRunner::frameOf(const Form& form) {
    const OpenForm* open = findOpen(&form);
    return open ? open->frame : nullptr;
}

HWND FormRunner::containerWindow(const Control& control) {
    // A user control's own controls have that user control as their container.
    ObjectRef container = control.Container();
    if (auto* holder = dynamic_cast<Control*>(container.get())) return holder->hWnd();
    if (auto* form = dynamic_cast<Form*>(container.get())) return windowOf(*form);
    return nullptr;
}

void FormRunner::invalidateArea(const Control& control) {
    HWND hwnd = containerWindow(control);
    if (!hwnd) return;
    const Bounds& b = control.bounds();
    // Lines reach their end points; one pixel more on each side covers them.
    RECT r{b.left / TwipsPerPixel - 1, b.top / TwipsPerPixel - 1,
           (b.left + b.width) / TwipsPerPixel + 2, (b.top + b.height) / TwipsPerPixel + 2};
    InvalidateRect(hwnd, &r, TRUE);
}

void FormRunner::paintWindowless(HDC dc, const Form& form, const Object* container) {
    for (const auto& control : form.controls()) {
        if (!control->windowless() || !control->Visible()) continue;
        if (control->Container().get() != container) continue;
        if (auto* label = dynamic_cast<Label*>(control.get())) {
            label->draw(dc);
        } else if (auto* line = dynamic_cast<Line*>(control.get())) {
            line->draw(dc);
        }
    }
}

namespace {

// Adds the tab order of `form` to `order`. A user control is one stop of
// its form's order, where Tab visits its own controls in their order.
void addTabOrder(const Form& form, std::vector<FormRunnerControl*>& order) {
    struct Stop {
        std::int16_t tabIndex;
        FormRunnerControl* windowed;
        const Form* parts;
    };
    std::vector<Stop> stops;
    for (const auto& control : form.controls()) {
        if (auto* windowed = dynamic_cast<FormRunnerControl*>(control.get())) {
            if (windowed->isTabStop() && windowed->canTakeFocus()) {
                stops.push_back({windowed->TabIndex(), windowed, nullptr});
            }
        } else if (auto* user = dynamic_cast<UserControl*>(control.get())) {
            const Form* parts = user->constituentsIfAny();
            if (parts && user->TabStop() && user->Visible() && user->Enabled()) {
                stops.push_back({user->TabIndex(), nullptr, parts});
            }
        }
    }
    std::ranges::stable_sort(stops, {}, &Stop::tabIndex);
    for (const Stop& stop : stops) {
        if (stop.windowed) {
            order.push_back(stop.windowed);
        } else {
            addTabOrder(*stop.parts, order);
        }
    }
}

}  // namespace

bool drawFormIcon(HWND frame, HDC dc, POINT at) {
    const OpenForm* open = findByWindow(frame);
    const auto form = open && open->frame == frame ? open->form.lock() : nullptr;
    const std::shared_ptr<ole::Picture> icon = form ? form->Icon() : nullptr;
    if (!icon || !icon->Handle()) return false;
    drawIcon(dc, *icon, RECT{at.x, at.y, at.x + kIconSize, at.y + kIconSize});
    return true;
}

std::vector<FormRunnerControl*> FormRunner::tabOrder(const Form& form) {
    std::vector<FormRunnerControl*> order;
    addTabOrder(form, order);
    return order;
}

std::shared_ptr<Form> FormRunner::outermostForm(const Control& control) {
    std::shared_ptr<Form> form = control.Parent();
    while (form) {
        const auto host = form->hostControl();
        std::shared_ptr<Form> outer = host ? host->Parent() : nullptr;
        if (!outer) break;
        form = std::move(outer);
    }
    return form;
}

namespace {

CommandButton* findButton(const Form& form, bool wantDefault) {
    for (const auto& control : form.controls()) {
        auto* button = dynamic_cast<CommandButton*>(control.get());
        if (!button || !(wantDefault ? button->Default() : button->Cancel())) continue;
        if (button->Enabled() && button->Visible()) return button;
    }
    return nullptr;
}

}  // namespace

CommandButton* FormRunner::defaultButton(const Form& form) {
    return findButton(form, true);
}
CommandButton* FormRunner::cancelButton(const Form& form) {
    return findButton(form, false);
}

bool FormRunner::dialogKey(const Control& from, unsigned vk) {
    auto form = outermostForm(from);
    if (!form) return false;
    if (vk == VK_TAB) {
        const auto order = tabOrder(*form);
        if (order.empty()) return false;
        const auto at = std::ranges::find(order, &from);
        const auto n = static_cast<std::ptrdiff_t>(order.size());
        std::ptrdiff_t i = at == order.end() ? -1 : at - order.begin();
        const bool back = GetKeyState(VK_SHIFT) < 0;
        if (at == order.end() && back) i = 0;
        i = back ? (i - 1 + n) % n : (i + 1) % n;
        order[static_cast<std::size_t>(i)]->SetFocus();
        return true;
    }
    CommandButton* button = vk == VK_RETURN   ? defaultButton(*form)
                            : vk == VK_ESCAPE ? cancelButton(*form)
                                              : nullptr;
    if (!button) return false;
    button->press();
    return true;
}

HWND FormRunner::toolTipWindow(bool create) {
    thread_local HWND tip = nullptr;
    if (tip && IsWindow(tip)) return tip;
    tip = nullptr;
    if (!create) return nullptr;
    InitCommonControls();
    tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                          0, 0, nullptr, nullptr, nullptr, nullptr);
    return tip;
}

LRESULT FormRunner::guard(const std::function<LRESULT()>& handle) {
    try {
        return handle();
    } catch (const std::exception& e) {
        if (!t_pending) t_pending = errorFrom(e, "qvRuntime");
        return 0;
    }
}

std::optional<Error> FormRunner::takePendingError() {
    std::optional<Error> out = std::move(t_pending);
    t_pending.reset();
    return out;
}

LRESULT FormRunner::dispatch(FormRunnerControl& control, UINT msg, WPARAM wParam, LPARAM lParam) {
    return guard([&] { return dispatchGuarded(control, msg, wParam, lParam); });
}

LRESULT FormRunner::dispatchGuarded(FormRunnerControl& control, UINT msg, WPARAM wParam,
                                    LPARAM lParam) {
    // A handler may unload the form, which drops the control: keep it alive.
    const auto keep = control.shared_from_this();
    noteActivation();
    if (msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP) {
        if (HWND tip = toolTipWindow(false)) {
            MSG relayed{control.hWnd(), msg, wParam, lParam, 0, {}, 0};
            SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        }
    }
    if (msg == WM_KEYDOWN) {
        t_swallowChar = 0;
        const auto vk = static_cast<unsigned>(wParam);
        const bool alnum = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
        if (alnum && GetKeyState(VK_MENU) < 0) {
            if (auto form = outermostForm(control)) {
                if (!pressAccessKey(*form, static_cast<char>(vk))) MessageBeep(0);
            }
            sweep();
            return 0;
        }
        const bool dialog = vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE;
        if (dialog && !control.usesKey(vk) && dialogKey(control, vk)) {
            t_swallowChar = vk == VK_TAB ? '\t' : vk == VK_RETURN ? '\r' : 0x1B;
            sweep();
            return 0;
        }
    } else if (msg == WM_CHAR && t_swallowChar != 0) {
        const bool same = wParam == t_swallowChar;
        t_swallowChar = 0;
        if (same) return 0;
    }
    const LRESULT result = control.onMessage(msg, wParam, lParam);
    sweep();
    return result;
}

}  // namespace qv::host
