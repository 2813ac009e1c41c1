// SPDX-License-Identifier: MIT
#include "host/data_control_names.h"

#include "host/member_registry.h"

namespace qv::host {

std::string dataControlName(std::string_view name, std::optional<std::int16_t> index) {
    std::string spelled(name);
    if (index && *index > 0) spelled += "(" + std::to_string(*index) + ")";
    return spelled;
}

bool namesDataControl(std::string_view wanted, std::string_view name,
                      std::optional<std::int16_t> index) {
    return sameName(wanted, dataControlName(name, index));
}

}  // namespace qv::host
