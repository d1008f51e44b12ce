# The exploit protections, set here once for every target of ours (on
# zelmar_build_options, ZelmarBuildOptions.cmake).
#
# On Linux they are the ones Debian builds its own packages with
# (dpkg-buildflags with hardening=+all): a position-independent executable,
# stack protector, fortified libc calls, stack clash protection, Intel CET
# branch markers and read-only relocations bound at start-up. On Windows
# MinGW-w64 gives the stack protector and the fortified calls (from its
# libssp); ASLR, high-entropy ASLR and DEP are its linker's defaults, and
# its stack probes already do what stack clash protection does elsewhere.
#
# ZELMAR_HARDENED is set when every protection is in: an optimised build
# (fortified calls need the optimiser's object sizes) without the
# sanitisers, which bring their own checks and clash with the fortified
# calls. The checks of the shipped executable run only then.

option(ZELMAR_HARDENING "Build with the platform's exploit protections" ON)

set(ZELMAR_HARDENED OFF)
if(NOT ZELMAR_HARDENING OR EMSCRIPTEN OR MSVC)
  return()
endif()

set(_instrumented OFF)
if(ZELMAR_SANITIZE OR ZELMAR_BUILD_FUZZERS)
  set(_instrumented ON)
endif()

include(CheckPIESupported)
check_pie_supported(LANGUAGES C CXX)
set_property(TARGET zelmar_build_options PROPERTY INTERFACE_POSITION_INDEPENDENT_CODE ON)

target_compile_options(zelmar_build_options INTERFACE -fstack-protector-strong)
target_link_options(zelmar_build_options INTERFACE -fstack-protector-strong)
if(NOT _instrumented)
  # Only with the optimiser: without it glibc warns and checks nothing.
  target_compile_definitions(zelmar_build_options INTERFACE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=3>)
endif()
if(NOT WIN32)
  target_compile_options(zelmar_build_options INTERFACE -fstack-clash-protection)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i[3-6]86)$")
    target_compile_options(zelmar_build_options INTERFACE -fcf-protection)
  endif()
  target_link_options(zelmar_build_options INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()

if(NOT _instrumented AND CMAKE_BUILD_TYPE MATCHES "^(Release|MinSizeRel|RelWithDebInfo)$")
  set(ZELMAR_HARDENED ON)
endif()
unset(_instrumented)
