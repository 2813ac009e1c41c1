// SPDX-License-Identifier: MIT
#include "host/message_box.h"

#include <algorithm>

#include "host/error.h"

namespace qv::host {
namespace {

constexpr std::int32_t kButtonMask = 0xF;
constexpr std::int32_t kIconMask = 0x70;
constexpr std::int32_t kDefaultMask = 0x300;

}  // namespace

void MessageBoxRequest::validate() const {
    const std::int32_t set = style & kButtonMask;
    const std::int32_t iconPart = style & kIconMask;
    if (style < 0 || set > msgbox::RetryCancel || iconPart > msgbox::Information) {
        throw Error(errc::InvalidProcedureCall, "MsgBox",
                    "The style " + std::to_string(style) +
                        " is not one a message box can have; it was asked for the " + describe());
    }
}

std::vector<int> MessageBoxRequest::buttons() const {
    using namespace msgbox;
    switch (style & kButtonMask) {
        case OKCancel:
            return {OK, Cancel};
        case AbortRetryIgnore:
            return {Abort, Retry, Ignore};
        case YesNoCancel:
            return {Yes, No, Cancel};
        case YesNo:
            return {Yes, No};
        case RetryCancel:
            return {Retry, Cancel};
        default:
            return {OK};
    }
}

MessageBoxIcon MessageBoxRequest::icon() const {
    switch (style & kIconMask) {
        case msgbox::Critical:
            return MessageBoxIcon::Critical;
        case msgbox::Question:
            return MessageBoxIcon::Question;
        case msgbox::Exclamation:
            return MessageBoxIcon::Exclamation;
        case msgbox::Information:
            return MessageBoxIcon::Information;
        default:
            return MessageBoxIcon::None;
    }
}

int MessageBoxRequest::defaultAnswer() const {
    const std::vector<int> all = buttons();
    const auto index = static_cast<std::size_t>((style & kDefaultMask) >> 8);
    return index < all.size() ? all[index] : all.front();
}

std::optional<int> MessageBoxRequest::escapeAnswer() const {
    const std::vector<int> all = buttons();
    if (offers(msgbox::Cancel)) return msgbox::Cancel;
    if (all.size() == 1 && all.front() == msgbox::OK) return msgbox::OK;
    return std::nullopt;
}

bool MessageBoxRequest::offers(int answer) const {
    const std::vector<int> all = buttons();
    return std::ranges::find(all, answer) != all.end();
}

std::string MessageBoxRequest::describe() const {
    std::string text = "message box \"" + title + "\": ";
    for (char c : prompt) {
        // Keep the description on one line: show line breaks as a visible mark.
        text += c == '\r' ? '|' : c == '\n' ? '|' : c;
    }
    return text;
}

const char* buttonCaption(int answer) {
    switch (answer) {
        case msgbox::OK:
            return "OK";
        case msgbox::Cancel:
            return "Cancel";
        case msgbox::Abort:
            return "&Abort";
        case msgbox::Retry:
            return "&Retry";
        case msgbox::Ignore:
            return "&Ignore";
        case msgbox::Yes:
            return "&Yes";
        case msgbox::No:
            return "&No";
        default:
            return "";
    }
}

}  // namespace qv::host
