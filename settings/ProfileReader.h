#pragma once
// Reads the settings file through the system's profile reader, so that a
// missing or unreadable file simply gives the defaults.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace sorabako {

class ProfileSection;

class ProfileReader {
public:
    explicit ProfileReader(std::wstring path) : path_(std::move(path)) {}
    // Asks the system to drop its cached copy of the file.
    ~ProfileReader();
    ProfileReader(const ProfileReader&) = delete;
    ProfileReader& operator=(const ProfileReader&) = delete;

    // One key by name. At most 2047 characters; a longer value is cut.
    std::wstring ReadText(const std::wstring& section, const std::wstring& key,
                          const std::wstring& defaultValue = {}) const;
    std::int32_t ReadInteger(const std::wstring& section, const std::wstring& key, std::int32_t defaultValue) const;
    bool ReadFlag(const std::wstring& section, const std::wstring& key, bool defaultValue) const;

    // A whole section in one read, answering for each key what a read by
    // name gives. The system reads (and, on Windows, parses) the whole file
    // on every call, so a large history would make key-by-key reads of the
    // other sections cost a pass over the file each.
    ProfileSection ReadSection(const std::wstring& section) const;

private:
    std::wstring path_;
};

class ProfileSection {
public:
    // The value of key, nullopt when the section has no such key.
    std::optional<std::wstring> Value(const std::wstring& key) const;
    std::wstring ReadText(const std::wstring& key, const std::wstring& defaultValue = {}) const;
    std::int32_t ReadInteger(const std::wstring& key, std::int32_t defaultValue) const;
    bool ReadFlag(const std::wstring& key, bool defaultValue) const;
    // For every key in file order, repeated names included, its value.
    const std::vector<std::wstring>& Values() const { return values_; }

private:
    friend class ProfileReader;
    ProfileSection() = default;

    std::vector<std::wstring> values_;
    std::unordered_map<std::wstring, std::wstring> byName_;  // upper-cased name → value of its first line
};

}  // namespace sorabako
