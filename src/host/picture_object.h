// SPDX-License-Identifier: MIT
// PictureObject: a picture as the runtime's late-bound code sees it (Type,
// Handle, Width, Height), holding a reference to the platform picture, and
// the conversions between pictures and their stored bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/object.h"

namespace qv::ole {
class Picture;
}

namespace qv::host {

class PictureObject : public Object {
  public:
    // `picture` must not be null.
    explicit PictureObject(std::shared_ptr<ole::Picture> picture);

    static const MemberRegistry& pictureMembers();
    const MemberRegistry& members() const override { return pictureMembers(); }
    bool is(ObjectKind kind) const override { return kind == ObjectKind::Picture; }

    const std::shared_ptr<ole::Picture>& picture() const noexcept { return m_picture; }

  private:
    std::shared_ptr<ole::Picture> m_picture;
};

// Wraps a platform picture for a Variant; a null picture gives Nothing.
Variant pictureVariant(std::shared_ptr<ole::Picture> picture);
// Returns the platform picture a variant holds: nullptr for Nothing (or
// Empty); 13 for anything that is not a picture.
std::shared_ptr<ole::Picture> pictureOf(const Variant& value);

// A picture as stored in a form file: its format ("bmp", "ico", "png",
// "none" for an empty picture) and its bytes.
struct StoredPicture {
    std::string format;
    std::vector<std::uint8_t> bytes;
};

// Returns the stored form of a picture; fails with 481 for a picture that
// has no stored form (a metafile).
StoredPicture storePicture(const PictureObject& picture);
// Rebuilds a picture from its stored form; fails with 481 when the bytes do
// not decode or the format is unknown or does not match the bytes.
Variant restorePicture(const StoredPicture& stored);

}  // namespace qv::host
