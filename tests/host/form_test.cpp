// SPDX-License-Identifier: MIT
#include "host/form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/controls_collection.h"
#include "host/member_registry.h"
#include "host/property_bag.h"
#include "host/user_control.h"

namespace qv::host {
namespace {

using Log = std::vector<std::string>;

// Records every handler the host raises. `resizeTo` makes Resize answer by
// setting the control's own width (at most `selfResizes` times).
class Recorder : public UserControl {
  public:
    explicit Recorder(Log& log) : UserControl(ScaleMode::Pixels), m_log(log) {}
    std::int32_t resizeTo = 0;
    int selfResizes = 0;

  protected:
    void UserControl_Initialize() override { m_log.push_back("Initialize"); }
    void UserControl_InitProperties() override { m_log.push_back("InitProperties"); }
    void UserControl_ReadProperties(const PropertyBag& bag) override {
        m_log.push_back("ReadProperties " + bag.ReadProperty("Tag", Variant("")).toString());
    }
    void UserControl_WriteProperties(PropertyBag& bag) override {
        bag.WriteProperty("Tag", Variant("saved"), Variant(""));
    }
    void UserControl_Resize() override {
        m_log.push_back("Resize " + std::to_string(Width()));
        if (selfResizes > 0) {
            --selfResizes;
            setWidth(resizeTo + selfResizes);
        }
    }
    void UserControl_Show() override { m_log.push_back("Show"); }
    void UserControl_Paint() override { m_log.push_back("Paint"); }
    void UserControl_Terminate() override { m_log.push_back("Terminate"); }

  private:
    Log& m_log;
};

// A container control with a BackColor, as frames have.
class Box : public Control {
  public:
    static const MemberRegistry& boxMembers() {
        static const MemberRegistry r = [] {
            MemberRegistry m("Box", &Control::controlMembers());
            MemberTable<Box>(m).property(
                "BackColor", [](Box& b) { return b.color; },
                [](Box& b, const Variant& v) { b.color = v.toLong(); },
                {.persist = Persistence{"BackColor", Variant(0)}});
            return m;
        }();
        return r;
    }
    const MemberRegistry& members() const override { return boxMembers(); }
    bool isContainer() const override { return true; }
    std::int32_t color = 0x00FF00;
};

class FormTest : public ::testing::Test {
  protected:
    std::shared_ptr<Form> form = std::make_shared<Form>("frmTest");
    Log log;
};

TEST_F(FormTest, LifecycleOfNewAndLoadedControls) {
    form->add(std::make_shared<Recorder>(log), "New1", std::nullopt, {0, 0, 300, 150});
    PropertyBag bag;
    bag.store("Tag", Variant("stored"));
    form->add(std::make_shared<Recorder>(log), "Old1", std::nullopt, {0, 0, 450, 150}, nullptr,
              &bag);
    form->Show();
    // Added while the form shows: shown at once.
    form->add(std::make_shared<Recorder>(log), "Late1", std::nullopt, {0, 0, 600, 150});
    ASSERT_TRUE(form->Unload());
    const Log expected{
        "Initialize", "InitProperties",
        "Resize 300",  // new control
        "Initialize", "ReadProperties stored",
        "Resize 450",  // stored control
        "Show",       "Paint",
        "Show",       "Paint",  // the form shows
        "Initialize", "InitProperties",
        "Resize 600", "Show",
        "Paint",      "Terminate",
        "Terminate",  "Terminate",
    };
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(form->controls().empty());
}

TEST_F(FormTest, ResizeAnsweredBySelfResizingEndsAfterTheSecondPass) {
    struct Case {
        int selfResizes;
        Log expected;
        std::int32_t width;
    };
    const Case cases[] = {
        {0, {"Resize 1000"}, 1000},
        {1, {"Resize 1000", "Resize 5715"}, 5715},
        // Resizes itself again in the second pass: no third pass.
        {3, {"Resize 1000", "Resize 5717"}, 5716},
    };
    for (const auto& c : cases) {
        log.clear();
        auto f = std::make_shared<Form>();
        auto r = std::make_shared<Recorder>(log);
        f->add(r, "R", std::nullopt, {0, 0, 500, 100});
        log.clear();
        r->resizeTo = 5715;
        r->selfResizes = c.selfResizes;
        r->setWidth(1000);  // the host resizes the control
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(r->Width(), c.width);
    }
}

TEST_F(FormTest, ParentControlsListsEveryControlWhateverItsContainer) {
    auto frame = std::make_shared<Box>();
    form->add(frame, "fraButtons", std::nullopt, {0, 0, 2000, 1000});
    auto inner = std::make_shared<Recorder>(log);
    form->add(inner, "Button", std::int16_t{0}, {10, 10, 300, 300}, frame);
    form->add(std::make_shared<Recorder>(log), "Button", std::int16_t{3}, {10, 10, 300, 300},
              frame);
    auto outer = std::make_shared<Recorder>(log);
    form->add(outer, "Bar", std::nullopt, {0, 0, 300, 300});

    auto all = inner->ParentControls();
    ASSERT_EQ(all->Count(), 4);
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < all->Count(); ++i) {
        names.push_back(displayName(static_cast<Control&>(*all->Item(i))));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"fraButtons", "Button(0)", "Button(3)", "Bar"}));
    EXPECT_THROW(all->Item(4), Error);
    // Late-bound, as the library reaches them.
    EXPECT_EQ(objectOf(all->call("Item", {Variant(2)})).get("Index"), Variant(std::int16_t{3}));

    // Extender.Container.BackColor, read by name.
    auto viaExtender = [](UserControl& c) {
        return objectOf(objectOf(Variant(c.Extender())).get("Container")).get("BackColor");
    };
    EXPECT_EQ(viaExtender(*inner), Variant(0x00FF00));
    EXPECT_EQ(viaExtender(*outer), Variant(static_cast<int>(0x8000000F)));  // the form's
    // A control outside an array has no Index.
    try {
        outer->get("Index");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::ObjectNotAnArray);
    }
    EXPECT_EQ(objectOf(outer->get("Parent")).className(), "Form");
}

