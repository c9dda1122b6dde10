# Helpers shared by every subsystem folder.
#
# trimwell_library(name SOURCES portable.cpp ... [WIN_SOURCES x_win.cpp ...] [POSIX_SOURCES ...]
#                  [DEPS other_lib ...] [WIN_LIBS gdi32 ...])
# trimwell_native_test(name SOURCES ... DEPS ...)      GoogleTest, run natively
# trimwell_win_test(name SOURCES ... DEPS ... [GUI] [REGISTRY])   GoogleTest, run under Wine
# trimwell_host_tool(<var> name)                       path of a generator built natively
# trimwell_add_subfolders(dir)                         add_subdirectory for each child with a CMakeLists.txt

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_library(trimwell_options INTERFACE)
target_compile_options(trimwell_options INTERFACE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
target_include_directories(trimwell_options INTERFACE ${PROJECT_SOURCE_DIR})
if(WIN32)
  target_compile_definitions(trimwell_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                             _WIN32_WINNT=0x0601 WINVER=0x0601)
  if(MINGW)
    # One self-contained program: the C and C++ runtimes and winpthreads are linked in.
    target_link_options(trimwell_options INTERFACE -static -static-libgcc -static-libstdc++)
  endif()
endif()
if(TRIMWELL_SANITIZE)
  target_compile_options(trimwell_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                         -fno-sanitize-recover=undefined)
  target_link_options(trimwell_options INTERFACE -fsanitize=address,undefined)
endif()
if(TRIMWELL_FUZZ)
  target_compile_options(trimwell_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                         -fno-omit-frame-pointer)
  target_link_options(trimwell_options INTERFACE -fsanitize=address,undefined)
endif()

function(trimwell_library name)
  cmake_parse_arguments(A "" "" "SOURCES;WIN_SOURCES;POSIX_SOURCES;DEPS;WIN_LIBS" ${ARGN})
  set(srcs ${A_SOURCES})
  if(WIN32)
    list(APPEND srcs ${A_WIN_SOURCES})
  else()
    list(APPEND srcs ${A_POSIX_SOURCES})
  endif()
  add_library(${name} STATIC ${srcs})
  target_link_libraries(${name} PUBLIC trimwell_options ${A_DEPS})
  if(WIN32 AND A_WIN_LIBS)
    target_link_libraries(${name} PUBLIC ${A_WIN_LIBS})
  endif()
endfunction()

if(NOT WIN32 AND NOT TRIMWELL_FUZZ)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(trimwell_native_test name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE trimwell_options ${A_DEPS} GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE TRIMWELL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} TEST_PREFIX "native." DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "TRIMWELL_HOST_BIN=${CMAKE_BINARY_DIR}/bin")
endfunction()

# GoogleTest for the Windows build is compiled from the sources Debian's googletest package installs.
if(WIN32 AND NOT TARGET gtest)
  set(TRIMWELL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TRIMWELL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  target_link_options(gtest PUBLIC -static)
endif()

# Each Windows test program is one CTest entry, run through the Wine wrapper
# (CMAKE_CROSSCOMPILING_EMULATOR) in the build's private prefix.
function(trimwell_win_test name)
  cmake_parse_arguments(A "GUI;REGISTRY" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE trimwell_options ${A_DEPS} gtest_main)
  target_compile_definitions(${name} PRIVATE TRIMWELL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME win.${name} COMMAND ${name})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  set_tests_properties(win.${name} PROPERTIES TIMEOUT ${A_TIMEOUT})
  # GUI programs share one X display and the prefix's registry (the demo simulator's entry);
  # tests that change the registry must not run beside them.
  if(A_GUI)
    set_tests_properties(win.${name} PROPERTIES RESOURCE_LOCK "display;registry")
  elseif(A_REGISTRY)
    set_tests_properties(win.${name} PROPERTIES RESOURCE_LOCK registry)
  endif()
endfunction()

# Generators are portable programs built by the native tree; the cross build runs them from there.
set(TRIMWELL_HOST_BUILD "" CACHE PATH "Native build folder whose bin/ holds the generators (cross builds)")
function(trimwell_host_tool var name)
  if(CMAKE_CROSSCOMPILING)
    if(NOT TRIMWELL_HOST_BUILD)
      message(FATAL_ERROR "Cross build: set TRIMWELL_HOST_BUILD to a native build folder (make does this)")
    endif()
    set(${var} ${TRIMWELL_HOST_BUILD}/bin/${name} PARENT_SCOPE)
  else()
    set(${var} $<TARGET_FILE:${name}> PARENT_SCOPE)
  endif()
endfunction()

function(trimwell_add_subfolders dir)
  file(GLOB children LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/${dir}/*)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# trimwell_folder_library(name [DEPS ...] [WIN_LIBS ...])
# A subsystem folder's library from its files: *.cpp everywhere, *_win.cpp only on Windows,
# *_posix.cpp only elsewhere. New files join the library without editing any list.
function(trimwell_folder_library name)
  cmake_parse_arguments(A "" "" "DEPS;WIN_LIBS" ${ARGN})
  file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(portable "")
  set(win "")
  set(posix "")
  foreach(f ${all})
    if(f MATCHES "_win\\.cpp$")
      list(APPEND win ${f})
    elseif(f MATCHES "_posix\\.cpp$")
      list(APPEND posix ${f})
    else()
      list(APPEND portable ${f})
    endif()
  endforeach()
  if(WIN32)
    set(effective ${portable} ${win})
  else()
    set(effective ${portable} ${posix})
  endif()
  if(NOT effective)
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE trimwell_options ${A_DEPS})
    return()
  endif()
  trimwell_library(${name} SOURCES ${portable} WIN_SOURCES ${win} POSIX_SOURCES ${posix}
                   DEPS ${A_DEPS} WIN_LIBS ${A_WIN_LIBS})
endfunction()
