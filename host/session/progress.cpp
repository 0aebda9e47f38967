#include "session/progress.h"

#include <filesystem>

namespace qxhost::session {

namespace {

class Quiet final : public Progress {
public:
    void begin(std::string, std::uint64_t) override {}
    void advance(std::uint64_t) override {}
    void begin_timed(std::string) override {}
    void end() override {}
};

}  // namespace

Progress& quiet()
{
    static Quiet shows_nothing;
    return shows_nothing;
}

std::function<void(std::uint64_t)> reading_file(Progress& progress, const std::string& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    progress.begin("reading " + path, error ? 0 : size);
    return [&progress](std::uint64_t done) { progress.advance(done); };
}

}  // namespace qxhost::session
