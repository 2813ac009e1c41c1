#include "screenshot.h"

#include <filesystem>
#include <memory>

#include "data/data_control.h"
#include "data/data_control_view.h"
#include "host/error.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/user_control.h"
#include "platform/gdi/png_file.h"
#include "platform/user/screen.h"
#include "platform/win32.h"

namespace qv::qvform {

namespace {

constexpr std::int32_t kPathFileAccess = 75;

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using OwnedDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

// Restores the DC's first bitmap before the DC goes, so both can be deleted.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(m_dc, m_old); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC m_dc;
    HGDIOBJ m_old;
};

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw host::Error(kPathFileAccess, "qvform", "Cannot write " + path + ": " + reason);
}

RECT pixelRect(const host::Control& control) {
    const host::Bounds& b = control.bounds();
    const int left = b.left / host::TwipsPerPixel;
    const int top = b.top / host::TwipsPerPixel;
    return RECT{left, top, left + b.width / host::TwipsPerPixel,
                top + b.height / host::TwipsPerPixel};
}

}  // namespace

void writeFormShot(const host::Form& form, const std::string& path) {
    HWND window = host::FormRunner::windowOf(form);
    if (!window) fail(path, "the form is not shown");
    OwnedBitmap shot(user::captureWindow(window));
    if (!shot) fail(path, "the form's window cannot be captured");

    OwnedDc dc(CreateCompatibleDC(nullptr));
    if (!dc) fail(path, "no drawing context");
    {
        Selection target(dc.get(), shot.get());
        for (const auto& control : form.controls()) {
            // Only what sits on the form itself: frames draw their own.
            if (!control->Visible() || control->Container().get() != &form) continue;
            const RECT r = pixelRect(*control);
            if (auto* user = dynamic_cast<host::UserControl*>(control.get())) {
                // The image stays selected in the control's own DC.
                BitBlt(dc.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, user->hDC(), 0,
                       0, SRCCOPY);
            } else if (auto* data = dynamic_cast<data::DataControl*>(control.get())) {
                data::DataControlView::draw(dc.get(), r, data->caption(), data->Enabled());
            }
        }
    }
    const auto parent = std::filesystem::path(path).parent_path();
    std::error_code ec;
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    if (!gdi::writePngFile(shot.get(), path)) fail(path, "the file cannot be written");
}

}  // namespace qv::qvform
