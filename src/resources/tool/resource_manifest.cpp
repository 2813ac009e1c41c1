// SPDX-License-Identifier: MIT
#include "resources/tool/resource_manifest.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "resources/tool/picture_encoder.h"
#include "resources/tool/pixel_grid.h"
#include "resources/tool/version_block.h"

namespace qv::resources {

namespace {

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path.string() + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::vector<ManifestEntry> readManifest(const std::filesystem::path& dir) {
    const std::filesystem::path path = dir / "resources.list";
    std::istringstream in(readText(path));
    std::vector<ManifestEntry> entries;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        ManifestEntry e;
        words >> e.output >> e.kind;
        for (std::string s; words >> s;) e.sources.push_back(s);
        const bool known = e.kind == "bitmap" || e.kind == "icon" || e.kind == "version";
        const bool oneSource = e.kind != "icon";
        if (!known || e.sources.empty() || (oneSource && e.sources.size() != 1)) {
            throw std::runtime_error(path.string() + ":" + std::to_string(lineNumber) +
                                     ": expected OUTPUT bitmap|icon|version SOURCE...");
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

std::vector<GeneratedFile> generateResources(const std::filesystem::path& dir) {
    std::vector<GeneratedFile> files;
    for (const ManifestEntry& e : readManifest(dir)) {
        GeneratedFile file{e.output, {}};
        if (e.kind == "version") {
            file.bytes =
                encodeVersionBlock(parseVersionSource(readText(dir / e.sources[0]), e.sources[0]));
        } else {
            std::vector<PixelGrid> grids;
            for (const std::string& s : e.sources) {
                grids.push_back(parsePixelGrid(readText(dir / s), s));
            }
            try {
                file.bytes =
                    e.kind == "bitmap" ? encodeBitmapFile(grids[0]) : encodeIconFile(grids);
            } catch (const std::invalid_argument& why) {
                throw std::runtime_error(e.output + ": " + why.what());
            }
        }
        files.push_back(std::move(file));
    }
    return files;
}

}  // namespace qv::resources
