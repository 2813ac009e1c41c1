// SPDX-License-Identifier: MIT
#include "host/command_button_press.h"

namespace qv::host {

void CommandButtonPress::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled) cancel();
}

bool CommandButtonPress::mouseDown(bool inside) {
    if (!m_enabled) return false;
    if (m_state == State::SpaceDown) {
        m_state = State::Up;
    } else if (m_state == State::Up && inside) {
        m_state = State::MouseIn;
    }
    return false;
}

bool CommandButtonPress::mouseMove(bool inside) {
    if (!m_enabled || !tracking()) return false;
    m_state = inside ? State::MouseIn : State::MouseOut;
    return false;
}

bool CommandButtonPress::mouseUp() {
    if (!m_enabled || !tracking()) return false;
    const bool click = m_state == State::MouseIn;
    m_state = State::Up;
    return click;
}

bool CommandButtonPress::spaceDown() {
    if (!m_enabled || m_state != State::Up) return false;
    m_state = State::SpaceDown;
    return false;
}

bool CommandButtonPress::spaceUp() {
    if (!m_enabled || m_state != State::SpaceDown) return false;
    m_state = State::Up;
    return true;
}

bool CommandButtonPress::enter() {
    return m_enabled && m_state == State::Up;
}

}  // namespace qv::host
