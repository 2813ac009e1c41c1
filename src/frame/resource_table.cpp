// SPDX-License-Identifier: MIT
#include "frame/resource_table.h"

#include <array>
#include <vector>

#include "frame/embedded_files.h"
#include "platform/ole/picture.h"

namespace qv::frame {

namespace {

struct ResourceEntry {
    ResourceKind kind;
    int id;
    const char* file;
};

constexpr std::array<ResourceEntry, 13> kTable{{
    {ResourceKind::Bitmap, resource_id::ButtonFirst + 0, "button-first.bmp"},
    {ResourceKind::Bitmap, resource_id::ButtonFirst + 1, "button-previous.bmp"},
    {ResourceKind::Bitmap, resource_id::ButtonFirst + 2, "button-next.bmp"},
    {ResourceKind::Bitmap, resource_id::ButtonFirst + 3, "button-last.bmp"},
    {ResourceKind::Bitmap, resource_id::ButtonFirst + 4, "button-find.bmp"},
    {ResourceKind::Bitmap, resource_id::ButtonFirst + 5, "button-add.bmp"},
    {ResourceKind::Bitmap, resource_id::ButtonFirst + 6, "button-delete.bmp"},
    {ResourceKind::Bitmap, resource_id::ButtonFirst + 7, "button-edit.bmp"},
    {ResourceKind::Bitmap, resource_id::ButtonFirst + 8, "button-save.bmp"},
    {ResourceKind::Bitmap, resource_id::ButtonFirst + 9, "button-cancel.bmp"},
    {ResourceKind::Icon, resource_id::FindIcon, "binoculars.ico"},
    {ResourceKind::Bitmap, resource_id::ToolboxBitmap, "toolbox.bmp"},
    {ResourceKind::Version, resource_id::Version, "version.bin"},
}};

std::uint32_t le(std::span<const std::uint8_t> b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<std::size_t>(i)];
    return v;
}

// An ICO file holding only the image of `ico` that is `size` pixels square;
// empty when there is none or the directory is damaged.
std::vector<std::uint8_t> singleImageIcon(std::span<const std::uint8_t> ico, int size) {
    if (ico.size() < 6) return {};
    const std::size_t count = le(ico, 4, 2);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        if (entry + 16 > ico.size()) return {};
        const int width = ico[entry] ? ico[entry] : 256;
        const int height = ico[entry + 1] ? ico[entry + 1] : 256;
        if (width != size || height != size) continue;
        const std::size_t bytes = le(ico, entry + 8, 4);
        const std::size_t offset = le(ico, entry + 12, 4);
        if (offset > ico.size() || bytes > ico.size() - offset) return {};
        std::vector<std::uint8_t> out(ico.begin(), ico.begin() + 6);
        out[4] = 1;
        out[5] = 0;
        out.insert(out.end(), ico.begin() + static_cast<std::ptrdiff_t>(entry),
                   ico.begin() + static_cast<std::ptrdiff_t>(entry + 12));
        // The one image follows the one directory entry.
        for (std::uint8_t b : {6 + 16, 0, 0, 0}) out.push_back(b);
        out.insert(out.end(), ico.begin() + static_cast<std::ptrdiff_t>(offset),
                   ico.begin() + static_cast<std::ptrdiff_t>(offset + bytes));
        return out;
    }
    return {};
}

}  // namespace

std::span<const std::uint8_t> findResource(ResourceKind kind, int id) {
    for (const ResourceEntry& e : kTable) {
        if (e.kind == kind && e.id == id) return embeddedFile(e.file);
    }
    return {};
}

std::shared_ptr<ole::Picture> loadBitmapResource(int id) {
    auto bytes = findResource(ResourceKind::Bitmap, id);
    return bytes.empty() ? nullptr : ole::loadPicture(bytes);
}

std::shared_ptr<ole::Picture> loadIconResource(int id, int size) {
    std::vector<std::uint8_t> image = singleImageIcon(findResource(ResourceKind::Icon, id), size);
    return image.empty() ? nullptr : ole::loadPicture(image);
}

std::shared_ptr<ole::Picture> buttonPicture(int index) {
    if (index < 0 || index >= resource_id::ButtonCount) return nullptr;
    return loadBitmapResource(resource_id::ButtonFirst + index);
}

std::shared_ptr<ole::Picture> findDialogIcon(int size) {
    return loadIconResource(resource_id::FindIcon, size);
}

}  // namespace qv::frame
