# How every target of ours compiles and links: each links
# zelmar_build_options, and nothing is set for the whole build, so that
# what the build takes in from elsewhere (GoogleTest's sources for Windows)
# keeps its own options.
#   - the warnings, as errors where ZELMAR_WARNINGS_AS_ERRORS says so;
#   - on Windows (MinGW), Windows 10's calls (per-monitor DPI) and UTF-16
#     throughout;
#   - AddressSanitizer and UndefinedBehaviorSanitizer where ZELMAR_SANITIZE
#     says so;
#   - the platform's exploit protections (ZelmarHardening.cmake).
add_library(zelmar_build_options INTERFACE)
add_library(Zelmar::build_options ALIAS zelmar_build_options)
target_compile_options(zelmar_build_options INTERFACE -Wall -Wextra -Wpedantic
                       $<$<BOOL:${ZELMAR_WARNINGS_AS_ERRORS}>:-Werror>
                       # GCC 12's -Wrestrict at -O3 takes std::string's inlined
                       # copies for overlapping copies of 2^63 bytes, a false
                       # positive; the sanitised build checks real overlaps.
                       $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>)
if(WIN32 AND NOT MSVC)
  target_compile_definitions(zelmar_build_options INTERFACE _WIN32_WINNT=0x0A00 WINVER=0x0A00 UNICODE _UNICODE)
endif()
if(ZELMAR_SANITIZE)
  target_compile_options(zelmar_build_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                        -fno-sanitize-recover=all)
  target_link_options(zelmar_build_options INTERFACE -fsanitize=address,undefined)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/ZelmarHardening.cmake)
