// SPDX-License-Identifier: MIT
// EventHandlers: the handlers a form registers for its controls' events, by
// control name, event name and, for control arrays, index.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/variant.h"

namespace qv::host {

class EventHandlers {
  public:
    // `index` is the raising element's index (empty outside control arrays);
    // arguments are by reference, so a handler may write back into them.
    using Handler = std::function<void(std::optional<std::int16_t> index, std::span<Variant> args)>;

    // Registers `handler` for `event` of the control named `control`. With an
    // index, only that element of a control array raises it; without one,
    // every element (or the control outside an array) does. A later
    // registration for the same key replaces the earlier one.
    void on(std::string_view control, std::string_view event, Handler handler,
            std::optional<std::int16_t> index = std::nullopt);

    // Adds `listener` for `event` of the control named `control` (every
    // element of an array): it runs before the handler each time the event is
    // raised, and on() never replaces it. For observers (a transcript) that
    // must not take the place of the program's own handler.
    void listen(std::string_view control, std::string_view event, Handler listener);

    // Runs the listeners and then the handler for the event, if any, before
    // returning; an event without either does nothing. Returns whether a
    // handler ran. A handler for the exact element wins over one for the
    // whole array.
    bool raise(std::string_view control, std::optional<std::int16_t> index, std::string_view event,
               std::span<Variant> args = {}) const;

    // The handler registered for exactly this control, event and index, or
    // an empty one; a caller that adds its own work can keep it and call it.
    Handler handler(std::string_view control, std::string_view event,
                    std::optional<std::int16_t> index = std::nullopt) const;

  private:
    struct Entry {
        std::string control;
        std::string event;
        std::optional<std::int16_t> index;
        Handler handler;
    };
    std::vector<Entry> m_entries;
    std::vector<Entry> m_listeners;
};

}  // namespace qv::host
