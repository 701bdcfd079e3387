#include "app/cli_open.h"

#include "app/cli_texts.h"

#include "model/document_file.h"
#include "texts/file_texts.h"
#include "texts/render_item_texts.h"

#include <filesystem>
#include <ostream>

namespace vlm::cli {

namespace {

// The answers a user would give in the program, taken from the command line.
class CliPrompts final : public FilePrompts {
public:
    CliPrompts(const Context& ctx, const std::string& path) : ctx_(ctx), path_(path) {}
    bool askOpenInvalidFile() override
    {
        ctx_.err << path_ << (ctx_.yes ? texts::kAcceptedInvalid : texts::kDeclinedInvalid) << '\n';
        declined_ = !ctx_.yes;
        return ctx_.yes;
    }
    void warnNewerVersion() override { ctx_.err << vlm::texts::kNewerVersion << '\n'; }
    void reportReadError(const std::string& systemText) override
    {
        ctx_.err << texts::kCannotRead << path_ << ": " << systemText << '\n';
        reported_ = true;
    }
    void noteHeaderAdded() override { ctx_.err << vlm::texts::kHeaderAdded << '\n'; }
    bool explained() const { return declined_ || reported_; }

private:
    const Context& ctx_;
    const std::string& path_;
    bool declined_ = false;
    bool reported_ = false;
};

} // namespace

bool OpenForCommand(const Context& ctx, const std::string& path, Document& doc)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        ctx.err << texts::kNoSuchFile << path << '\n';
        return false;
    }
    doc.items.setMetrics(ctx.screen);
    CliPrompts prompts(ctx, path);
    if (!ReadDocument(path, doc.items, prompts)) {
        if (!prompts.explained())
            ctx.err << texts::kCannotRead << path << '\n';
        return false;
    }
    return true;
}

Item* openPageForCommand(const Context& ctx, const std::string& path, Document& doc)
{
    if (!OpenForCommand(ctx, path, doc))
        return nullptr;
    Item* header = Header(doc.items);
    if (!header)
        ctx.err << vlm::texts::kNoPage << '\n';
    return header;
}

std::unique_ptr<QGuiApplication> EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "vellumora-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace vlm::cli
