// SPDX-License-Identifier: MIT
#include "host/form_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/base64.h"
#include "host/control_factory.h"
#include "host/form.h"
#include "host/member_registry.h"
#include "host/picture_object.h"
#include "host/property_bag.h"
#include "host/user_control.h"
#include "platform/gdi/whole_file.h"
#include "platform/ole/picture.h"
#include "support/persisted_controls.h"

namespace qv::host {
namespace {

// A 2 x 1 pixel 24-bpp BMP file.
std::vector<std::uint8_t> tinyBmp() {
    std::vector<std::uint8_t> b = {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54,  0,   0, 0,         // file header
        40,  0,   0,  0, 2, 0, 0, 0, 1, 0, 0,   0,   1, 0, 24, 0,  // info header
        0,   0,   0,  0, 8, 0, 0, 0, 0, 0, 0,   0,   0, 0, 0,  0,
        0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 255, 255, 0, 0, 0,  0,  // red, blue, row padding
    };
    return b;
}

// The standard-looking controls, saved as TestButton and TestFrame.
struct TestNames {
    static constexpr const char* button = "TestButton";
    static constexpr const char* frame = "TestFrame";
};
using Button = qv::test::PersistedButton<TestNames>;
using Frame = qv::test::PersistedFrame<TestNames>;

// A user control saving through its own handlers, with a Boolean written
// against an integer default.
class Bar : public UserControl {
  public:
    static const MemberRegistry& barMembers() {
        static const MemberRegistry r("TestBar", &UserControl::userControlMembers());
        return r;
    }
    const MemberRegistry& members() const override { return barMembers(); }
    bool statusVisible = true;
    std::string when;

  protected:
    void UserControl_ReadProperties(const PropertyBag& bag) override {
        statusVisible = bag.ReadProperty("StatusVisible", Variant(1)).toBoolean();
        when = bag.ReadProperty("When", Variant("")).toString();
    }
    void UserControl_WriteProperties(PropertyBag& bag) override {
        bag.WriteProperty("StatusVisible", Variant(statusVisible), Variant(1));
        bag.WriteProperty("When", Variant(when), Variant(""));
        bag.WriteProperty("Stamp", Variant::date(45000.25), Variant());
    }
};

ControlFactory testFactory() {
    ControlFactory f;
    f.add("TestButton", [] { return std::make_shared<Button>(); });
    f.add("TestFrame", [] { return std::make_shared<Frame>(); });
    f.add("TestBar", [] { return std::make_shared<Bar>(); });
    return f;
}

std::shared_ptr<Form> sampleForm() {
    auto form = std::make_shared<Form>("frmSample");
    form->setCaption("Sample");
    auto frame = std::make_shared<Frame>();
    form->add(frame, "fraButtons", std::nullopt, {0, 0, 3000, 600});
    for (std::int16_t i = 0; i < 2; ++i) {
        auto b = std::make_shared<Button>();
        b->caption = "Button " + std::to_string(i);
        b->style = 1;
        b->ratio = 0.1;
        if (i == 1) b->picture = pictureVariant(ole::loadPicture(tinyBmp()));
        form->add(b, "Buttonbar", i, {i * 300, 0, 300, 300}, frame);
    }
    auto bar = std::make_shared<Bar>();
    bar->statusVisible = false;
    bar->when = "now";
    form->add(bar, "qvRecordBar1", std::nullopt, {0, 600, 5775, 450});
    form->controls().back()->setVisible(false);
    form->controls()[1]->setEnabled(false);
    form->controls().back()->setToolTipText("Navigate");
    return form;
}

TEST(FormFileTest, SaveLoadSaveGivesTheSameBytes) {
    std::string first = saveForm(*sampleForm());
    auto loaded = loadForm(first, "sample.form", testFactory());
    EXPECT_EQ(saveForm(*loaded), first);

    // What was loaded is what was saved.
    EXPECT_EQ(loaded->Caption(), "Sample");
    ASSERT_EQ(loaded->controls().size(), 4u);
    auto& b1 = static_cast<Button&>(*loaded->control("Buttonbar", std::int16_t{1}));
    EXPECT_EQ(b1.caption, "Button 1");
    EXPECT_FALSE(loaded->control("Buttonbar", std::int16_t{0})->Enabled());
    EXPECT_TRUE(b1.Enabled());
    EXPECT_EQ(b1.Container(), loaded->control("fraButtons"));
    auto picture = pictureOf(b1.picture);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Type(), PICTYPE_BITMAP);
    EXPECT_EQ(picture->sourceBytes(), tinyBmp());
    auto& bar = static_cast<Bar&>(*loaded->control("qvRecordBar1"));
    EXPECT_FALSE(bar.statusVisible);
    EXPECT_FALSE(bar.Visible());
    EXPECT_EQ(bar.ToolTipText(), "Navigate");
    // The picture sits in the file as base64 of its bytes.
    EXPECT_NE(first.find(base64Encode(tinyBmp())), std::string::npos);
}

TEST(FormFileTest, FileFunctionsRoundTripThroughDisk) {
    std::string path = ::testing::TempDir() + "/qv_form_file_test.form";
    auto form = sampleForm();
    saveFormFile(*form, path);
    auto loaded = loadFormFile(path, testFactory());
    EXPECT_EQ(saveForm(*loaded), saveForm(*form));
    std::remove(path.c_str());
    // A missing file, and a folder where a file is expected.
    const struct {
        std::string path;
        int number;
    } refused[] = {{path, 53}, {::testing::TempDir(), 75}};
    for (const auto& r : refused) {
        try {
            loadFormFile(r.path, testFactory());
            ADD_FAILURE() << r.path;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), r.number) << r.path;
        }
    }
}

