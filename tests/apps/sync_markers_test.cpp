// SPDX-License-Identifier: MIT
// Markers two qvform processes take turns with: a signalled marker is seen
// by a waiter, an absent one makes the wait fail after its timeout.
#include "sync_markers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "support/temp_folder.h"

namespace qv::qvform {
namespace {

TEST(SyncMarkersTest, AWaitEndsWhenTheMarkerAppearsAndFailsWhenItDoesNot) {
    const qv::test::TempFolder folder("qvsync");
    const SyncMarkers markers(folder.path());
    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        markers.signal("b-saved");
    });
    EXPECT_NO_THROW(markers.wait("b-saved", std::chrono::seconds(10)));
    other.join();
    try {
        markers.wait("never", std::chrono::milliseconds(30));
        ADD_FAILURE() << "the wait for an absent marker ended";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "the marker never did not appear within 30 ms");
    }
    EXPECT_THROW(markers.signal(".."), std::runtime_error);
}

}  // namespace
}  // namespace qv::qvform
