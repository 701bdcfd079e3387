#include "shell/window/open_request.h"

#include <gtest/gtest.h>

namespace vlm {
namespace {

TEST(OpenRequest, FileOfOpenMacroTakesTheTextBetweenTheFirstTwoQuotes)
{
    const struct {
        const char* macro;
        const char* file;
    } cases[] = {
        {"[open(\"/home/ann/cards/Birthday card.vlmr\")]", "/home/ann/cards/Birthday card.vlmr"},
        {"[open(\"/a.vlmr\")]\n[open(\"/b.vlmr\")]", "/a.vlmr"},  // only the first line counts
        {"[open(\"/a.vlmr\")]\r\nmore", "/a.vlmr"},
        {"[open(\"/unterminated.vlmr", "/unterminated.vlmr"},       // no closing quote: to the end
        {"/plain/name.vlmr", "/plain/name.vlmr"},                    // no quotes: the line itself
        {"[open(\"\")]", ""},
        {"", ""},
        {"\n[open(\"/second-line.vlmr\")]", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileOfOpenMacro(QString::fromUtf8(c.macro)), QString::fromUtf8(c.file)) << c.macro;
}

TEST(OpenRequest, MacroRoundTripKeepsBlanksAndNonAsciiNames)
{
    const QString name = QStringLiteral("/tmp/Café menu  (draft).vlmr");
    EXPECT_EQ(OpenMacro(name), QStringLiteral("[open(\"/tmp/Café menu  (draft).vlmr\")]"));
    EXPECT_EQ(FileOfOpenMacro(OpenMacro(name)), name);
}

TEST(OpenRequest, FileOfCommandLine)
{
    const struct {
        QStringList args;
        std::optional<QString> file;
    } cases[] = {
        {{QStringLiteral("vellumora")}, std::nullopt},
        {{QStringLiteral("vellumora"), QStringLiteral("a.vlmr")}, QStringLiteral("a.vlmr")},
        {{QStringLiteral("vellumora"), QStringLiteral("-open"), QStringLiteral("b c.vlmr")}, QStringLiteral("b c.vlmr")},
        {{QStringLiteral("vellumora"), QStringLiteral("-open"), QStringLiteral("-dash.vlmr")},
         QStringLiteral("-dash.vlmr")},
        {{QStringLiteral("vellumora"), QStringLiteral("-open")}, std::nullopt},
        {{QStringLiteral("vellumora"), QStringLiteral("-open"), QString()}, std::nullopt},
        {{QStringLiteral("vellumora"), QStringLiteral("-x"), QStringLiteral("d.vlmr")}, QStringLiteral("d.vlmr")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileOfCommandLine(c.args), c.file) << c.args.join(QLatin1Char(' ')).toStdString();
}

} // namespace
} // namespace vlm