TEST(FormFileTest, ASaveOnAFullDiskFailsWithThePathAndKeepsTheOldFile) {
    const std::string path = ::testing::TempDir() + "/qv_form_file_full.form";
    std::ofstream(path, std::ios::binary) << "the old form";
    // The disk takes nothing more.
    files::setWriteCallForTests([](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    });
    try {
        saveFormFile(*sampleForm(), path);
        ADD_FAILURE() << "the save reported success";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 75);
        EXPECT_NE(e.description().find(path), std::string::npos) << e.description();
    }
    files::setWriteCallForTests(nullptr);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the old form");
    std::remove(path.c_str());
}

TEST(FormFileTest, MalformedFilesAreRefusedWithFilePlaceAndReason) {
    const std::string head =
        R"({"version": 1, "form": {"name": "F", "left": 0, "top": 0, "width": 10, "height": 10}, "controls": [)";
    auto control = [](const std::string& extra) {
        return R"({"type": "TestButton", "name": "B", "left": 0, "top": 0, "width": 1, "height": 1)" +
               extra + "}";
    };
    struct Case {
        std::string text;
        std::string message;  // after "bad.form: "
    };
    const Case cases[] = {
        {"{\"version\": 1,\n  \"form\": oops}", "line 2, column 11: syntax error"},
        {"", "line 1, column 1: syntax error"},
        {"{\"version\":\n -1e3008}", "line 2, column 2: number overflow parsing '-1e3008'"},
        {"[]", "/: an object was expected"},
        {R"({"version": 2, "form": {}, "controls": []})", "/version: unsupported version"},
        {R"({"version": 1, "controls": []})", "/: member \"form\" missing"},
        {R"({"version": 1, "form": {"name": "F", "left": 0, "top": 0, "width": 10, "height": 10}})",
         "/: member \"controls\" missing"},
        {head + R"({"type": "Nope", "name": "X", "left": 0, "top": 0, "width": 1, "height": 1}]})",
         "/controls/0/type: unknown control type \"Nope\""},
        {head + control(R"(, "properties": {"Style": "wide"})") + "]}",
         "/controls/0/properties: The value is of the wrong type and cannot be converted to the "
         "type needed (error 13)"},
        {head + control(R"(, "properties": {"Style": [1]})") + "]}",
         "/controls/0/properties/Style: wrong value type"},
        {head + control(R"(, "properties": {"Style": 99999})") + "]}",
         "/controls/0/properties: The number is too large or too small for the type that must "
         "hold it (error 6)"},
        {head + control(R"(, "properties": {"Picture": {"picture": "bmp", "data": "AAAA"}})") +
             "]}",
         "/controls/0/properties/Picture: picture does not decode"},
        {head + control(R"(, "properties": {"Picture": {"picture": "bmp", "data": "A"}})") + "]}",
         "/controls/0/properties/Picture/data: picture data is not valid base64"},
        {head + control(R"(, "properties": {"Caption": 1}, "container": "Frame9")") + "]}",
         "/controls/0/container: no control \"Frame9\" before it"},
        {head + control("") + "," + control("") + "]}",
         "/controls/1/name: The form already has a control named B (error 5)"},
        {head + control(R"(, "width": -1)") + "]}", "/controls/0/width: number out of range"},
        {head + control(R"(, "index": 40000)") + "]}", "/controls/0/index: number out of range"},
        {head + control(R"(, "colour": 1)") + "]}", "/controls/0/colour: unexpected member"},
        {head + control(R"(, "enabled": 0)") + "]}", "/controls/0/enabled: a Boolean was expected"},
        {head +
             R"({"type": "TestBar", "name": "T", "left": 0, "top": 0, "width": 90, "height": 600000}]})",
         "/controls/0/height: A control of 6 x 40000 pixels is too large to be drawn"},
        {head +
             R"({"type": "TestBar", "name": "T", "left": 0, "top": 0, "width": 2000000000, "height": 9}]})",
         "/controls/0/width: A control of 133333333 x 1 pixels is too large to be drawn"},
        {head + control(R"(, "properties": {"Caption": {"date": 1e300}})") + "]}",
         "/controls/0/properties/Caption/date: date out of range"},
        // Deep nesting is refused where it passes the limit, strings aside.
        {head + control(R"(, "properties": {"Caption": )" + std::string(5000, '[')) + "]}",
         "line 1, column 268: values are nested more than 64 deep"},
        {head + control(R"(, "toolTipText": ")" + std::string(100, '[') + R"(", "colour": 1)") +
             "]}",
         "/controls/0/colour: unexpected member"},
    };
    for (const auto& c : cases) {
        const std::string& text = c.text;
        const std::string& expect = c.message;
        auto form = std::make_shared<Form>();
        try {
            loadForm(text, "bad.form", *form, testFactory());
            ADD_FAILURE() << "accepted: " << text;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), errc::FileLoad);
            EXPECT_EQ(e.description().rfind("bad.form: " + expect, 0), 0u)
                << e.description() << "\n  expected: " << expect;
        }
        EXPECT_TRUE(form->controls().empty());
    }
}

