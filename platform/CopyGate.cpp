#include "platform/CopyGate.h"

namespace sorabako {
namespace {

constexpr DWORD kLookEveryMs = 10;

}  // namespace

std::wstring CopyGateName(DWORD processId) {
    return L"SorabakoCopyGate." + std::to_wstring(processId);
}

std::unique_ptr<GatedFileOperations> GatedFileOperations::Open(FileOperations& inner) {
    UniqueKernelHandle gate(::OpenEventW(SYNCHRONIZE, FALSE, CopyGateName(::GetCurrentProcessId()).c_str()));
    if (!gate) return nullptr;
    return std::unique_ptr<GatedFileOperations>(new GatedFileOperations(inner, std::move(gate)));
}

DWORD GatedFileOperations::Copy(const std::wstring& from, const std::wstring& to, ExistingTarget existing,
                                const CopyTick& tick) {
    while (!passed_) {
        if (!tick(0, 0)) return ERROR_REQUEST_ABORTED;
        passed_ = ::WaitForSingleObject(gate_.Get(), kLookEveryMs) == WAIT_OBJECT_0;
    }
    return inner_.Copy(from, to, existing, tick);
}

}  // namespace sorabako
