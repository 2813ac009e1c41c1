// SPDX-License-Identifier: MIT
// One message box as a caller asks for it: prompt, style value and title,
// and what the style value means (buttons, icon, default and Esc answers).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::host {

// Answers of a message box: the button the user chose.
namespace msgbox {
inline constexpr int OK = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;

// Parts of a style value; a style is one button set + one icon + one default.
inline constexpr std::int32_t OKOnly = 0;
inline constexpr std::int32_t OKCancel = 1;
inline constexpr std::int32_t AbortRetryIgnore = 2;
inline constexpr std::int32_t YesNoCancel = 3;
inline constexpr std::int32_t YesNo = 4;
inline constexpr std::int32_t RetryCancel = 5;
inline constexpr std::int32_t Critical = 16;
inline constexpr std::int32_t Question = 32;
inline constexpr std::int32_t Exclamation = 48;
inline constexpr std::int32_t Information = 64;
inline constexpr std::int32_t DefaultButton2 = 256;
inline constexpr std::int32_t DefaultButton3 = 512;
}  // namespace msgbox

enum class MessageBoxIcon { None, Critical, Question, Exclamation, Information };

// A message box request. The style value adds a button set (0 to 5), an icon
// (0, 16, 32, 48 or 64) and a default button (0, 256 or 512); other bits
// (modality, help button and the like) are accepted and have no effect here.
struct MessageBoxRequest {
    std::string prompt;
    std::int32_t style = 0;
    std::string title;

    friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;

    // Fails with error 5 when the button set or icon part is not a known one.
    void validate() const;

    // Returns the answers of the buttons, left to right. Requires a valid style.
    std::vector<int> buttons() const;

    MessageBoxIcon icon() const;

    // Returns the answer of the default button (Enter); a default-button part
    // beyond the last button selects the first.
    int defaultAnswer() const;

    // Returns the answer Esc gives: Cancel where the box has it, OK for a box
    // with only OK, none otherwise (Esc then does nothing).
    std::optional<int> escapeAnswer() const;

    // Returns whether `answer` is one of the box's buttons.
    bool offers(int answer) const;

    // Returns a short text naming the box for error messages: its title in
    // quotes, then its prompt.
    std::string describe() const;
};

// Returns the caption of an answer's button ("OK", "&Retry" ...), with an
// ampersand before the access key.
const char* buttonCaption(int answer);

}  // namespace qv::host
