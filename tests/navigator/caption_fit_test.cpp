// SPDX-License-Identifier: MIT
// Every caption of every form the library and the runner show fits its
// control as drawn, in the face the forms' 8-point sans-serif maps to: the
// bar, the Find Record dialog, the About box, the data-control page and the
// message boxes of every button set.
#include <gtest/gtest.h>

#include <sstream>

#include "bar_fixture.h"
#include "designtime/frmAbout.h"
#include "designtime/ppData.h"
#include "host/caption_fit.h"
#include "host/form_runner.h"
#include "host/message_box.h"
#include "host/message_box_service.h"
#include "host/message_box_window.h"
#include "host/modal_show.h"
#include "host/property_page_host.h"
#include "platform/user/input.h"
#include "platform/user/message_loop.h"
#include "platform/user/thread_state.h"
#include "search/frmDBSearch.h"

namespace qv::navigator::test {
namespace {

// Paints every window that waits for it.
void paintAll() {
    user::pumpMessages();
}

std::string report(const std::vector<host::ClippedCaption>& clipped) {
    std::ostringstream out;
    for (const host::ClippedCaption& c : clipped) {
        out << '"' << c.text << "\" needs " << c.needed.cx << 'x' << c.needed.cy << ", has "
            << c.space.cx << 'x' << c.space.cy << '\n';
    }
    return out.str();
}

TEST_F(BarTest, EveryCaptionOfEveryFormFitsItsControl) {
    placeControls();
    host::CaptionFitCheck check;
    std::vector<std::string> shown;

    host::FormRunner::Show(form);
    paintAll();
    shown.push_back("bar");

    {
        // The dialogs shown modally: painted, then closed.
        host::ScopedModalLoop loop([&](host::Form& dialog) {
            paintAll();
            shown.push_back(dialog.Caption());
            host::FormRunner::Unload(
                std::static_pointer_cast<host::Form>(dialog.shared_from_this()));
        });
        click(qvRecordBar::FindRecord);
        designtime::frmAbout::showDialog();
    }

    host::PropertyPageHost pages;
    pages.open(std::make_shared<designtime::ppData>(), {bar}, true);
    paintAll();
    shown.push_back("ppData");
    pages.cancel();

    host::WindowMessageBoxes windows;
    host::ScopedMessageBoxService service(windows);
    for (std::int32_t buttons = host::msgbox::OKOnly; buttons <= host::msgbox::RetryCancel;
         ++buttons) {
        user::setIdleHandler([&] {
            paintAll();
            const RECT first = windows.buttonRect(0);
            user::click(first.left + 2, first.top + 2);
            return true;
        });
        host::MsgBox("A question for the box", buttons | host::msgbox::Question, "Box");
        shown.push_back("box " + std::to_string(buttons));
    }
    user::setIdleHandler(nullptr);

    EXPECT_EQ(shown.size(), 10u);
    EXPECT_TRUE(check.clipped().empty()) << report(check.clipped());
}

}  // namespace
}  // namespace qv::navigator::test
