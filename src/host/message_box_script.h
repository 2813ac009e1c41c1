// SPDX-License-Identifier: MIT
// The scripted message-box service: answers are queued in advance and every
// box and beep is recorded in order, for tests and headless scripts.
#pragma once

#include <cstddef>
#include <deque>
#include <initializer_list>
#include <vector>

#include "host/message_box_service.h"

namespace qv::host {

class ScriptedMessageBoxes : public MessageBoxService {
  public:
    // One thing the user saw or heard: a box with the answer given, or a beep.
    struct Record {
        enum class Kind { Box, Beep };
        Kind kind = Kind::Box;
        MessageBoxRequest box;  // empty for a beep
        int answer = 0;         // 0 for a beep
        unsigned beepType = 0;  // the MessageBeep type of a beep

        friend bool operator==(const Record&, const Record&) = default;
    };

    // Queues answers for the next boxes, first in, first out.
    void queueAnswer(int answer) { m_answers.push_back(answer); }
    void queueAnswers(std::initializer_list<int> answers);

    // Answers the oldest queued answer and records the box. Fails (error 5,
    // the box named in the description) when nothing is queued or when the
    // queued answer is not one of the box's buttons; the answer is then
    // consumed and nothing is recorded.
    int show(const MessageBoxRequest& box) override;
    void beep(unsigned type) override;

    const std::vector<Record>& records() const { return m_records; }
    // Returns only the boxes, in order.
    std::vector<MessageBoxRequest> boxes() const;
    std::size_t beepCount() const;
    std::size_t pendingAnswers() const { return m_answers.size(); }
    void clearRecords() { m_records.clear(); }

  private:
    std::deque<int> m_answers;
    std::vector<Record> m_records;
};

}  // namespace qv::host
