# The build machine's tools (those of tools/ and the cases writer of
# tests/common), between builds.
#
# A native build, and the host-tools project below, lend theirs: the folder
# holds zelmar-host-tools.cmake, which names them.
#
# A cross build runs them on the build machine. Sets what tools/ sets in a
# native build: ZELMAR_DRAW, ZELMAR_WRITE_PAGE, ZELMAR_WRITE_CASES, and
# ZELMAR_TOOLS to depend on. By default it builds them as a project of their
# own (cmake/host) with the build machine's compiler, checked again at every
# build, so that a change to a tool's source draws anew what it drew. Named
# by ZELMAR_HOST_TOOLS, a built folder that lends them (a native build, or
# another cross build's host-tools) saves building them once more: the
# build brings that folder's tools up to date, and uses them.
set(_lent_tools zelmar-host-tools.cmake)
if(NOT CMAKE_CROSSCOMPILING)
  set(_tools zelmar-artwork zelmar-webpage)
  if(TARGET zelmar-cases)
    list(APPEND _tools zelmar-cases)
  endif()
  export(TARGETS ${_tools} NAMESPACE ZelmarHost:: FILE ${CMAKE_BINARY_DIR}/${_lent_tools})
  return()
endif()

set(ZELMAR_HOST_TOOLS "" CACHE PATH "A built folder whose tools the build borrows (a native build, or a cross build's host-tools)")
if(ZELMAR_HOST_TOOLS)
  get_filename_component(_lender ${ZELMAR_HOST_TOOLS} ABSOLUTE)
  if(NOT EXISTS ${_lender}/${_lent_tools})
    message(FATAL_ERROR "ZELMAR_HOST_TOOLS: ${_lender} lends no tools (no ${_lent_tools}); "
                        "configure and build a native build there first")
  endif()
  include(${_lender}/${_lent_tools})
  set(_borrowed zelmar-artwork zelmar-webpage)
  if(TARGET ZelmarHost::zelmar-cases)
    list(APPEND _borrowed zelmar-cases)
  elseif(ZELMAR_BUILD_TESTS OR ZELMAR_BUILD_BENCHMARKS)
    message(FATAL_ERROR "ZELMAR_HOST_TOOLS: ${_lender} lends no cases writer, which the tests and benchmarks need "
                        "(a build with neither)")
  endif()
  # Where each lent tool is, as a file (the lender's one configuration).
  foreach(tool IN LISTS _borrowed)
    get_target_property(_configs ZelmarHost::${tool} IMPORTED_CONFIGURATIONS)
    list(GET _configs 0 _config)
    get_target_property(${tool} ZelmarHost::${tool} IMPORTED_LOCATION_${_config})
  endforeach()
  # The lender's tools brought up to date first, at every build, as the
  # project of their own would be.
  add_custom_target(zelmar_host_tools
    COMMAND ${CMAKE_COMMAND} --build ${_lender} --target ${_borrowed}
    BYPRODUCTS ${zelmar-artwork} ${zelmar-webpage} ${zelmar-cases}
    COMMENT "Bringing the build machine's tools in ${_lender} up to date"
    USES_TERMINAL VERBATIM)
else()
  include(ExternalProject)
  set(_tools ${CMAKE_BINARY_DIR}/host-tools)
  set(zelmar-artwork ${_tools}/tools/zelmar-artwork)
  set(zelmar-webpage ${_tools}/tools/zelmar-webpage)
  set(zelmar-cases ${_tools}/test-support/zelmar-cases)
  ExternalProject_Add(zelmar_host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/cmake/host
    BINARY_DIR ${_tools}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${zelmar-artwork} ${zelmar-webpage} ${zelmar-cases}
    USES_TERMINAL_BUILD ON)
endif()
set(ZELMAR_DRAW ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ${zelmar-artwork})
set(ZELMAR_WRITE_PAGE ${zelmar-webpage})
set(ZELMAR_WRITE_CASES ${zelmar-cases})
set(ZELMAR_TOOLS zelmar_host_tools ${zelmar-artwork} ${zelmar-webpage} ${zelmar-cases})
