// SPDX-License-Identifier: MIT
// qv_make_resources DIR [--check]: writes the library's resource files in DIR
// from their sources as resources.list names them. With --check it writes
// nothing and exits 1 when a committed file differs from what it would write.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "resources/tool/resource_manifest.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "--check")) {
        std::cerr << "usage: qv_make_resources DIR [--check]\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const bool check = argc == 3;
    try {
        int stale = 0;
        for (const auto& file : qv::resources::generateResources(dir)) {
            const auto path = dir / file.name;
            if (check) {
                std::ifstream in(path, std::ios::binary);
                std::vector<std::uint8_t> committed((std::istreambuf_iterator<char>(in)),
                                                    std::istreambuf_iterator<char>());
                if (committed != file.bytes) {
                    std::cerr << path.string() << ": differs from its sources\n";
                    ++stale;
                }
                continue;
            }
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(file.bytes.data()),
                      static_cast<std::streamsize>(file.bytes.size()));
            if (!out) {
                std::cerr << path.string() << ": cannot be written\n";
                return 1;
            }
        }
        return stale ? 1 : 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
