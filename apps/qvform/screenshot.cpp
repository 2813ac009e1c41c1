// SPDX-License-Identifier: MIT
#include "screenshot.h"

#include <filesystem>
#include <memory>

#include "host/error.h"
#include "host/form.h"
#include "host/form_runner.h"
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

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw host::Error(kPathFileAccess, "qvform", "Cannot write " + path + ": " + reason);
}

}  // namespace

void writeFormShot(const host::Form& form, const std::string& path) {
    HWND window = host::FormRunner::windowOf(form);
    if (!window) fail(path, "the form is not shown");
    OwnedBitmap shot(user::captureWindow(window));
    if (!shot) fail(path, "the form's window cannot be captured");
    const auto parent = std::filesystem::path(path).parent_path();
    std::error_code ec;
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    if (!gdi::writePngFile(shot.get(), path)) fail(path, "the file cannot be written");
}

}  // namespace qv::qvform