TEST_F(FormTest, AmbientUserModeFollowsTheForm) {
    auto c = std::make_shared<Recorder>(log);
    form->add(c, "C", std::nullopt, {0, 0, 15, 15});
    form->setUserMode(false);
    EXPECT_EQ(c->Ambient()->get("UserMode"), Variant(false));
    form->setUserMode(true);
    EXPECT_EQ(objectOf(c->get("Ambient")).get("usermode"), Variant(true));
}

TEST_F(FormTest, NamesIndexesAndContainersAreChecked) {
    auto frame = std::make_shared<Box>();
    form->add(frame, "Frame1", std::nullopt, {});
    form->add(std::make_shared<Box>(), "Arr", std::int16_t{1}, {});
    struct Case {
        const char* what;
        std::function<void()> run;
        int number;
    };
    auto notContainer = std::make_shared<Recorder>(log);
    form->add(notContainer, "Plain", std::nullopt, {});
    const Case cases[] = {
        {"taken name", [&] { form->add(std::make_shared<Box>(), "frame1", std::nullopt, {}); },
         errc::InvalidProcedureCall},
        {"array element exists",
         [&] { form->add(std::make_shared<Box>(), "Arr", std::int16_t{1}, {}); },
         errc::ObjectAlreadyLoaded},
        {"array name without index",
         [&] { form->add(std::make_shared<Box>(), "Arr", std::nullopt, {}); },
         errc::InvalidProcedureCall},
        {"not a container",
         [&] { form->add(std::make_shared<Box>(), "X", std::nullopt, {}, notContainer); },
         errc::InvalidProcedureCall},
        {"negative size",
         [&] {
             form->add(std::make_shared<Box>(), "Y", std::nullopt, {0, 0, -1, 0});
         },
         errc::InvalidPropertyValue},
        {"missing element", [&] { form->control("Arr", std::int16_t{2}); },
         errc::ControlArrayElementMissing},
        {"array without index", [&] { form->control("Arr"); }, errc::ObjectNotAnArray},
        {"no such control", [&] { form->control("Nope"); }, errc::ObjectDoesntSupportMember},
    };
    for (const auto& c : cases) {
        try {
            c.run();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), c.number) << c.what;
        }
    }
    EXPECT_EQ(form->controls().size(), 3u);
    EXPECT_EQ(form->control("ARR", std::int16_t{1})->Name(), "Arr");
}

