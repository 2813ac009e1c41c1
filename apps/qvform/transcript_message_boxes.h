// SPDX-License-Identifier: MIT
// The message-box service of a script run: boxes take the answers the script
// queued, and every box and beep goes to the transcript as it happens.
#pragma once

#include "host/message_box_script.h"
#include "transcript.h"

namespace qv::qvform {

class TranscriptMessageBoxes : public host::MessageBoxService {
  public:
    explicit TranscriptMessageBoxes(Transcript& transcript) : m_transcript(transcript) {}

    void queueAnswer(int answer) { m_script.queueAnswer(answer); }
    std::size_t pendingAnswers() const { return m_script.pendingAnswers(); }

    // Fails (error 5, naming the box) when no answer is queued or the queued
    // one is not a button of the box; nothing is written then.
    int show(const host::MessageBoxRequest& box) override;
    void beep(unsigned type) override;

  private:
    host::ScriptedMessageBoxes m_script;
    Transcript& m_transcript;
};

}  // namespace qv::qvform
