#pragma once
// The calling thread's single-threaded COM apartment for one scope. S_FALSE
// (already initialised) is a success that also needs its CoUninitialize.
#include <objbase.h>

namespace sorabako {

class ComApartment {
public:
    ComApartment() noexcept : initialized_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() { if (initialized_) ::CoUninitialize(); }

private:
    bool initialized_;
};

}  // namespace sorabako
