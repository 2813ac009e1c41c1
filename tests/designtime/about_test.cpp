// SPDX-License-Identifier: MIT
// The About box in its window: caption and title line completed at each
// load, OK holding the focus, Enter and Esc both closing the box, and a
// fresh load for every showing.
#include <gtest/gtest.h>

#include "designtime/frmAbout.h"
#include "frame/library_app.h"
#include "host/app.h"
#include "host/command_button.h"
#include "host/form_runner.h"
#include "host/label.h"
#include "platform/user/input.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"

namespace qv::designtime::test {
namespace {

struct Seen {
    std::string caption;
    std::string label;
    bool okFocused = false;
};

TEST(About, EveryShowingLoadsAfreshWithTheSameCaptionAndEnterOrEscClosesIt) {
    user::resetThreadState();
    const std::string saved = frame::libraryApp().title();
    frame::libraryApp().setTitle("Navigator");
    // The program hosting the library has a title of its own, which the box ignores.
    const std::string program = host::app().title();
    host::app().setTitle("Some Host");
    auto dialog = std::make_shared<frmAbout>();
    std::vector<Seen> seen;
    // Idle turns of the modal loop: look at the open box, then press the
    // next closing key.
    const UINT closingKeys[] = {VK_RETURN, VK_ESCAPE};
    bool looked = false;
    user::setIdleHandler([&] {
        if (looked) {
            looked = false;
            user::pressKey(closingKeys[(seen.size() - 1) % 2]);
        } else if (seen.size() > 2) {
            host::FormRunner::Unload(dialog);  // a key that did not close it
        } else {
            seen.push_back(
                {dialog->Caption(), dialog->Label1()->Caption(), dialog->cmdOK()->hasFocus()});
            looked = true;
        }
        return true;
    });
    // The same object shown twice: its second load must not add the title again.
    frmAbout::showDialog(dialog);
    EXPECT_FALSE(dialog->loaded());
    frmAbout::showDialog(dialog);
    user::setIdleHandler(nullptr);
    frame::libraryApp().setTitle(saved);
    host::app().setTitle(program);
    user::resetThreadState();

    ASSERT_EQ(seen.size(), 2u);
    for (const Seen& s : seen) {
        EXPECT_EQ(s.caption, "About - Navigator");
        EXPECT_TRUE(s.label.ends_with(" - Navigator")) << s.label;
        EXPECT_GT(s.label.size(), std::string(" - Navigator").size());  // a publisher first
        EXPECT_TRUE(s.okFocused);
    }
}

}  // namespace
}  // namespace qv::designtime::test
