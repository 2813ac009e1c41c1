// SPDX-License-Identifier: MIT
// The files of src/resources as the build embeds them, found by file name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace qv::frame {

struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

// The bytes of the embedded file `name`; empty when there is none.
std::span<const std::uint8_t> embeddedFile(std::string_view name);

}  // namespace qv::frame
