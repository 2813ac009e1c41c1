// SPDX-License-Identifier: MIT
// The list of the library's resource files (resources.list) and the bytes
// each one is generated from its sources.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qv::resources {

// One line of resources.list: "OUTPUT KIND SOURCE..." where KIND is bitmap
// (one grid), icon (one grid per image) or version (one version source).
struct ManifestEntry {
    std::string output;
    std::string kind;
    std::vector<std::string> sources;
};

struct GeneratedFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// Reads `dir`/resources.list. Throws std::runtime_error for a malformed line.
std::vector<ManifestEntry> readManifest(const std::filesystem::path& dir);

// Generates every file of the manifest from its sources under `dir`. Throws
// std::runtime_error naming the source at fault.
std::vector<GeneratedFile> generateResources(const std::filesystem::path& dir);

}  // namespace qv::resources
