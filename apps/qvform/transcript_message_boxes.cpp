// SPDX-License-Identifier: MIT
#include "transcript_message_boxes.h"

namespace qv::qvform {

int TranscriptMessageBoxes::show(const host::MessageBoxRequest& box) {
    const int answer = m_script.show(box);
    m_transcript.messageBox(box.style, box.title, box.prompt, answer);
    return answer;
}

void TranscriptMessageBoxes::beep(unsigned type) {
    m_script.beep(type);
    m_transcript.beep();
}

}  // namespace qv::qvform
