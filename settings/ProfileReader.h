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
    // For every key of a section in file order, repeated names included, the
    // value that ReadText gives for its name. One read of the whole section
    // serves them all: listing the names and reading each by name costs a
    // pass over the file per key.
    std::vector<std::wstring> ReadSectionValues(const std::wstring& section) const;

private:
    std::wstring path_;
};

}  // namespace sorabako
