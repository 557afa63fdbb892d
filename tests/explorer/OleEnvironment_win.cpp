#include <gtest/gtest.h>
#include <ole2.h>

namespace {

// OLE on the test thread for the whole run, as the program has it.
class OleEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

testing::Environment* const g_ole = testing::AddGlobalTestEnvironment(new OleEnvironment);

} // namespace
