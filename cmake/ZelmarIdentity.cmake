# What the program is called and which version it is, derived once from the
# project() line; the executable, the Windows resource, the desktop entry,
# the metainfo and the package all take it from here.

set(ZELMAR_NAME "Zelmar")
set(ZELMAR_APP_ID "org.zelmar.zelmar")
set(ZELMAR_COMMENTS "freeware...")
set(ZELMAR_RELEASE_DATE "2026-12-07")

# 1.0.0.2 is shown as 1.00.0002: the minor number in two digits, the last
# one in four.
function(zelmar_pad_left out value width)
  set(padded "${value}")
  string(LENGTH "${padded}" length)
  while(length LESS width)
    set(padded "0${padded}")
    string(LENGTH "${padded}" length)
  endwhile()
  set(${out} "${padded}" PARENT_SCOPE)
endfunction()

if(NOT DEFINED PROJECT_VERSION_TWEAK OR PROJECT_VERSION_TWEAK STREQUAL "")
  message(FATAL_ERROR "The project version needs four numbers (major.minor.patch.build)")
endif()
zelmar_pad_left(_minor "${PROJECT_VERSION_MINOR}" 2)
zelmar_pad_left(_build "${PROJECT_VERSION_TWEAK}" 4)
set(ZELMAR_VERSION_SHOWN "${PROJECT_VERSION_MAJOR}.${_minor}.${_build}")
set(ZELMAR_VERSION_COMMAS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${PROJECT_VERSION_TWEAK}")
