// Markers two qvform processes take turns with: a signalled marker is seen
// by a waiter, an absent one makes the wait fail after its timeout.
#include "sync_markers.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace qv::qvform {
namespace {

TEST(SyncMarkersTest, AWaitEndsWhenTheMarkerAppearsAndFailsWhenItDoesNot) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "qvsync-XXXXXX").string();
    ASSERT_TRUE(mkdtemp(tmpl.data()));
    const std::filesystem::path folder = tmpl;
    const SyncMarkers markers(folder);
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
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qv::qvform
