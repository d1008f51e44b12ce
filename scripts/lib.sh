# Shared by the scripts: installing Debian packages when they are missing, and
# running a step that shows its output only if it fails.
# shellcheck shell=bash

as_root() {
  if [ "$(id -u)" = 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "error: '$*' needs root, and sudo is not available" >&2
    return 1
  fi
}

# quiet COMMAND...: runs it, showing its output only if it fails.
quiet() {
  local log
  if ! log=$("$@" 2>&1); then
    echo "$log" >&2
    echo "error: failed: $*" >&2
    return 1
  fi
}

# cache_value BUILD NAME: a variable of a configured build, as its cache has it.
cache_value() {
  sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt"
}

# ensure_packages PKG...: installs those that are missing, quietly.
ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if ! command -v apt-get >/dev/null 2>&1; then
    echo "error: missing packages (${missing[*]}) and no apt-get: this script needs Debian 12 or 13" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq >/dev/null
  local log
  log=$(mktemp -t zelmar-apt.XXXXXX)
  if ! as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >"$log" 2>&1; then
    echo "error: could not install ${missing[*]}; see $log" >&2
    tail -5 "$log" >&2
    return 1
  fi
  rm -f "$log"
}

# What building the program needs.
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins fonts-liberation2)
# What the test suite needs on top.
TEST_PACKAGES=(git libgtest-dev locales clang-format clang-tidy xvfb libx11-dev desktop-file-utils appstream
  dpkg-dev file binutils-mingw-w64-x86-64 libbenchmark-dev libxtst-dev libxdamage-dev dbus at-spi2-core
  python3-pyatspi xdotool lintian devscripts man-db openssl osslsigncode)

# What building the Windows program, its installer and its tests needs: the
# MinGW-w64 cross compiler, GoogleTest's sources, NSIS, and Wine with a
# private X server to run the tests; zip for the portable zip. The artwork tool for the build machine
# needs BUILD_PACKAGES too.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest nsis zip wine wine64 xvfb
  xdotool x11-utils unzip file)

# What the page needs: Emscripten (which brings Node.js), and for its tests
# Debian's Chromium, Firefox ESR and npm (see ensure_npm). The tools that write the page
# and draw its pictures need BUILD_PACKAGES too.
WEB_PACKAGES=(emscripten chromium firefox-esr)

# What making a release needs on top of the three builds': the Debian
# package's tools, and the signing tool (used only when a certificate is
# given).
RELEASE_PACKAGES=(dpkg-dev file osslsigncode)

# ensure_npm: Debian's npm, unless an npm is already at hand (one that came
# with another Node.js, which Debian's npm would conflict with).
ensure_npm() {
  command -v npm >/dev/null 2>&1 || ensure_packages nodejs npm
}

# A comma locale, so that the tests can show that the C locale changes nothing.
ensure_comma_locale() {
  locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$' && return 0
  as_root localedef -i it_IT -f UTF-8 it_IT.UTF-8 >/dev/null 2>&1 ||
    echo "note: could not generate it_IT.UTF-8; the C-locale test will be skipped" >&2
}
