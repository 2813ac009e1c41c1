// SPDX-License-Identifier: MIT
// The data layer's error texts: each number has a sentence of its own, the
// quoted subject lands inside it, and a detail closes the first sentence.
#include "data/data_errors.h"

#include <gtest/gtest.h>

#include <set>

namespace qv::data {
namespace {

TEST(DataErrors, EachNumberReadsAsItsOwnSentences) {
    const DataErr all[] = {
        DataErr::ItemNotFound,
        DataErr::NoCurrentRecord,
        DataErr::UpdateWithoutEdit,
        DataErr::ReadOnly,
        DataErr::DuplicateKey,
        DataErr::NullNotAllowed,
        DataErr::RuleViolated,
        DataErr::RelatedRecordRequired,
        DataErr::Locked,
        DataErr::FileNotFound,
        DataErr::CantOpenFile,
        DataErr::NotADatabase,
        DataErr::DiskFull,
        DataErr::DiskError,
        DataErr::OutOfResources,
        DataErr::TableNotFound,
        DataErr::CriteriaSyntax,
        DataErr::UnknownField,
        DataErr::RecordDeleted,
        DataErr::InvalidBookmark,
        DataErr::InvalidOperation,
        DataErr::ObjectClosed,
        DataErr::QueryNotSelect,
        DataErr::TypeMismatch,
        DataErr::EngineFailure,
    };
    std::set<std::string> seen;
    for (DataErr err : all) {
        const std::string text = dataErrorText(err, "SUBJECT");
        SCOPED_TRACE(text);
        EXPECT_TRUE(seen.insert(text).second) << "shared by two numbers";
        EXPECT_TRUE(text.size() > 10 && text.back() == '.');
        EXPECT_TRUE(std::isupper(static_cast<unsigned char>(text.front())));
        EXPECT_EQ(text.find("%s"), std::string::npos);

        // A detail goes before the first full stop, the rest follows as it was.
        const std::string detailed = dataErrorText(err, "SUBJECT", "why");
        const auto open = detailed.find(" (why).");
        ASSERT_NE(open, std::string::npos) << detailed;
        EXPECT_EQ(detailed.substr(0, open) + "." + detailed.substr(open + 7), text);
    }
}

TEST(DataErrors, TheErrorCarriesNumberSourceAndQuotedSubject) {
    const host::Error e = dataError(DataErr::TableNotFound, kRecordsetSource, "Kunden");
    EXPECT_EQ(e.number(), 3078);
    EXPECT_EQ(e.source(), "qvData.Recordset");
    EXPECT_NE(e.description().find("'Kunden'"), std::string::npos) << e.description();
}

}  // namespace
}  // namespace qv::data
