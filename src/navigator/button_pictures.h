// The pictures of the ten bar buttons: simple 16 x 16 glyphs drawn in code
// (arrows, bars, a lens, plus and minus signs, a sheet, a disk and a cross).
#pragma once

#include <cstdint>
#include <memory>

namespace qv::ole {
class Picture;
}

namespace qv::navigator {

// Returns a new bitmap picture for button `index` (0 to 9), owning its
// bitmap; any other index gives nullptr.
std::shared_ptr<ole::Picture> buttonPicture(std::int16_t index);

}  // namespace qv::navigator
