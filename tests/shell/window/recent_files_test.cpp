#include "shell/window/recent_files.h"

#include <gtest/gtest.h>

namespace vlm {
namespace {

RecentFiles Files(std::initializer_list<const char16_t*> entries)
{
    RecentFiles f;
    int i = 0;
    for (const char16_t* e : entries)
        f[i++] = e;
    return f;
}

TEST(RecentFiles, AddRecentEntryKeepsEachFileOnceMostRecentFirst)
{
    RecentFiles f = Files({u"/a.vlmr", u"/b.vlmr", u"/c.vlmr"});
    AddRecentEntry(f, QStringLiteral("/B.VLMR"));
    EXPECT_EQ(f, Files({u"/B.VLMR", u"/a.vlmr", u"/c.vlmr"}));

    AddRecentEntry(f, QString());
    EXPECT_EQ(f, Files({u"/B.VLMR", u"/a.vlmr", u"/c.vlmr"}));

    AddRecentEntry(f, QStringLiteral("/d.vlmr"));
    EXPECT_EQ(f, Files({u"/d.vlmr", u"/B.VLMR", u"/a.vlmr", u"/c.vlmr"}));
}

TEST(RecentFiles, SeventeenthFileDropsTheOldest)
{
    RecentFiles f;
    for (int i = 1; i <= 17; ++i)
        AddRecentEntry(f, QStringLiteral("/file%1.vlmr").arg(i));
    EXPECT_EQ(f.front(), u"/file17.vlmr");
    EXPECT_EQ(f.back(), u"/file2.vlmr");

    // A listed file moving up frees no place: the list stays full.
    AddRecentEntry(f, QStringLiteral("/file2.vlmr"));
    EXPECT_EQ(f.front(), u"/file2.vlmr");
    EXPECT_EQ(f.back(), u"/file3.vlmr");
}

TEST(RecentFiles, CaptionIsTheNameWithoutFolderAndExtension)
{
    const struct {
        const char* path;
        const char* caption;
    } cases[] = {
        {"/home/ann/Poster.vlmr", "Poster"},
        {"  /home/ann/Two words.vlmr  ", "Two words"},
        {"/home/ann/v1.2.final.vlmr", "v1.2.final"},
        {"/home/ann/noextension", "noextension"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileCaption(QString::fromUtf8(c.path)), QString::fromUtf8(c.caption)) << c.path;
}

} // namespace
} // namespace vlm
