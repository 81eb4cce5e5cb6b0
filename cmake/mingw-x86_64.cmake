# Cross build of the 64-bit Windows plug-in and command with mingw-w64: the
# build that runs under a 64-bit Wine for the end-to-end checks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(ZLIB_USE_STATIC_LIBS ON)
# The header-only libraries of the command (CLI11, nlohmann-json) come from
# the build machine, through a folder that holds nothing but their headers.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw-header-libs)
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw-header-libs)
