// The Find Record dialog as it stands: one instance per thread, loaded afresh
// by each modal show, closed by "&Cancel", Esc or the close box; and the
// modal show itself.
#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "host/command_button.h"
#include "host/error.h"
#include "host/form_runner.h"
#include "search/frmDBSearch.h"
#include "search/modal_show.h"
#include "search/search_handover.h"

namespace qv::search::test {
namespace {

TEST(FindDialog, OneInstancePerThread) {
    auto here = frmDBSearch::instance();
    EXPECT_EQ(frmDBSearch::instance(), here);
    EXPECT_EQ(here->Caption(), "Find Record");
    std::shared_ptr<frmDBSearch> there;
    bool existedThere = true;
    std::thread([&] {
        existedThere = frmDBSearch::instanceExists();
        there = frmDBSearch::instance();
        SearchFieldName = "elsewhere";
    }).join();
    EXPECT_FALSE(existedThere);
    EXPECT_NE(there, here);
    EXPECT_NE(SearchFieldName, "elsewhere");
}

TEST(FindDialog, EachWayOutUnloadsAndTheNextShowLoadsAfresh) {
    auto dialog = frmDBSearch::instance();
    const std::vector<std::function<void()>> waysOut = {
        [&] { EXPECT_TRUE(dialog->cmdDone()->press()); },
        // Esc clicks the cancel button.
        [&] { host::FormRunner::cancelButton(*dialog)->press(); },
        // The close box unloads the form.
        [&] { host::FormRunner::Unload(dialog); },
    };
    for (const auto& wayOut : waysOut) {
        SearchFieldName = "City";
        int loops = 0;
        ScopedModalLoop loop([&](host::Form& form) {
            ++loops;
            EXPECT_TRUE(form.loaded());
            EXPECT_EQ(dialog->preselectedField(), "City");
            EXPECT_EQ(dialog->cmdDone()->Caption(), "&Cancel");
            wayOut();
        });
        showModal(dialog);
        EXPECT_EQ(loops, 1);
        EXPECT_FALSE(dialog->loaded());
    }
}

TEST(ModalShow, NeverLeavesTheFormOpen) {
    auto dialog = frmDBSearch::instance();
    // Without a loop the form runner shows it; with no input to come it
    // gives up with 5 and unloads the form.
    try {
        showModal(dialog);
        ADD_FAILURE() << "no error";
    } catch (const host::Error& e) {
        EXPECT_EQ(e.number(), 5);
    }
    EXPECT_FALSE(dialog->loaded());
    {
        // A loop that returns early, or fails, still leaves the form closed.
        ScopedModalLoop early([](host::Form&) {});
        showModal(dialog);
        EXPECT_FALSE(dialog->loaded());
        ScopedModalLoop failing([](host::Form&) { throw host::Error(7, "test", "out of memory"); });
        EXPECT_THROW(showModal(dialog), host::Error);
        EXPECT_FALSE(dialog->loaded());
    }
    // Nested loops come back in order.
    int outer = 0;
    ScopedModalLoop first([&](host::Form& f) {
        ++outer;
        f.Unload();
    });
    {
        ScopedModalLoop second([](host::Form& f) { f.Unload(); });
    }
    showModal(dialog);
    EXPECT_EQ(outer, 1);
}

}  // namespace
}  // namespace qv::search::test