TEST_F(FormTest, EventsReachTheFormsHandlerSynchronously) {
    std::vector<std::string> seen;
    form->events().on("qvRecordBar1", "BeforeAdd", [&](auto index, std::span<Variant> args) {
        seen.push_back("BeforeAdd " + std::to_string(index.has_value()));
        args[0] = Variant(true);  // a by-reference argument written back
    });
    form->events().on("Buttonbar", "Click", [&](auto index, std::span<Variant>) {
        seen.push_back("Click " + std::to_string(*index));
    });
    form->events().on(
        "Buttonbar", "Click", [&](auto, std::span<Variant>) { seen.push_back("Click 2 only"); },
        std::int16_t{2});
    auto bar = std::make_shared<Recorder>(log);
    form->add(bar, "qvRecordBar1", std::nullopt, {});
    auto b0 = std::make_shared<Recorder>(log);
    auto b2 = std::make_shared<Recorder>(log);
    form->add(b0, "Buttonbar", std::int16_t{0}, {});
    form->add(b2, "Buttonbar", std::int16_t{2}, {});

    std::vector<Variant> cancel{Variant(false)};
    bar->RaiseEvent("beforeadd", cancel);
    EXPECT_EQ(cancel[0], Variant(true));
    b0->RaiseEvent("Click");
    b2->RaiseEvent("Click");
    bar->RaiseEvent("AfterAdd");  // no handler: nothing happens
    EXPECT_EQ(seen, (std::vector<std::string>{"BeforeAdd 0", "Click 0", "Click 2 only"}));
}

TEST_F(FormTest, PropertyChangedMarksControlAndForm) {
    auto a = std::make_shared<Recorder>(log);
    auto b = std::make_shared<Recorder>(log);
    form->add(a, "A", std::nullopt, {});
    form->add(b, "B", std::int16_t{1}, {});
    EXPECT_FALSE(form->changed());
    a->PropertyChanged("StatusVisible");
    b->PropertyChanged("Value");
    a->PropertyChanged("StatusVisible");
    EXPECT_EQ(a->changedProperties(), (std::vector<std::string>{"StatusVisible", "StatusVisible"}));
    EXPECT_EQ(form->changes(),
              (std::vector<std::string>{"A.StatusVisible", "B(1).Value", "A.StatusVisible"}));
}

// A user control built of its own controls, like a button bar.
class Composite : public UserControl {
  public:
    explicit Composite(Log& log) : m_log(log) {}
    std::vector<std::string> clicks;

  protected:
    void UserControl_Initialize() override {
        auto inner = constituents();
        auto frame = std::make_shared<Box>();
        inner->add(frame, "fraButtonbar", std::nullopt, {0, 0, 600, 300});
        for (std::int16_t i = 0; i < 2; ++i) {
            inner->add(std::make_shared<Recorder>(m_log), "Buttonbar", i, {i * 300, 0, 300, 300},
                       frame);
        }
        inner->events().on("Buttonbar", "Click", [this](auto index, std::span<Variant>) {
            clicks.push_back("ButtonBar_Click " + std::to_string(*index));
        });
    }

  private:
    Log& m_log;
};

TEST_F(FormTest, UserControlsHoldTheirOwnControls) {
    auto data = std::make_shared<Box>();
    form->add(data, "Data1", std::nullopt, {});
    auto bar = std::make_shared<Composite>(log);
    form->add(bar, "qvRecordBar1", std::nullopt, {0, 0, 900, 450});

    // The host form's controls only.
    EXPECT_EQ(bar->ParentControls()->Count(), 2);
    auto inner = bar->constituents();
    auto button = std::static_pointer_cast<Recorder>(inner->control("Buttonbar", std::int16_t{1}));
    button->RaiseEvent("Click");
    EXPECT_EQ(bar->clicks, (std::vector<std::string>{"ButtonBar_Click 1"}));
    // Their windows sit in the user control's window; design mode reaches them.
    EXPECT_EQ(GetParent(button->hWnd()), bar->hWnd());
    bar->setBackColor(0x123456);
    EXPECT_EQ(objectOf(inner->control("fraButtonbar")->get("Container")).get("BackColor"),
              Variant(0x123456));
    form->setUserMode(false);
    EXPECT_FALSE(button->Ambient()->UserMode());

    log.clear();
    form->Unload();
    EXPECT_EQ(log, (Log{"Terminate", "Terminate"}));
}

}  // namespace
}  // namespace qv::host
