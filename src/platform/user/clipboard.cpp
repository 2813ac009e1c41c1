// SPDX-License-Identifier: MIT
#include "platform/user/clipboard.h"

namespace qv::user {
namespace {

std::string& storage() {
    thread_local std::string text;
    return text;
}

SharedClipboard& shared() {
    thread_local SharedClipboard clipboard;
    return clipboard;
}

}  // namespace

const std::string& clipboardText() {
    if (shared().read) {
        if (auto text = shared().read()) storage() = std::move(*text);
    }
    return storage();
}

void setClipboardText(std::string_view text) {
    storage().assign(text);
    if (shared().write) shared().write(text);
}

void clearClipboard() {
    setClipboardText({});
}

void shareClipboard(SharedClipboard clipboard) {
    shared() = std::move(clipboard);
}

}  // namespace qv::user
