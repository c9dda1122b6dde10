// Each test process gets a temporary folder of its own, so that counting the skin loader's
// temporary files is not disturbed by other test processes running at the same time.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace {

class PrivateTempFolder : public ::testing::Environment {
public:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "trimwell-themes-XXXXXX").string();
        if (::mkdtemp(pattern.data())) {
            folder_ = pattern;
            ::setenv("TMPDIR", folder_.c_str(), 1);
        }
    }
    void TearDown() override {
        if (folder_.empty()) return;
        ::unsetenv("TMPDIR");
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

private:
    std::string folder_;
};

const auto* const kRegistered = ::testing::AddGlobalTestEnvironment(new PrivateTempFolder);

}  // namespace
