// SPDX-License-Identifier: MIT
// The transcript of a script run: one line per thing that happened, in a
// fixed form that other tools read:
//   > COMMAND
//   beep
//   msgbox STYLE "TITLE" "PROMPT" -> ANSWER
//   event NAME.EVENT
//   status "TEXT"
//   disabled CONTROL        (a click on a disabled button does nothing)
//   record DATA1: FIELD=VALUE; FIELD=VALUE
//   value NAME.PROPERTY = VALUE
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::qvform {

// Returns `text` with backslash, double quote, carriage return and line feed
// written as \\, \", \r and \n, so that a quoted text stays on its line.
std::string escapeText(std::string_view text);

class Transcript {
  public:
    // `out` must outlive the transcript; every line is flushed at once so
    // that a run that stops shows everything up to the stop.
    explicit Transcript(std::ostream& out) : m_out(out) {}

    void command(std::string_view text);
    void beep();
    void messageBox(std::int32_t style, std::string_view title, std::string_view prompt,
                    int answer);
    void event(std::string_view source, std::string_view name);
    void status(std::string_view text);
    void disabled(std::string_view control);
    // `fields` are name and value text; an empty list with `where` ("BOF",
    // "EOF") tells that there is no current record.
    void record(std::string_view dataControl,
                const std::vector<std::pair<std::string, std::string>>& fields,
                std::string_view where = {});

    // `value` is already written as the transcript shows values: "text" with
    // inner quotes doubled, a decimal number, True, False or Nothing.
    void value(std::string_view name, std::string_view value);

  private:
    void line(const std::string& text);
    std::ostream& m_out;
};

}  // namespace qv::qvform
