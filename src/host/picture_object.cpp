// SPDX-License-Identifier: MIT
#include "host/picture_object.h"

#include "host/member_registry.h"
#include "platform/ole/picture.h"
#include "platform/ole/picture_error.h"

namespace qv::host {

namespace {

MemberRegistry makePictureMembers() {
    MemberRegistry r("Picture");
    MemberTable<PictureObject>(r)
        .readOnly(
            "Handle",
            [](PictureObject& p) {
                // Handles are small table values; the late-bound view is 32-bit.
                return static_cast<int>(reinterpret_cast<std::intptr_t>(p.picture()->Handle()));
            },
            {.dispId = DispIdValue})
        .readOnly("Type", [](PictureObject& p) { return p.picture()->Type(); })
        .readOnly("Width", [](PictureObject& p) { return static_cast<int>(p.picture()->Width()); })
        .readOnly("Height",
                  [](PictureObject& p) { return static_cast<int>(p.picture()->Height()); });
    return r;
}

[[noreturn]] void invalid(const std::string& why) {
    throw Error(errc::InvalidPicture, "Picture", "The picture cannot be used: " + why);
}

const char* formatName(ole::PictureFormat format) {
    switch (format) {
        case ole::PictureFormat::Bmp:
            return "bmp";
        case ole::PictureFormat::Ico:
            return "ico";
        case ole::PictureFormat::Png:
            return "png";
        case ole::PictureFormat::None:
            break;
    }
    return "none";
}

}  // namespace

PictureObject::PictureObject(std::shared_ptr<ole::Picture> picture)
    : m_picture(std::move(picture)) {
    if (!m_picture) invalid("no picture");
}

const MemberRegistry& PictureObject::pictureMembers() {
    static const MemberRegistry registry = makePictureMembers();
    return registry;
}

Variant pictureVariant(std::shared_ptr<ole::Picture> picture) {
    if (!picture) return Variant::nothing();
    return Variant(std::make_shared<PictureObject>(std::move(picture)));
}

std::shared_ptr<ole::Picture> pictureOf(const Variant& value) {
    if (value.isEmpty() || value.isNothing()) return nullptr;
    if (!value.isObject() || !value.toObject()->is(ObjectKind::Picture)) {
        raise(errc::TypeMismatch, "Picture");
    }
    return static_cast<PictureObject&>(*value.toObject()).picture();
}

StoredPicture storePicture(const PictureObject& picture) {
    const ole::Picture& p = *picture.picture();
    if (p.Type() == PICTYPE_NONE) return {"none", {}};
    try {
        return {formatName(ole::pictureBytesFormat(p)), ole::pictureBytes(p)};
    } catch (const ole::PictureError& e) {
        throw Error(e.number(), e.source(), e.description());
    }
}

Variant restorePicture(const StoredPicture& stored) {
    if (stored.format == "none") {
        if (!stored.bytes.empty()) invalid("an empty picture carries no data");
        return pictureVariant(ole::Picture::empty());
    }
    if (stored.format != "bmp" && stored.format != "ico" && stored.format != "png") {
        invalid("unknown format \"" + stored.format + "\"");
    }
    std::shared_ptr<ole::Picture> picture;
    try {
        picture = ole::loadPicture(stored.bytes);
    } catch (const ole::PictureError& e) {
        throw Error(errc::InvalidPicture, "Picture", e.description());
    }
    if (stored.format != formatName(picture->format())) {
        invalid("the data is " + std::string(formatName(picture->format())) + ", not " +
                stored.format);
    }
    return pictureVariant(std::move(picture));
}

}  // namespace qv::host
