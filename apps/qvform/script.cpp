// SPDX-License-Identifier: MIT
#include "script.h"

#include <charconv>
#include <cstdlib>

namespace qv::qvform {

namespace {

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// Splits off the first word of `s`; `s` keeps the rest after the one blank
// that ends the word, or, with `trimRest`, after all blanks.
std::string_view firstWord(std::string_view& s, bool trimRest = true) {
    std::size_t end = s.find_first_of(" \t");
    std::string_view word = s.substr(0, end);
    s = end == std::string_view::npos ? std::string_view() : s.substr(end + 1);
    while (trimRest && !s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return word;
}

bool parseInt(std::string_view s, int& out) {
    if (s.empty()) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

struct CommandWord {
    const char* word;
    CommandKind kind;
};
constexpr CommandWord kCommands[] = {
    {"click", CommandKind::Click},
    {"type", CommandKind::Type},
    {"key", CommandKind::Key},
    {"answer", CommandKind::Answer},
    {"print", CommandKind::Print},
    {"set", CommandKind::Set},
    {"fail-next", CommandKind::FailNext},
    {"shot", CommandKind::Shot},
    {"move", CommandKind::Move},
    {"signal", CommandKind::Signal},
    {"wait", CommandKind::Wait},
    {"page", CommandKind::Page},
    {"apply", CommandKind::Apply},
    {"save", CommandKind::Save},
};

ScriptCommand parseLine(std::string_view line, std::size_t number) {
    ScriptCommand cmd;
    cmd.line = number;
    cmd.text = std::string(line);
    std::string_view rest = line;
    const std::string_view word = firstWord(rest);
    bool known = false;
    for (const CommandWord& entry : kCommands) {
        if (word == entry.word) {
            cmd.kind = entry.kind;
            known = true;
        }
    }
    if (!known) throw ScriptError(number, "unknown command \"" + std::string(word) + "\"");

    const auto need = [&](bool ok, const char* what) {
        if (!ok) throw ScriptError(number, std::string(word) + ": " + what);
    };
    switch (cmd.kind) {
        case CommandKind::Print:
            // Plain print shows the records; print NAME.PROPERTY one value.
            cmd.target = std::string(firstWord(rest));
            need(rest.empty(), "takes at most one NAME.PROPERTY");
            need(cmd.target.empty() || cmd.target.find('.') != std::string::npos,
                 "expects NAME.PROPERTY");
            break;
        case CommandKind::Apply:
            need(rest.empty(), "takes no arguments");
            break;
        case CommandKind::Save:
            cmd.target = std::string(rest);  // the form's own file when empty
            break;
        case CommandKind::Page:
            cmd.target = std::string(firstWord(rest));
            cmd.argument = std::string(rest);
            need(!cmd.target.empty() && !cmd.argument.empty(), "expects a control and a page");
            break;
        case CommandKind::Answer:
            need(parseInt(rest, cmd.number) && cmd.number >= 1 && cmd.number <= 7,
                 "expects an answer from 1 to 7");
            break;
        case CommandKind::Signal:
        case CommandKind::Wait:
            cmd.argument = std::string(rest);
            need(!cmd.argument.empty() && cmd.argument.find_first_of(" \t/\\") == std::string::npos,
                 "expects one marker name");
            break;
        case CommandKind::Click:
        case CommandKind::Shot:
            cmd.target = std::string(rest);
            need(!cmd.target.empty(),
                 cmd.kind == CommandKind::Click ? "expects a control name" : "expects a file name");
            break;
        case CommandKind::Type:
        case CommandKind::Key:
        case CommandKind::Set:
            // Typed text is the rest of the line exactly, leading blanks too.
            cmd.target = std::string(firstWord(rest, cmd.kind != CommandKind::Type));
            cmd.argument = std::string(rest);
            need(!cmd.target.empty(), "expects a name");
            need(cmd.kind == CommandKind::Type || !cmd.argument.empty(),
                 cmd.kind == CommandKind::Key ? "expects a key" : "expects a value");
            break;
        case CommandKind::Move: {
            cmd.target = std::string(firstWord(rest));
            need(!cmd.target.empty(), "expects a name");
            const std::string_view x = firstWord(rest);
            need(parseInt(x, cmd.number) && parseInt(rest, cmd.y), "expects NAME X Y");
            // Far beyond any screen, and small enough that adding a window's
            // place to it stays within an int.
            constexpr int kFarthest = 1'000'000;
            need(std::abs(cmd.number) <= kFarthest && std::abs(cmd.y) <= kFarthest,
                 "X and Y must lie between -1000000 and 1000000");
            break;
        }
        case CommandKind::FailNext: {
            cmd.target = std::string(firstWord(rest));
            cmd.number = 1;
            need(cmd.target.find('.') != std::string::npos, "expects NAME.METHOD");
            if (!rest.empty()) {
                need(parseInt(rest, cmd.number) && cmd.number >= 1, "expects a positive count");
            }
            break;
        }
    }
    if (cmd.kind != CommandKind::Shot && cmd.kind != CommandKind::Save && !cmd.target.empty()) {
        need(!splitPath(cmd.target).empty(), "malformed name");
    }
    return cmd;
}

}  // namespace

std::vector<ScriptCommand> parseScript(std::string_view text) {
    std::vector<ScriptCommand> commands;
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        std::size_t end = text.find('\n');
        std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        commands.push_back(parseLine(line, number));
    }
    return commands;
}

std::vector<PathStep> splitPath(std::string_view path) {
    std::vector<PathStep> steps;
    while (true) {
        std::size_t dot = path.find('.');
        std::string_view part = path.substr(0, dot);
        PathStep step;
        std::size_t open = part.find('(');
        if (open != std::string_view::npos) {
            if (part.back() != ')') return {};
            std::string_view digits = part.substr(open + 1, part.size() - open - 2);
            if (!parseInt(digits, step.index) || step.index < 0 || step.index > 32767) return {};
            step.hasIndex = true;
            part = part.substr(0, open);
        }
        if (part.empty() || part.find_first_of(" \t()") != std::string_view::npos) return {};
        step.name = std::string(part);
        steps.push_back(std::move(step));
        if (dot == std::string_view::npos) break;
        path = path.substr(dot + 1);
    }
    return steps;
}

}  // namespace qv::qvform
