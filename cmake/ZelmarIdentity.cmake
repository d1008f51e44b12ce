# What the program is called and which version it is, derived once from the
# project() line; the executable, the Windows resource, the desktop entry,
# the metainfo and the package all take it from here.

set(ZELMAR_NAME "Zelmar")
set(ZELMAR_APP_ID "org.zelmar.zelmar")
set(ZELMAR_COMMENTS "freeware...")
set(ZELMAR_RELEASE_DATE "2026-12-07")
# Who publishes it: the package's vendor and maintainer, the executable's
# company and copyright, the installer's publisher, the metainfo's developer.
set(ZELMAR_PUBLISHER "The Zelmar developers")

# The maintainers' address is in the domain the application id names
# (org.zelmar.zelmar: zelmar.org).
string(REPLACE "." ";" _id_parts "${ZELMAR_APP_ID}")
list(GET _id_parts 0 _top)
list(GET _id_parts 1 _domain)
set(ZELMAR_MAINTAINER "${ZELMAR_PUBLISHER} <developers@${_domain}.${_top}>")
# The publisher as AppStream names a developer: the reverse domain.
set(ZELMAR_DEVELOPER_ID "${_top}.${_domain}")

# The release date as Debian's changelog and the manual page want it:
# "Mon, 07 Dec 2026 00:00:00 +0000" and "December 2026". The weekday is
# worked out with Sakamoto's rule.
if(NOT ZELMAR_RELEASE_DATE MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
  message(FATAL_ERROR "ZELMAR_RELEASE_DATE must be YYYY-MM-DD")
endif()
set(_year ${CMAKE_MATCH_1})
math(EXPR _month_index "${CMAKE_MATCH_2} - 1")
set(_day ${CMAKE_MATCH_3})
set(_month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
list(GET _month_offsets ${_month_index} _offset)
set(_y ${_year})
if(_month_index LESS 2)
  math(EXPR _y "${_year} - 1")
endif()
math(EXPR _weekday "(${_y} + ${_y} / 4 - ${_y} / 100 + ${_y} / 400 + ${_offset} + ${_day}) % 7")
set(_weekdays Sun Mon Tue Wed Thu Fri Sat)
list(GET _weekdays ${_weekday} _weekday_name)
set(_months January February March April May June July August September October November December)
list(GET _months ${_month_index} _month_name)
string(SUBSTRING "${_month_name}" 0 3 _month_short)
set(ZELMAR_RELEASE_DATE_RFC2822 "${_weekday_name}, ${_day} ${_month_short} ${_year} 00:00:00 +0000")
set(ZELMAR_RELEASE_MONTH "${_month_name} ${_year}")

# The one time a release carries (its files' times, the executables' time
# stamps): midnight UTC of the release date, in seconds since 1970 as
# SOURCE_DATE_EPOCH, the variable the reproducible-builds tools read. One
# set in the environment wins. Days since 1970 from the civil date (March
# as the year's first month, so that leap days fall at the end).
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  set(ZELMAR_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  math(EXPR _march_month "(${_month_index} + 10) % 12")
  math(EXPR _day_of_year "(153 * ${_march_month} + 2) / 5 + ${_day} - 1")
  math(EXPR _days "${_y} * 365 + ${_y} / 4 - ${_y} / 100 + ${_y} / 400 + ${_day_of_year} - 719468")
  math(EXPR ZELMAR_SOURCE_DATE_EPOCH "${_days} * 86400")
endif()
# For the scripts that pack what the build made.
set(ZELMAR_SOURCE_DATE_EPOCH ${ZELMAR_SOURCE_DATE_EPOCH} CACHE INTERNAL "The release's time, for its archives")

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
