// SPDX-License-Identifier: MIT
// The press behaviour of a push button, apart from its window: which look
// it shows and when it clicks, for the mouse and the Space key.
#pragma once

namespace qv::host {

// States and moves, one row per event (anything not listed changes nothing):
//
//   state        event                       next         click  looks pressed
//   Up           mouse down inside           MouseIn      -      yes (capture)
//   MouseIn      move outside                MouseOut     -      no
//   MouseOut     move inside                 MouseIn      -      yes
//   MouseIn      mouse up                    Up           yes    no
//   MouseOut     mouse up                    Up           -      no
//   Up           Space down                  SpaceDown    -      yes
//   SpaceDown    Space up                    Up           yes    no
//   SpaceDown    mouse down                  Up           -      no  (the press is dropped)
//   any          cancel (focus or capture    Up           -      no
//                lost, disabled)
//   Up           Enter                       Up           yes    no
//
// A disabled button ignores every event.
class CommandButtonPress {
  public:
    enum class State { Up, MouseIn, MouseOut, SpaceDown };

    State state() const { return m_state; }
    bool looksPressed() const { return m_state == State::MouseIn || m_state == State::SpaceDown; }
    // True while the button holds the mouse (the window keeps the capture).
    bool tracking() const { return m_state == State::MouseIn || m_state == State::MouseOut; }

    void setEnabled(bool enabled);

    // Each returns whether the event clicks the button.
    bool mouseDown(bool inside);
    bool mouseMove(bool inside);
    bool mouseUp();
    bool spaceDown();
    bool spaceUp();
    bool enter();
    void cancel() { m_state = State::Up; }

  private:
    State m_state = State::Up;
    bool m_enabled = true;
};

}  // namespace qv::host
