// SPDX-License-Identifier: MIT
#include "frame/embedded_files.h"

namespace qv::frame {

// Defined in the source the build generates from src/resources.
extern const EmbeddedFile kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;

std::span<const std::uint8_t> embeddedFile(std::string_view name) {
    for (std::size_t i = 0; i < kEmbeddedFileCount; ++i) {
        const EmbeddedFile& f = kEmbeddedFiles[i];
        if (name == f.name) return {reinterpret_cast<const std::uint8_t*>(f.data), f.size};
    }
    return {};
}

}  // namespace qv::frame
