# A cross build runs the tools of tools/ and the cases writer of tests/common
# on the build machine: they are built here as a project of their own
# (cmake/host) with the build machine's compiler, checked
# again at every build, so that a change to a tool's source draws anew what
# it drew. Sets what tools/ sets in a native build: ZELMAR_DRAW,
# ZELMAR_WRITE_PAGE, ZELMAR_WRITE_CASES, and ZELMAR_TOOLS to depend on.
include(ExternalProject)
set(_tools ${CMAKE_BINARY_DIR}/host-tools)
ExternalProject_Add(zelmar_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/cmake/host
  BINARY_DIR ${_tools}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${_tools}/tools/zelmar-artwork ${_tools}/tools/zelmar-webpage ${_tools}/test-support/zelmar-cases
  USES_TERMINAL_BUILD ON)
set(ZELMAR_DRAW ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${_tools}/tools/zelmar-artwork)
set(ZELMAR_WRITE_PAGE ${_tools}/tools/zelmar-webpage)
set(ZELMAR_WRITE_CASES ${_tools}/test-support/zelmar-cases)
set(ZELMAR_TOOLS zelmar_host_tools ${_tools}/tools/zelmar-artwork ${_tools}/tools/zelmar-webpage
                 ${_tools}/test-support/zelmar-cases)
