#include "platform/user/clipboard.h"

namespace qv::user {
namespace {

std::string& storage() {
    thread_local std::string text;
    return text;
}

}  // namespace

const std::string& clipboardText() {
    return storage();
}

void setClipboardText(std::string_view text) {
    storage().assign(text);
}

void clearClipboard() {
    storage().clear();
}

}  // namespace qv::user
