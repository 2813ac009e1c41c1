// SPDX-License-Identifier: MIT
// The resource table reaches every picture and the version block by id, and
// what it hands out has the sizes and depth the library promises.
#include <gtest/gtest.h>

#include "frame/resource_table.h"
#include "frame/version_info.h"
#include "platform/ole/picture.h"
#include "platform/win32.h"
#include "support/gdi_leak_guard.h"

namespace qv::frame::test {
namespace {

// Bits per pixel of a stored BMP file or of an ICO file's first image.
int storedDepth(std::span<const std::uint8_t> bytes, bool icon) {
    const std::size_t header = icon ? bytes[18] | bytes[19] << 8 : 14;
    return bytes[header + 14] | bytes[header + 15] << 8;
}

TEST(ResourceTable, PicturesHaveTheirSizesAndSixteenColours) {
    struct Case {
        ResourceKind kind;
        int id;
        int size;  // icon image to take
        int width, height;
    };
    std::vector<Case> cases;
    for (int i = 0; i < resource_id::ButtonCount; ++i) {
        cases.push_back({ResourceKind::Bitmap, resource_id::ButtonFirst + i, 0, 16, 16});
    }
    cases.push_back({ResourceKind::Bitmap, resource_id::ToolboxBitmap, 0, 16, 15});
    cases.push_back({ResourceKind::Icon, resource_id::FindIcon, 32, 32, 32});
    cases.push_back({ResourceKind::Icon, resource_id::FindIcon, 16, 16, 16});
    QV_EXPECT_NO_GDI_LEAKS({
        for (const Case& c : cases) {
            SCOPED_TRACE(c.id);
            const bool icon = c.kind == ResourceKind::Icon;
            auto bytes = findResource(c.kind, c.id);
            ASSERT_FALSE(bytes.empty());
            EXPECT_EQ(storedDepth(bytes, icon), 4);
            auto picture = icon ? loadIconResource(c.id, c.size) : loadBitmapResource(c.id);
            ASSERT_TRUE(picture);
            EXPECT_EQ(picture->Type(), icon ? PICTYPE_ICON : PICTYPE_BITMAP);
            EXPECT_EQ(picture->widthPixels(), c.width);
            EXPECT_EQ(picture->heightPixels(), c.height);
        }
    });
}

TEST(ResourceTable, UnknownIdsAndSizesGiveNothing) {
    EXPECT_TRUE(findResource(ResourceKind::Bitmap, resource_id::FindIcon).empty());
    EXPECT_EQ(loadBitmapResource(99), nullptr);
    EXPECT_EQ(loadIconResource(resource_id::FindIcon, 48), nullptr);
    EXPECT_EQ(buttonPicture(10), nullptr);
    EXPECT_EQ(buttonPicture(-1), nullptr);
    EXPECT_TRUE(buttonPicture(9));
    EXPECT_TRUE(findDialogIcon());
}

TEST(ResourceTable, ButtonPicturesDifferFromEachOther) {
    // A person must tell the ten buttons apart: no two pictures are alike.
    for (int a = 0; a < resource_id::ButtonCount; ++a) {
        for (int b = a + 1; b < resource_id::ButtonCount; ++b) {
            auto pa = findResource(ResourceKind::Bitmap, resource_id::ButtonFirst + a);
            auto pb = findResource(ResourceKind::Bitmap, resource_id::ButtonFirst + b);
            EXPECT_FALSE(std::equal(pa.begin(), pa.end(), pb.begin(), pb.end())) << a << " " << b;
        }
    }
}

TEST(ResourceTable, VersionBlockCarriesTheLibrarysIdentity) {
    const VersionInfo& v = libraryVersion();
    const std::array<std::uint16_t, 4> expected{1, 0, 0, 10};
    EXPECT_EQ(v.fileVersion, expected);
    EXPECT_EQ(v.productVersion, expected);
    EXPECT_EQ(v.text("FileVersion"), "1.00.0010");
    EXPECT_EQ(v.text("ProductVersion"), "1.00.0010");
    EXPECT_EQ(v.text("InternalName"), "qvRecordBar");
    EXPECT_EQ(v.text("OriginalFilename"), "qvRecordBar.ocx");
    EXPECT_EQ(v.text("FileName"), "qvRecordBar.ocx");
    EXPECT_EQ(v.text("OLESelfRegister"), "");
    EXPECT_EQ(v.text("Comments"), std::nullopt);

    // A damaged block is refused, never read past its end.
    auto block = findResource(ResourceKind::Version, resource_id::Version);
    for (std::size_t cut : {std::size_t{0}, std::size_t{10}, std::size_t{100}, block.size() - 1}) {
        std::vector<std::uint8_t> part(block.begin(), block.begin() + static_cast<long>(cut));
        EXPECT_FALSE(readVersionInfo(part)) << cut;
    }
}

}  // namespace
}  // namespace qv::frame::test
