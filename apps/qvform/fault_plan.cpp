// SPDX-License-Identifier: MIT
#include "fault_plan.h"

#include <algorithm>
#include <cctype>
#include <span>

#include "data/data_errors.h"

namespace qv::qvform {

namespace {

constexpr std::string_view kMembers[] = {
    "BOF",      "EOF",       "MoveFirst",   "MoveLast",         "MovePrevious",
    "MoveNext", "AddNew",    "Edit",        "Update",           "CancelUpdate",
    "Delete",   "Fields",    "FindFirst",   "FindNext",         "FindPrevious",
    "FindLast", "NoMatch",   "RecordCount", "AbsolutePosition", "Bookmark",
    "EditMode", "Updatable",
};
constexpr std::string_view kChanging[] = {"AddNew", "Edit", "Update", "CancelUpdate", "Delete"};

std::string lower(std::string_view s) {
    std::string out(s);
    std::ranges::transform(out, out.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool contains(std::span<const std::string_view> names, std::string_view name) {
    const std::string key = lower(name);
    return std::ranges::any_of(names, [&](std::string_view n) { return lower(n) == key; });
}

}  // namespace

bool FaultPlan::knows(std::string_view member) {
    return contains(kMembers, member);
}

void FaultPlan::failNext(std::string_view dataControl, std::string_view member, int count) {
    m_pending[{lower(dataControl), lower(member)}] = count;
}

std::optional<host::Error> FaultPlan::take(std::string_view dataControl, std::string_view member) {
    for (const std::string& owner : {lower(dataControl), std::string()}) {
        auto it = m_pending.find({owner, lower(member)});
        if (it == m_pending.end() || it->second <= 0) continue;
        if (--it->second == 0) m_pending.erase(it);
        return failureOf(member);
    }
    return std::nullopt;
}

host::Error FaultPlan::failureOf(std::string_view member) {
    const auto err =
        contains(kChanging, member) ? data::DataErr::Locked : data::DataErr::EngineFailure;
    return data::dataError(err, data::kRecordsetSource);
}

}  // namespace qv::qvform
