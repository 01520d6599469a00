#pragma once
// The project's own addresses and notices, kept in one place.

namespace sorabako::project {

inline constexpr wchar_t kHomePage[] = L"https://sorabako.example.org/";
inline constexpr wchar_t kSupportPageTail[] = L"software/index3.html";
inline constexpr wchar_t kRightsNotice[] = L"Copyright (C) 2021-2026 Sorabako project. All rights reserved.";
inline constexpr wchar_t kContact[] = L"support@sorabako.example.org";

}  // namespace sorabako::project
