// SPDX-License-Identifier: MIT
// The interface-identifier resources: for each public class, resource type
// "_IID_<NAME>" (its default interface) and, for a class with events,
// "_SRCIID_<NAME>" (its event interface), each id 1.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "frame/component_project.h"

namespace qv::frame {

// Returns the 20 bytes of resource type `typeName` (a 32-bit little-endian
// length 16, then the GUID as laid out in memory), or nothing when the
// project has no such resource. Type names match case-insensitively.
std::vector<std::uint8_t> interfaceIdResource(const ComponentProject& project,
                                              std::string_view typeName);

}  // namespace qv::frame
