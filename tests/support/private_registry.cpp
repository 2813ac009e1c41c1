#include "private_registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace qv::test {

PrivateRegistry::PrivateRegistry() {
    const ::testing::UnitTest& run = *::testing::UnitTest::GetInstance();
    const ::testing::TestInfo* test = run.current_test_info();
    m_dir = std::filesystem::temp_directory_path() /
            ("qv-registry-" + std::to_string(run.random_seed()) + "-" +
             (test ? std::string(test->test_suite_name()) + "." + test->name() : "outside"));
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
    ::setenv("QV_REGISTRY_DIR", m_dir.c_str(), 1);
}

PrivateRegistry::~PrivateRegistry() {
    ::unsetenv("QV_REGISTRY_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

}  // namespace qv::test
