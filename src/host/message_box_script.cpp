// SPDX-License-Identifier: MIT
#include "host/message_box_script.h"

#include <algorithm>

#include "host/error.h"

namespace qv::host {

void ScriptedMessageBoxes::queueAnswers(std::initializer_list<int> answers) {
    m_answers.insert(m_answers.end(), answers.begin(), answers.end());
}

int ScriptedMessageBoxes::show(const MessageBoxRequest& box) {
    if (m_answers.empty()) {
        throw Error(errc::InvalidProcedureCall, "MsgBox",
                    "No answer was queued for the " + box.describe());
    }
    const int answer = m_answers.front();
    m_answers.pop_front();
    if (!box.offers(answer)) {
        throw Error(errc::InvalidProcedureCall, "MsgBox",
                    "The queued answer " + std::to_string(answer) + " is not a button of the " +
                        box.describe());
    }
    m_records.push_back(Record{Record::Kind::Box, box, answer, 0});
    return answer;
}

void ScriptedMessageBoxes::beep(unsigned type) {
    m_records.push_back(Record{Record::Kind::Beep, {}, 0, type});
}

std::vector<MessageBoxRequest> ScriptedMessageBoxes::boxes() const {
    std::vector<MessageBoxRequest> out;
    for (const Record& record : m_records) {
        if (record.kind == Record::Kind::Box) out.push_back(record.box);
    }
    return out;
}

std::size_t ScriptedMessageBoxes::beepCount() const {
    return static_cast<std::size_t>(std::ranges::count_if(
        m_records, [](const Record& r) { return r.kind == Record::Kind::Beep; }));
}

}  // namespace qv::host
