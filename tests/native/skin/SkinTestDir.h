#pragma once
// A private folder per test, also used as the temporary folder so that leftovers can be counted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace trimwell::testing {

class SkinTestDir : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("trimwell-skin-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(dir_ / "tmp");
        ::setenv("TMPDIR", (dir_ / "tmp").c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("TMPDIR");
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    bool TempFolderEmpty() const { return std::filesystem::is_empty(dir_ / "tmp"); }

    std::filesystem::path dir_;
};

}  // namespace trimwell::testing
