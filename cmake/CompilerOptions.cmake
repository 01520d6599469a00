# Options shared by every target of the project.
add_library(sorabako_options INTERFACE)
target_compile_features(sorabako_options INTERFACE cxx_std_20)
target_compile_definitions(sorabako_options INTERFACE
    UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00 WINVER=0x0A00)

if(MSVC)
    target_compile_options(sorabako_options INTERFACE /W4 /utf-8 /permissive- /EHsc)
    set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>" PARENT_SCOPE)
else()
    target_compile_options(sorabako_options INTERFACE -Wall -Wextra -municode)
    # One self-contained executable: no libstdc++ or winpthread DLL beside it.
    target_link_options(sorabako_options INTERFACE -municode -static -static-libgcc -static-libstdc++
                        $<$<CONFIG:Release>:-s>)
endif()
