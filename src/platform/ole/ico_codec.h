// SPDX-License-Identifier: MIT
// ICO files: choosing and decoding one image (DIB or PNG-compressed) with its
// transparency, and encoding a single-image ICO.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/png_file.h"

namespace qv::ole {

// One icon image: colour pixels (0x00RRGGBB, alpha cleared) and, per pixel,
// whether it is transparent (its AND-mask bit).
struct DecodedIcon {
    qv::gdi::DecodedImage color;
    std::vector<bool> transparent;
};

// Decodes the 32x32 image of an ICO file, else its first image. An image with
// an alpha channel takes its transparency from alpha (below half is
// transparent, and such pixels are made black so they do not XOR); others use
// the AND mask. False with the reason in `error`.
bool decodeIco(std::span<const std::uint8_t> bytes, DecodedIcon& out, std::string& error);

// True when the bytes start like an ICO file (reserved 0, type 1, count > 0).
bool looksLikeIco(std::span<const std::uint8_t> bytes);

// Encodes one image as an ICO file with a 24-bpp colour part and an AND mask.
std::vector<std::uint8_t> encodeIco(const DecodedIcon& icon);

}  // namespace qv::ole
