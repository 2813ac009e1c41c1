// SPDX-License-Identifier: MIT
// The script language of the form runner: one command per line, read all at
// once so that a mistake anywhere is reported before anything runs.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qv::qvform {

enum class CommandKind {
    Click,
    Type,
    Key,
    Answer,
    Print,
    Set,
    FailNext,
    Shot,
    Move,
    Signal,
    Wait,
    Page,
    Apply,
    Save
};

// One command. `target` is the control path (or NAME.PROPERTY, NAME.METHOD,
// the file of a shot); `argument` the rest: the text typed, the key, the
// value set. `number` is the answer, the count of failures or a move's X.
struct ScriptCommand {
    CommandKind kind = CommandKind::Print;
    std::size_t line = 0;  // 1-based line in the script
    std::string text;      // the command as read, trimmed
    std::string target;
    std::string argument;
    int number = 0;
    // move: the pointer's X in `number` and its Y here.
    int y = 0;
};

// A script that does not parse: the line and the reason.
class ScriptError : public std::runtime_error {
  public:
    ScriptError(std::size_t line, const std::string& reason)
        : std::runtime_error("line " + std::to_string(line) + ": " + reason),
          m_line(line),
          m_reason(reason) {}
    std::size_t line() const noexcept { return m_line; }
    const std::string& reason() const noexcept { return m_reason; }

  private:
    std::size_t m_line;
    std::string m_reason;
};

// Returns the commands of `text` in order. Blank lines and lines starting
// with '#' are skipped; a '#' later in a line is part of it (typed text may
// hold one). Fails with ScriptError for an unknown command or missing or
// malformed arguments.
std::vector<ScriptCommand> parseScript(std::string_view text);

// One step of a control path: a name with an optional array index.
struct PathStep {
    std::string name;
    bool hasIndex = false;
    int index = 0;
    friend bool operator==(const PathStep&, const PathStep&) = default;
};

// Splits "qvRecordBar1.Buttonbar(2)" into its steps. Returns an empty list
// for an empty step, a bad index or unbalanced parentheses.
std::vector<PathStep> splitPath(std::string_view path);

}  // namespace qv::qvform
