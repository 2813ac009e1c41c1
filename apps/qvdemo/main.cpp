// SPDX-License-Identifier: MIT
// qvdemo OUT.png: draws the demo sheet and prints where it went.
#include <cstdio>
#include <string>

#include "demo_sheet.h"
#include "platform/gdi/png_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qvdemo OUT.png\n");
        return 2;
    }
    const std::string path = argv[1];
    bool ok = false;
    {
        qv::demo::DemoSheet sheet;
        ok = sheet.ok() && sheet.draw() && qv::gdi::writePngFile(sheet.dc(), path);
    }
    if (!ok) {
        std::fprintf(stderr, "qvdemo: could not draw or write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s\n", path.c_str());
    return 0;
}
