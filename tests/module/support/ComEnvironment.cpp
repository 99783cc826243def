// COM is started on the test thread before any test runs, as the client does on its UI thread.
#include <gtest/gtest.h>

#include <objbase.h>

namespace {

class ComEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }
};

const testing::Environment* const s_comEnvironment = testing::AddGlobalTestEnvironment(new ComEnvironment);

} // namespace
