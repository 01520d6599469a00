#pragma once
// Reads the settings file one key at a time through the system's profile
// reader, so that a missing or unreadable file simply gives the defaults.
#include <cstdint>
#include <string>
#include <vector>

namespace sorabako {

class ProfileReader {
public:
    explicit ProfileReader(std::wstring path) : path_(std::move(path)) {}
    // Asks the system to drop its cached copy of the file.
    ~ProfileReader();
    ProfileReader(const ProfileReader&) = delete;
    ProfileReader& operator=(const ProfileReader&) = delete;

    // At most 2047 characters; a longer value is cut.
    std::wstring ReadText(const std::wstring& section, const std::wstring& key,
                          const std::wstring& defaultValue = {}) const;
    std::int32_t ReadInteger(const std::wstring& section, const std::wstring& key, std::int32_t defaultValue) const;
    bool ReadFlag(const std::wstring& section, const std::wstring& key, bool defaultValue) const;
    // The key names of a section in file order, repeated names included.
    std::vector<std::wstring> KeyNames(const std::wstring& section) const;
    // ReadText of each key, in order, with the same results, from one read of
    // the whole section: reading key by key makes a long section quadratic.
    std::vector<std::wstring> ReadTexts(const std::wstring& section, const std::vector<std::wstring>& keys) const;

private:
    std::wstring path_;
};

}  // namespace sorabako
