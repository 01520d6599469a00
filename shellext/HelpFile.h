#pragma once
#include "platform/PathText.h"

#include <string>

namespace sorabako {

// The compiled help file ships beside the executable under its name.
inline std::wstring HelpFilePath(const std::wstring& executable) {
    return ReplaceExtension(executable, L".chm");
}

}  // namespace sorabako
