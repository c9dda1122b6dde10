// Each test process gets a temporary folder of its own, so that counting the skin loader's
// temporary files is not disturbed by other test processes running at the same time (under Wine
// the editor's tests load both windows' skins through the same temporary folder).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <stdlib.h>
#endif

namespace {

namespace fs = std::filesystem;

class PrivateTempFolder : public ::testing::Environment {
public:
    void SetUp() override {
#ifdef _WIN32
        const fs::path folder = fs::temp_directory_path() / ("trimwell-themes-" + std::to_string(GetCurrentProcessId()));
        std::error_code ec;
        if (!fs::create_directories(folder, ec) && !fs::is_directory(folder)) return;
        folder_ = folder;
        SetEnvironmentVariableW(L"TMP", (folder_.wstring() + L"\\").c_str());
#else
        std::string pattern = (fs::temp_directory_path() / "trimwell-themes-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) return;
        folder_ = pattern;
        ::setenv("TMPDIR", pattern.c_str(), 1);
#endif
    }
    void TearDown() override {
        if (folder_.empty()) return;
#ifdef _WIN32
        SetEnvironmentVariableW(L"TMP", nullptr);
#else
        ::unsetenv("TMPDIR");
#endif
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

private:
    fs::path folder_;
};

// The test framework takes ownership of registered environments.
const auto* const kRegistered = ::testing::AddGlobalTestEnvironment(new PrivateTempFolder);

}  // namespace
