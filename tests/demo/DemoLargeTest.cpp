// The large demo database holds what benchmarks count on: 1,000 parts and 30,000 light files
// that the module finds.
#include <gtest/gtest.h>

#include "DemoTestSupport.h"

namespace demotest {
namespace {

TEST(DemoLargeTest, MeetsItsCounts)
{
    ScratchFolder folder;
    qvclient::DemoDatabaseInfo info;
    ASSERT_EQ(S_OK, qvclient::CreateDemoDatabase(folder.Windows(), qvclient::DemoSize::Large(), &info));
    qvclient::Client client;
    ASSERT_EQ(S_OK, client.Open(folder.Windows()));
    qvclient::IDatabase& db = *client.GetDatabase();

    EXPECT_EQ(1000, Count(db, L"SELECT COUNT(*) FROM T_Part"));
    const std::vector<DocumentRef> documents = AllDocuments(db);
    EXPECT_EQ(10000u, documents.size());
    size_t found = 0;
    for (const DocumentRef& document : documents)
        found += ModuleLightFiles(db, document).size();
    EXPECT_EQ(30000u, found);
    EXPECT_EQ(30000, info.currentLightFiles);
    EXPECT_GT(Count(db, L"SELECT COUNT(*) FROM T_LightFile"), 30000) << "older revisions keep their files";
}

} // namespace
} // namespace demotest
