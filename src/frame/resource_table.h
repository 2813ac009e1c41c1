// SPDX-License-Identifier: MIT
// The library's resource table: its pictures, icon, toolbox bitmap and
// version block, reached by kind and id the way the platform's resource
// functions reach a module's resources.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace qv::ole {
class Picture;
}

namespace qv::frame {

enum class ResourceKind { Bitmap, Icon, Version };

namespace resource_id {
// The bar's button pictures, in button order (First ... Cancel).
inline constexpr int ButtonFirst = 101;
inline constexpr int ButtonCount = 10;
// The Find dialog's binoculars, 32 by 32 and 16 by 16.
inline constexpr int FindIcon = 201;
// The control's toolbox picture, 16 by 15.
inline constexpr int ToolboxBitmap = 30000;
inline constexpr int Version = 1;
}  // namespace resource_id

// The stored bytes of a resource (a BMP file, an ICO file, a version block);
// empty when the table has no such resource.
std::span<const std::uint8_t> findResource(ResourceKind kind, int id);

// A new bitmap picture of bitmap resource `id`, or nullptr when there is none.
std::shared_ptr<ole::Picture> loadBitmapResource(int id);

// A new icon picture of the image of icon resource `id` that is `size`
// pixels square, or nullptr when there is no such resource or image.
std::shared_ptr<ole::Picture> loadIconResource(int id, int size);

// The picture of the bar's button `index` (0 to 9), or nullptr.
std::shared_ptr<ole::Picture> buttonPicture(int index);

// The Find dialog's icon at `size` (32 or 16), or nullptr for other sizes.
std::shared_ptr<ole::Picture> findDialogIcon(int size = 32);

}  // namespace qv::frame
