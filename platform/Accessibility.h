#pragma once
// What screen readers and users of high contrast need from the system: names
// and roles for windows that their own text and class do not give, set
// through the system's annotation service so that nothing on screen moves,
// and whether high contrast is on.
#include <windows.h>
#include <wrl/client.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct IAccPropServices;

namespace sorabako {

// What a reader is told about a window's client object. An empty text or a
// zero role leaves that property as the system reports it.
struct AccessibleAnnotation {
    std::wstring name;
    long role = 0;  // a ROLE_SYSTEM_* value
    std::wstring description;
};

// Holds the annotations it made; they are cleared when it goes, so that a
// window handle used again later does not inherit them.
class AccessibleAnnotations {
public:
    AccessibleAnnotations();
    ~AccessibleAnnotations();
    AccessibleAnnotations(AccessibleAnnotations&& other) noexcept;
    AccessibleAnnotations& operator=(AccessibleAnnotations&& other) noexcept;
    AccessibleAnnotations(const AccessibleAnnotations&) = delete;
    AccessibleAnnotations& operator=(const AccessibleAnnotations&) = delete;

    // A system without the service leaves the window as it is: readers then
    // hear what they heard before, and nothing else changes.
    void Annotate(HWND window, const AccessibleAnnotation& annotation);
    void ClearAll() noexcept;

private:
    IAccPropServices* Service();

    // Asked for once, at the first annotation, and kept for the clearing.
    Microsoft::WRL::ComPtr<IAccPropServices> service_;
    bool serviceAsked_ = false;
    std::vector<HWND> annotated_;
};

// Every property on its way to the system's service passes here, each in an
// annotation of its own, and every clearing as an empty annotation; nothing
// passes where there is no service. Wine's service keeps nothing, so tests
// read what the program handed it here; the program itself sets no watcher.
using AnnotationWatcher = std::function<void(HWND, const AccessibleAnnotation&)>;
void SetAnnotationWatcher(AnnotationWatcher watcher);

// SPI_GETHIGHCONTRAST: the user has turned high contrast on.
bool IsHighContrastOn();
// Wine cannot turn high contrast on; tests answer for the system here
// (nullopt asks the system again). The program itself never sets it.
void SetHighContrastForTests(std::optional<bool> on);

}  // namespace sorabako
