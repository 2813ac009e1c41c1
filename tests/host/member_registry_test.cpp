// SPDX-License-Identifier: MIT
#include "host/member_registry.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "host/object.h"

namespace qv::host {
namespace {

// A small class declared the way the library's classes declare their members.
class Gadget : public Object {
  public:
    static const MemberRegistry& registry() {
        static const MemberRegistry r = [] {
            MemberRegistry m("Gadget");
            MemberTable<Gadget>(m)
                .property(
                    "Caption", [](Gadget& g) { return g.caption; },
                    [](Gadget& g, const Variant& v) { g.caption = v.toString(); },
                    {.dispId = 0x68030001,
                     .help = "Text shown",
                     .persist = Persistence{"Caption", Variant("")}})
                .readOnly("Count", [](Gadget& g) { return g.count; }, {.dispId = DispIdValue})
                .objectProperty(
                    "DataSource", [](Gadget& g) { return g.source; },
                    [](Gadget& g, const Variant& v) { g.source = v.toObject(); })
                .method("Add",
                        [](Gadget& g, std::span<Variant> args) {
                            for (auto& a : args) g.count += a.toLong();
                            if (!args.empty()) args[0] = Variant("seen");  // by reference
                            return g.count;
                        })
                .method("About", [](Gadget& g, std::span<Variant>) { ++g.abouts; },
                        {.dispId = DispIdAboutBox});
            return m;
        }();
        return r;
    }
    const MemberRegistry& members() const override { return registry(); }
    bool is(ObjectKind kind) const override { return kind == ObjectKind::DataControl; }

    std::string caption;
    int count = 0;
    int abouts = 0;
    ObjectRef source;
};

template <class F>
std::optional<int> errorOf(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.number();
    }
    return std::nullopt;
}

TEST(MemberRegistryTest, NamesAreCaseInsensitiveAndDispIdsReachTheSameMember) {
    auto g = std::make_shared<Gadget>();
    g->let("cAPTION", Variant("Hello"));
    EXPECT_EQ(g->get("Caption"), Variant("Hello"));
    EXPECT_EQ(g->get(DispId{0x68030001}), Variant("Hello"));
    g->let(DispId{0x68030001}, Variant(12));
    EXPECT_EQ(g->caption, "12");
    g->call(DispIdAboutBox);
    EXPECT_EQ(g->abouts, 1);
    EXPECT_EQ(Variant(ObjectRef(g)).toLong(), 0);  // the default member (Count)
    const Member* m = Gadget::registry().find("caption");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->info.help, "Text shown");
    EXPECT_EQ(Gadget::registry().persisted().size(), 1u);
}

TEST(MemberRegistryTest, MethodsTakeArgumentsByReference) {
    auto g = std::make_shared<Gadget>();
    std::vector<Variant> args{Variant(2), Variant(std::int16_t{3})};
    EXPECT_EQ(g->call("add", args), Variant(5));
    EXPECT_EQ(args[0], Variant("seen"));
    EXPECT_EQ(g->call("Add", {Variant(1)}), Variant(6));
    EXPECT_EQ(g->get("Add"), Variant(6));  // a method read without arguments
}

TEST(MemberRegistryTest, RefusedAccessCarriesTheRightNumber) {
    auto g = std::make_shared<Gadget>();
    auto other = std::make_shared<Gadget>();
    struct Case {
        const char* what;
        std::function<void()> run;
        int number;
    };
    const Case cases[] = {
        {"unknown get", [&] { g->get("Nope"); }, errc::ObjectDoesntSupportMember},
        {"unknown call", [&] { g->call("Nope"); }, errc::ObjectDoesntSupportMember},
        {"unknown dispid", [&] { g->get(DispId{42}); }, errc::ObjectDoesntSupportMember},
        {"let read-only", [&] { g->let("Count", Variant(1)); }, errc::PropertyReadOnly},
        {"let object by value", [&] { g->let("DataSource", Variant(other)); },
         errc::WrongArgumentsOrAssignment},
        {"set plain property", [&] { g->set("Caption", Variant(other)); },
         errc::WrongArgumentsOrAssignment},
        {"set non-object", [&] { g->set("DataSource", Variant(3)); }, errc::ObjectRequired},
        {"property with arguments", [&] { g->call("Caption", {Variant(1)}); },
         errc::WrongArgumentsOrAssignment},
        {"let a method", [&] { g->let("Add", Variant(1)); }, errc::WrongArgumentsOrAssignment},
        {"member of Nothing", [&] { objectOf(Variant::nothing()); }, errc::ObjectVariableNotSet},
        {"member of a number", [&] { objectOf(Variant(1)); }, errc::ObjectRequired},
        {"conversion failing inside let", [&] { g->let("DataSource", Variant("x")); },
         errc::WrongArgumentsOrAssignment},
    };
    for (const auto& c : cases) EXPECT_EQ(errorOf(c.run), c.number) << c.what;
    EXPECT_EQ(g->caption, "");
}

TEST(MemberRegistryTest, SetAssignsByReferenceAndTypeTestsAnswer) {
    auto g = std::make_shared<Gadget>();
    auto other = std::make_shared<Gadget>();
    g->set("DataSource", Variant(other));
    EXPECT_EQ(g->source, other);
    EXPECT_EQ(g->get("DataSource").toObject(), other);  // the same object, not a copy
    g->set("DataSource", Variant::nothing());
    EXPECT_EQ(g->source, nullptr);
    EXPECT_TRUE(g->is(ObjectKind::DataControl));
    EXPECT_FALSE(g->is(ObjectKind::SoftButton));
}

TEST(MemberRegistryTest, DerivedRegistriesExtendAndDeclarationFaultsAreCaught) {
    MemberRegistry derived("Derived", &Gadget::registry());
    MemberTable<Gadget>(derived).readOnly("Extra", [](Gadget&) { return 1; });
    EXPECT_NE(derived.find("caption"), nullptr);
    EXPECT_NE(derived.find("extra"), nullptr);
    EXPECT_EQ(derived.all().size(), Gadget::registry().all().size() + 1);
    EXPECT_THROW(MemberTable<Gadget>(derived).readOnly("EXTRA", [](Gadget&) { return 2; }),
                 std::logic_error);
}

}  // namespace
}  // namespace qv::host
