// SPDX-License-Identifier: MIT
#include "transcript.h"

namespace qv::qvform {

std::string escapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void Transcript::line(const std::string& text) {
    m_out << text << '\n';
    m_out.flush();
}

void Transcript::command(std::string_view text) {
    line("> " + std::string(text));
}

void Transcript::beep() {
    line("beep");
}

void Transcript::messageBox(std::int32_t style, std::string_view title, std::string_view prompt,
                            int answer) {
    line("msgbox " + std::to_string(style) + " \"" + escapeText(title) + "\" \"" +
         escapeText(prompt) + "\" -> " + std::to_string(answer));
}

void Transcript::event(std::string_view source, std::string_view name) {
    line("event " + std::string(source) + "." + std::string(name));
}

void Transcript::status(std::string_view text) {
    line("status \"" + escapeText(text) + "\"");
}

void Transcript::value(std::string_view name, std::string_view value) {
    line("value " + std::string(name) + " = " + std::string(value));
}

void Transcript::disabled(std::string_view control) {
    line("disabled " + std::string(control));
}

void Transcript::record(std::string_view dataControl,
                        const std::vector<std::pair<std::string, std::string>>& fields,
                        std::string_view where) {
    std::string text = "record ";
    text += dataControl;
    text += ':';
    if (fields.empty()) {
        text += " " + std::string(where);
    } else {
        const char* separator = " ";
        for (const auto& [name, value] : fields) {
            text += separator + name + "=" + escapeText(value);
            separator = "; ";
        }
    }
    line(text);
}

}  // namespace qv::qvform
