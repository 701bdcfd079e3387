// vellumora-cli run as a user runs it: exit codes, what goes where, and the
// files it leaves.

#include "model_test_support.h"

#include <sys/wait.h>

#include <cstdlib>

namespace vlm {
namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

class Cli : public ::testing::Test {
protected:
    CliRun run(const std::string& args)
    {
        const std::string out = dir.file("stdout"), err = dir.file("stderr");
        const std::string cmd = std::string("'") + VLM_CLI_PATH + "' " + args + " >'" + out + "' 2>'" + err + "'";
        const int status = std::system(cmd.c_str());
        const auto text = [](const std::string& p) {
            const auto b = test::ReadBytes(p);
            return std::string(b.begin(), b.end());
        };
        return CliRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, text(out), text(err)};
    }
    std::string quoted(const std::string& p) const { return "'" + p + "'"; }

    test::TempDir dir;
    const std::string fixture = std::string(VLM_TEST_DATA_DIR) + "/model/every_kind.vlmr";
};

TEST_F(Cli, UsageErrorsExitWithTwoAndSayWhyOnStderr)
{
    const CliRun help = run("--help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("Exit codes"), std::string::npos);
    for (const char* args : {"", "frobnicate x", "info", "resave a", "--dpi 0 info x", "--dpi abc info x",
                             "--colour info x"}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.code, 2) << args;
        if (*args) {
            EXPECT_FALSE(r.err.empty()) << args;
        }
    }
}

TEST_F(Cli, InfoListsEveryRecordAndThePage)
{
    const CliRun r = run("info " + quoted(fixture));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("#2 @1296 drawing Text seq 2 step 0 (10,20)-(110,20) | text 50B"), std::string::npos);
    EXPECT_NE(r.out.find("#15 @9578 drawing Curve"), std::string::npos);
    EXPECT_NE(r.out.find("picture 13B, name 62B"), std::string::npos);
    EXPECT_NE(r.out.find("19 records, 11725 bytes"), std::string::npos);
    EXPECT_NE(r.out.find("unit: Inches  zoom: 100%"), std::string::npos);
    EXPECT_NE(r.out.find("size 8.5 x 11"), std::string::npos);
    EXPECT_EQ(run("info " + quoted(dir.file("nothing.vlmr"))).code, 1);
}

TEST_F(Cli, CheckTellsReadableFromDamagedFromUnreadable)
{
    EXPECT_EQ(run("check " + quoted(fixture)).code, 0);

    std::vector<std::uint8_t> b = test::ReadBytes(fixture);
    const std::string path = dir.file("damaged.vlmr");
    test::Put<std::int32_t>(b, 1296 + 60, 5);           // the Text's signature
    b.resize(b.size() - 10);                            // cut into the last record
    test::WriteBytes(path, b);
    const CliRun damaged = run("check " + quoted(path));
    EXPECT_EQ(damaged.code, 3);
    EXPECT_NE(damaged.out.find("record 2: signature"), std::string::npos) << damaged.out;
    EXPECT_NE(damaged.out.find("bytes after the last record"), std::string::npos) << damaged.out;

    EXPECT_EQ(run("check " + quoted(dir.file("missing.vlmr"))).code, 1);
    EXPECT_EQ(run("check " + quoted(dir.path().string())).code, 1);
}

TEST_F(Cli, ResaveOpensAndSavesLikeTheProgram)
{
    const std::string out = dir.file("out.vlmr");
    const CliRun ok = run("resave " + quoted(fixture) + " " + quoted(out));
    ASSERT_EQ(ok.code, 0) << ok.err;
    EXPECT_EQ(test::ReadBytes(out).size(), test::ReadBytes(fixture).size());
    EXPECT_EQ(run("check " + quoted(out)).code, 0);

    // A millimetre document opened on a 120-dpi screen keeps its size in millimetres.
    std::vector<std::uint8_t> b = test::ReadBytes(fixture);
    test::Put<std::int32_t>(b, 124, 2);
    const std::string mm = dir.file("mm.vlmr");
    test::WriteBytes(mm, b);
    ASSERT_EQ(run("--dpi 120 resave " + quoted(mm) + " " + quoted(out)).code, 0);
    EXPECT_DOUBLE_EQ(test::Get<double>(test::ReadBytes(out), 128), 120 / 25.4);
}

TEST_F(Cli, AnInvalidFileIsResavedOnlyWithYes)
{
    std::vector<std::uint8_t> b = test::ReadBytes(fixture);
    test::Put<std::int32_t>(b, 60, 0);
    const std::string bad = dir.file("bad.vlmr"), out = dir.file("out.vlmr");
    test::WriteBytes(bad, b);
    const CliRun no = run("resave " + quoted(bad) + " " + quoted(out));
    EXPECT_EQ(no.code, 1);
    EXPECT_NE(no.err.find("--yes"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));
    const CliRun yes = run("resave --yes " + quoted(bad) + " " + quoted(out));
    EXPECT_EQ(yes.code, 0) << yes.err;
    EXPECT_EQ(test::Get<std::int32_t>(test::ReadBytes(out), 60), 147483647);
    EXPECT_EQ(run("resave " + quoted(fixture) + " " + quoted(dir.file("no/folder.vlmr"))).code, 1);
}

} // namespace
} // namespace vlm