TEST(FormFileTest, ContainersByDisplayNameAndUnknownKeysIgnoredByControls) {
    const std::string text = R"J({"version": 1,
      "form": {"name": "F", "left": 0, "top": 0, "width": 10, "height": 10, "properties": {"Caption": "Hi"}},
      "controls": [
        {"type": "TestFrame", "name": "Frame", "index": 2, "left": 0, "top": 0, "width": 1, "height": 1},
        {"type": "testbutton", "name": "B", "container": "frame(2)", "left": 0, "top": 0, "width": 1, "height": 1,
         "properties": {"Value": -1, "Legacy": "kept out"}}]})J";
    auto form = loadForm(text, "ok.form", testFactory());
    auto& b = static_cast<Button&>(*form->control("B"));
    EXPECT_TRUE(b.value);
    EXPECT_EQ(form->Caption(), "Hi");
    EXPECT_EQ(b.Container(), form->control("Frame", std::int16_t{2}));
}

TEST(Base64Test, RoundTripsAndRefusesNonCanonicalText) {
    for (std::size_t n = 0; n < 8; ++n) {
        std::vector<std::uint8_t> bytes;
        for (std::size_t i = 0; i < n; ++i) bytes.push_back(static_cast<std::uint8_t>(250 + i));
        auto text = base64Encode(bytes);
        EXPECT_EQ(base64Decode(text), bytes) << text;
    }
    EXPECT_EQ(base64Encode(std::vector<std::uint8_t>{'M', 'a'}), "TWE=");
    for (const char* bad : {"TWE", "TW==x===", "T*E=", "TWF=", "=AAA", "A==="}) {
        EXPECT_FALSE(base64Decode(bad)) << bad;
    }
}

}  // namespace
}  // namespace qv::host
