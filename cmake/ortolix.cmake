# Shared build settings and the two helpers every subsystem uses.

add_library(ortolix_options INTERFACE)
target_include_directories(ortolix_options INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(ortolix_options INTERFACE -Wall -Wextra)
if(ORTOLIX_WERROR)
  target_compile_options(ortolix_options INTERFACE -Werror)
endif()
# GCC 12 at -O3 reports overlapping copies inside std::string's own
# concatenation ("text" + std::string&&) that cannot happen (GCC bug 105651).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(ortolix_options INTERFACE -Wno-restrict)
endif()
if(ORTOLIX_SANITIZE)
  target_compile_options(ortolix_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(ortolix_options INTERFACE -fsanitize=address,undefined)
endif()

# ortolix_add_library(NAME SOURCES ... [DEPS ...])
# One static library per subsystem, with an explicit source list.
function(ortolix_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC ortolix_options ${ARG_DEPS})
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

# ortolix_add_test(NAME SOURCES ... [DEPS ...])
# One GoogleTest executable per subsystem; every test case becomes a ctest entry.
function(ortolix_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ortolix_options ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    ORTOLIX_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ORTOLIX_SHARED_DIR="${PROJECT_SOURCE_DIR}/../shared")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "ORTOLIX_SHARED_DIR=${PROJECT_SOURCE_DIR}/../shared")
endfunction()
