# A cross build runs the tools of tools/ on the build machine: they are built
# here as a project of their own with the build machine's compiler, checked
# again at every build, so that a change to a tool's source draws anew what
# it drew. Sets what tools/ sets in a native build: ZELMAR_DRAW,
# ZELMAR_WRITE_PAGE, ZELMAR_WRITE_CASES, and ZELMAR_TOOLS to depend on.
include(ExternalProject)
set(_tools ${CMAKE_BINARY_DIR}/host-tools)
ExternalProject_Add(zelmar_host_tools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools
  BINARY_DIR ${_tools}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${_tools}/zelmar-artwork ${_tools}/zelmar-webpage ${_tools}/zelmar-cases
  USES_TERMINAL_BUILD ON)
set(ZELMAR_DRAW ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${_tools}/zelmar-artwork)
set(ZELMAR_WRITE_PAGE ${_tools}/zelmar-webpage)
set(ZELMAR_WRITE_CASES ${_tools}/zelmar-cases)
set(ZELMAR_TOOLS zelmar_host_tools ${_tools}/zelmar-artwork ${_tools}/zelmar-webpage ${_tools}/zelmar-cases)
