#include "platform/memory_settings_store.h"
#include "settings/data_file_memory.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

namespace vlm {
namespace {

TEST(DataFileMemory, RemembersTheLatestFileOfEachDocumentAcrossSessions)
{
    Settings s;
    rememberDataFile(s, u"/d/a.vlmr", u"/data/one.csv");
    rememberDataFile(s, u"/d/b.vlmr", u"/data/two.csv");
    rememberDataFile(s, u"/d/a.vlmr", u"/data/three.csv");
    rememberDataFile(s, u"", u"/data/unsaved.csv");
    EXPECT_EQ(dataFileFor(s, u"/d/a.vlmr"), u"/data/three.csv");
    EXPECT_EQ(dataFileFor(s, u"/d/b.vlmr"), u"/data/two.csv");
    EXPECT_EQ(dataFileFor(s, u"/d/c.vlmr"), u"");
    ASSERT_EQ(s.dataFiles.size(), 2u);
    EXPECT_EQ(s.dataFiles[0].document, u"/d/a.vlmr");

    MemorySettingsStore store;
    ASSERT_TRUE(SaveSettings(s, store));
    Settings back;
    InitSettings(back, store, ScreenMetrics{});
    EXPECT_EQ(back.dataFiles, s.dataFiles);

    // The oldest documents go once the list is full.
    for (int k = 0; k < 25; ++k)
        rememberDataFile(s, u"/d/" + std::u16string(1, char16_t(u'A' + k)), u"/x.csv");
    EXPECT_EQ(s.dataFiles.size(), kMaxDataFiles);
    EXPECT_EQ(dataFileFor(s, u"/d/a.vlmr"), u"");
    EXPECT_EQ(dataFileFor(s, u"/d/Y"), u"/x.csv");
}

} // namespace
} // namespace vlm
