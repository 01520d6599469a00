#include "app/AppTitle.h"

namespace sorabako {
namespace {

std::wstring& TitleStorage() {
    static std::wstring title;
    return title;
}

}  // namespace

const std::wstring& ApplicationTitle() { return TitleStorage(); }

void SetApplicationTitle(std::wstring title) { TitleStorage() = std::move(title); }

}  // namespace sorabako
