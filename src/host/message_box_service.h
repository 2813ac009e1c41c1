// SPDX-License-Identifier: MIT
// The service behind MsgBox and Beep: one interface, installed per user-
// interface thread, with the free functions the runtime's code calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/message_box.h"

namespace qv::host {

// Shows message boxes and sounds the beep. Implementations: a scripted one
// for tests and scripts, a window one for people.
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;

    // Shows `box` modally and returns the answer chosen, one of box.buttons().
    // `box` has been validated. May fail with an Error.
    virtual int show(const MessageBoxRequest& box) = 0;

    // Sounds the beep; `type` is the MessageBeep type (0 for a plain beep).
    virtual void beep(unsigned type) = 0;
};

// Returns the service installed on this thread, or nullptr.
MessageBoxService* currentMessageBoxService();

// Installs `service` on this thread for the lifetime of this object and
// routes the platform's MessageBeep to it; the previous service and beep
// route come back when it ends. `service` must outlive this object.
class ScopedMessageBoxService {
  public:
    explicit ScopedMessageBoxService(MessageBoxService& service);
    ~ScopedMessageBoxService();
    ScopedMessageBoxService(const ScopedMessageBoxService&) = delete;
    ScopedMessageBoxService& operator=(const ScopedMessageBoxService&) = delete;

  private:
    MessageBoxService* m_previous;
    std::function<void(unsigned)> m_previousBeep;
};

// Shows a message box through this thread's service and returns the answer
// (1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No). Fails with error
// 5 for an invalid style and when no service is installed.
int MsgBox(const std::string& prompt, std::int32_t style = 0, const std::string& title = {});

// Sounds a beep through this thread's service; without one it does nothing.
void Beep();

}  // namespace qv::host
