#pragma once
// Profile-file access for aircraft configuration files: `[section]` headers and `key=value`
// lines, read with the profile-file rules and written one value at a time without disturbing a
// single byte of the rest of the file.
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace trimwell {

// An ordered list of names that accepts duplicates and never sorts.
using TStrings = std::vector<std::string>;

class EIniFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The parsed shape of a profile file: where its sections and key lines are.
class IniDocument;

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    virtual ~TCustomIniFile() = default;
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    const std::string& FileName() const { return fileName_; }

    virtual void ListSectionNames(TStrings& names) const = 0;
    virtual void ListKeyNames(const std::string& section, TStrings& names) const = 0;
    virtual std::string ReadValue(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const = 0;
    virtual void WriteValue(const std::string& section, const std::string& key,
                            const std::string& value) = 0;
    virtual void Flush() = 0;

private:
    std::string fileName_;
};

// Reads its file at most once, on first use, so listing a whole file costs linear time.
// Writes go to disk at once through an atomic replacement; Flush has nothing left to do. A file
// that exists but cannot be read gives defaults and empty lists, and refuses every write.
class TIniFile final : public TCustomIniFile {
public:
    // Paths are UTF-8; names and values are 8-bit bytes passed through unchanged.
    explicit TIniFile(std::string fileName);
    ~TIniFile() override;

    void ListSectionNames(TStrings& names) const override;
    void ListKeyNames(const std::string& section, TStrings& names) const override;
    std::string ReadValue(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    void WriteValue(const std::string& section, const std::string& key,
                    const std::string& value) override;
    void Flush() override {}

    // The value as ReadValue finds it, without the cut to MaxValueLength: an editor that shows a
    // value to be saved back must show all of it, or saving it unchanged would cut the line.
    std::string ReadWholeValue(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const;

    // Limits of the name block that listing fills and of a value read back.
    static constexpr std::size_t NameBlockSize = 16384;
    static constexpr std::size_t MaxValueLength = 2047;

private:
    const IniDocument& document() const;
    std::optional<std::string_view> findValue(const std::string& section, const std::string& key) const;
    [[noreturn]] void failWrite() const;

    mutable std::unique_ptr<IniDocument> document_;
};

}  // namespace trimwell
