#include "platform/Accessibility.h"

#include <initguid.h>  // defines the property identifiers below, as the oleacc header asks
#include <oleacc.h>
#include <wrl/client.h>

#include <iterator>
#include <utility>

namespace sorabako {
namespace {

AnnotationWatcher& Watcher() {
    static AnnotationWatcher watcher;
    return watcher;
}

std::optional<bool>& HighContrastAnswer() {
    static std::optional<bool> answer;
    return answer;
}

void Tell(HWND window, const AccessibleAnnotation& annotation) {
    if (Watcher()) Watcher()(window, annotation);
}

// Each property is told to the watcher as it goes to the system's service, alone.
void SetText(IAccPropServices* service, HWND window, const MSAAPROPID& property, const std::wstring& text,
             const AccessibleAnnotation& told) {
    if (!service) return;
    Tell(window, told);
    service->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property,
                            const_cast<wchar_t*>(text.c_str()));
}

void SetRole(IAccPropServices* service, HWND window, long role) {
    if (!service) return;
    Tell(window, AccessibleAnnotation{{}, role, {}});
    VARIANT value{};
    value.vt = VT_I4;
    value.lVal = role;
    service->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE, value);
}

void Clear(IAccPropServices* service, HWND window) {
    if (!service) return;
    Tell(window, AccessibleAnnotation{});
    const MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE, PROPID_ACC_DESCRIPTION};
    service->ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, properties,
                            static_cast<int>(std::size(properties)));
}

}  // namespace

AccessibleAnnotations::AccessibleAnnotations() = default;

AccessibleAnnotations::~AccessibleAnnotations() {
    ClearAll();
}

AccessibleAnnotations::AccessibleAnnotations(AccessibleAnnotations&& other) noexcept
    : service_(std::move(other.service_)),
      serviceAsked_(std::exchange(other.serviceAsked_, false)),
      annotated_(std::exchange(other.annotated_, {})) {}

AccessibleAnnotations& AccessibleAnnotations::operator=(AccessibleAnnotations&& other) noexcept {
    if (this != &other) {
        ClearAll();
        service_ = std::move(other.service_);
        serviceAsked_ = std::exchange(other.serviceAsked_, false);
        annotated_ = std::exchange(other.annotated_, {});
    }
    return *this;
}

IAccPropServices* AccessibleAnnotations::Service() {
    if (!serviceAsked_) {
        serviceAsked_ = true;
        ::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                           reinterpret_cast<void**>(service_.GetAddressOf()));
    }
    return service_.Get();
}

void AccessibleAnnotations::Annotate(HWND window, const AccessibleAnnotation& annotation) {
    annotated_.push_back(window);
    IAccPropServices* service = Service();
    if (!annotation.name.empty())
        SetText(service, window, PROPID_ACC_NAME, annotation.name, AccessibleAnnotation{annotation.name, 0, {}});
    if (annotation.role != 0) SetRole(service, window, annotation.role);
    if (!annotation.description.empty())
        SetText(service, window, PROPID_ACC_DESCRIPTION, annotation.description,
                AccessibleAnnotation{{}, 0, annotation.description});
}

void AccessibleAnnotations::ClearAll() noexcept {
    for (HWND window : std::exchange(annotated_, {})) Clear(service_.Get(), window);
}

void SetAnnotationWatcher(AnnotationWatcher watcher) {
    Watcher() = std::move(watcher);
}

bool IsHighContrastOn() {
    if (HighContrastAnswer()) return *HighContrastAnswer();
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

void SetHighContrastForTests(std::optional<bool> on) {
    HighContrastAnswer() = on;
}

}  // namespace sorabako
