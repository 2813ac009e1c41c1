// SPDX-License-Identifier: MIT
// Compares the harness output of the platform (the reference) with that of the
// stand-in, case by case and pixel by pixel. A difference names the case, the
// first differing pixel and both colours, and leaves the two images and a
// difference image as PNG files. Cases the table marks as known differences
// are counted and listed, not failed. Every case must also leave its DCs as it
// found them and, where the platform can tell, hold no object more afterwards.
//
// Usage: compare REFERENCE STANDIN IMAGE_DIR       exit 0 when all agree
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/gdi/png_file.h"

namespace {

struct Result {
    std::string name;
    std::string known;
    std::string result;
    std::string state;
    std::string objects;
    int w = 0;
    int h = 0;
    std::vector<COLORREF> pixels;  // COLORREF order, for the PNG writer
};

// Reads every case record of a harness output file; false when it cannot be
// read or is cut short.
bool readResults(const std::string& path, std::vector<Result>& out) {
    std::ifstream in(path);
    if (!in) return false;
    std::string word;
    while (in >> word) {
        if (word != "case") return false;
        Result r;
        in >> r.name;
        while (in >> word && word != "pixels") {
            std::string rest;
            std::getline(in, rest);
            if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
            if (!rest.empty() && rest.back() == '\r') rest.pop_back();
            if (word == "known") r.known = rest;
            if (word == "result") r.result = rest;
            if (word == "state") r.state = rest;
            if (word == "objects") r.objects = rest;
        }
        if (!(in >> r.w >> r.h)) return false;
        r.pixels.resize(static_cast<size_t>(r.w) * static_cast<size_t>(r.h));
        for (COLORREF& p : r.pixels) {
            unsigned long v = 0;
            if (!(in >> std::hex >> v >> std::dec)) return false;
            p = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        }
        out.push_back(std::move(r));
    }
    return true;
}

std::string colorText(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// Index of the first pixel that differs, or -1.
long firstDifference(const Result& a, const Result& b) {
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        if (a.pixels[i] != b.pixels[i]) return static_cast<long>(i);
    }
    return -1;
}

// Writes reference, stand-in and difference images (differing pixels red on a
// dimmed copy of the reference) named after the case.
void writeImages(const Result& ref, const Result& standin, const std::filesystem::path& dir) {
    std::string base = ref.name;
    for (char& ch : base) {
        if (ch == '/') ch = '_';
    }
    std::vector<COLORREF> diff(ref.pixels.size());
    for (size_t i = 0; i < diff.size(); ++i) {
        const COLORREF c = ref.pixels[i];
        diff[i] = ref.pixels[i] == standin.pixels[i]
                      ? RGB(GetRValue(c) / 4, GetGValue(c) / 4, GetBValue(c) / 4)
                      : RGB(255, 0, 0);
    }
    qv::gdi::writePngPixels(ref.w, ref.h, ref.pixels, (dir / (base + ".platform.png")).string());
    qv::gdi::writePngPixels(ref.w, ref.h, standin.pixels, (dir / (base + ".standin.png")).string());
    qv::gdi::writePngPixels(ref.w, ref.h, diff, (dir / (base + ".diff.png")).string());
}

// The faults of one side alone: a DC left changed or an object left behind.
std::string ownFaults(const Result& r) {
    std::string faults;
    if (r.state.find("dest:ok") == std::string::npos ||
        (r.state.find("src:") != std::string::npos && r.state.find("src:ok") == std::string::npos))
        faults += " DCs changed (" + r.state + ")";
    if (r.objects != "0" && r.objects != "unknown") faults += " objects left: " + r.objects;
    return faults;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: " << argv[0] << " REFERENCE STANDIN IMAGE_DIR\n";
        return 2;
    }
    std::vector<Result> reference;
    std::vector<Result> standin;
    if (!readResults(argv[1], reference) || !readResults(argv[2], standin)) {
        std::cerr << "crosscheck: cannot read the harness outputs " << argv[1] << " and " << argv[2]
                  << "\n";
        return 1;
    }
    std::map<std::string, const Result*> byName;
    for (const Result& r : standin) byName[r.name] = &r;
    const std::filesystem::path dir(argv[3]);
    std::filesystem::remove_all(dir);

    int failures = 0;
    int known = 0;
    for (const Result& ref : reference) {
        const auto it = byName.find(ref.name);
        if (it == byName.end()) {
            std::cout << "FAIL " << ref.name << ": missing from the stand-in's output\n";
            ++failures;
            continue;
        }
        const Result& own = *it->second;
        // Either side may name a known difference (one side may lack a source).
        const std::string knownWhy = !ref.known.empty() ? ref.known : own.known;
        std::string problem;
        if (ref.result != own.result && knownWhy.empty())
            problem += " result " + own.result + ", platform " + ref.result + ";";
        const std::string faults = ownFaults(ref) + ownFaults(own);
        if (!faults.empty()) problem += faults + ";";
        const long at = (ref.w == own.w && ref.h == own.h) ? firstDifference(ref, own) : 0;
        if (at >= 0 && knownWhy.empty()) {
            const long x = at % ref.w;
            const long y = at / ref.w;
            problem += " first differing pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                       "): stand-in " + colorText(own.pixels[at]) + ", platform " +
                       colorText(ref.pixels[at]) + ";";
        }
        if (at >= 0) {
            std::filesystem::create_directories(dir);
            writeImages(ref, own, dir);
        }
        if (!problem.empty()) {
            std::cout << "FAIL " << ref.name << ":" << problem << "\n";
            ++failures;
        } else if (!knownWhy.empty()) {
            ++known;
            std::cout << "known difference " << ref.name << " ("
                      << (at >= 0 || ref.result != own.result ? "differs" : "agrees now")
                      << "): " << knownWhy << "\n";
        }
    }
    std::cout << "crosscheck: " << reference.size() << " cases, " << failures << " differing, "
              << known << " known differences listed with their reasons\n";
    if (failures) std::cout << "images of the differing cases are in " << dir.string() << "\n";
    return failures == 0 && !reference.empty() ? 0 : 1;
}
