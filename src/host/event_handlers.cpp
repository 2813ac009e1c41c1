// SPDX-License-Identifier: MIT
#include "host/event_handlers.h"

#include "host/member_registry.h"

namespace qv::host {

void EventHandlers::on(std::string_view control, std::string_view event, Handler handler,
                       std::optional<std::int16_t> index) {
    for (Entry& e : m_entries) {
        if (sameName(e.control, control) && sameName(e.event, event) && e.index == index) {
            e.handler = std::move(handler);
            return;
        }
    }
    m_entries.push_back({std::string(control), std::string(event), index, std::move(handler)});
}

void EventHandlers::listen(std::string_view control, std::string_view event, Handler listener) {
    m_listeners.push_back(
        {std::string(control), std::string(event), std::nullopt, std::move(listener)});
}

bool EventHandlers::raise(std::string_view control, std::optional<std::int16_t> index,
                          std::string_view event, std::span<Variant> args) const {
    // Copies: a listener may add listeners or handlers while it runs.
    std::vector<Handler> listeners;
    for (const Entry& e : m_listeners) {
        if (sameName(e.control, control) && sameName(e.event, event))
            listeners.push_back(e.handler);
    }
    for (const Handler& listener : listeners) listener(index, args);
    const Entry* exact = nullptr;
    const Entry* any = nullptr;
    for (const Entry& e : m_entries) {
        if (!sameName(e.control, control) || !sameName(e.event, event)) continue;
        if (e.index && e.index == index) exact = &e;
        if (!e.index) any = &e;
    }
    const Entry* chosen = exact ? exact : any;
    if (!chosen || !chosen->handler) return false;
    // A copy: the handler may register or replace handlers while it runs.
    Handler handler = chosen->handler;
    handler(index, args);
    return true;
}

EventHandlers::Handler EventHandlers::handler(std::string_view control, std::string_view event,
                                              std::optional<std::int16_t> index) const {
    for (const Entry& e : m_entries) {
        if (sameName(e.control, control) && sameName(e.event, event) && e.index == index) {
            return e.handler;
        }
    }
    return {};
}

}  // namespace qv::host
