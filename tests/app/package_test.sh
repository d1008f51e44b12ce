#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch directory and checks
# its layout and that it depends on the libraries the executable uses; then
# has Debian's own checker read it, where any error or warning fails.
#   package_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
app_id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb=$(find "$work" -maxdepth 1 -name "zelmar_${ZELMAR_VERSION}_*.deb" | head -1)
[ -n "$deb" ] || { echo "FAIL: no zelmar_$ZELMAR_VERSION package was built" >&2; ls "$work" >&2; exit 1; }
dpkg-deb -x "$deb" "$work/root"
for path in usr/bin/Zelmar "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
            "usr/share/icons/hicolor/48x48/apps/$app_id.png" usr/share/doc/zelmar/changelog.gz \
            usr/share/man/man1/Zelmar.1.gz; do
  [ -f "$work/root/$path" ] || { echo "FAIL: the package lacks /$path" >&2; exit 1; }
done
# The copyright file in Debian's machine-readable format, with the whole
# licence, whose text matches LICENSE line by line.
copyright=$work/root/usr/share/doc/zelmar/copyright
[ -f "$copyright" ] || { echo "FAIL: the package lacks /usr/share/doc/zelmar/copyright" >&2; exit 1; }
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' "$copyright"
grep -q '^License: Expat$' "$copyright"
licence=$(tac "$copyright" | sed '/^License: Expat$/q' | tac | tail -n +2 | sed -e 's/^ //' -e 's/^\.$//')
diff <(echo "$licence") "$(dirname "$0")/../../LICENSE" ||
  { echo "FAIL: the copyright file's licence differs from LICENSE" >&2; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6 qt6-qpa-plugins; do
  grep -q "$library" <<<"$depends" || { echo "FAIL: Depends lacks $library: $depends" >&2; exit 1; }
done
[ "$(dpkg-deb -f "$deb" Version)" = "$ZELMAR_VERSION" ] || { echo "FAIL: package version" >&2; exit 1; }
# The changelog's newest entry is this version's; the manual page names it
# and says where the version record is.
zcat "$work/root/usr/share/doc/zelmar/changelog.gz" | head -1 | grep -q -F "zelmar ($ZELMAR_VERSION) " ||
  { echo "FAIL: the changelog does not start with version $ZELMAR_VERSION" >&2; exit 1; }
manual=$(MANWIDTH=200 man --warnings -l "$work/root/usr/share/man/man1/Zelmar.1.gz" 2>&1)
for text in 'Zelmar - ' "Zelmar $ZELMAR_VERSION_SHOWN" "grep -A7 'Zelmar version record'" 'takes no arguments'; do
  grep -q -F -- "$text" <<<"$manual" || { echo "FAIL: the manual page lacks: $text" >&2; exit 1; }
done

# (Its note that it runs as root goes to standard error.) Debian 13's lintian
# passes on AppStream's warnings as one tag, which stands only for the
# warning the metainfo check accepts.
lintian_says=$(lintian "$deb" 2>/dev/null) || { echo "FAIL: lintian failed:" >&2; echo "$lintian_says" >&2; exit 1; }
lintian_says=$(grep -v -E '^W: zelmar: appstream-metadata-validation-failed ' <<<"$lintian_says" || true)
[ -z "$lintian_says" ] || { echo "FAIL: lintian:" >&2; echo "$lintian_says" >&2; exit 1; }
source "$(dirname "$0")/metainfo_check.sh"
check_metainfo "$work/root/usr/share/metainfo/$app_id.metainfo.xml"
echo "package $(basename "$deb"): ok, lintian says nothing; Depends: $depends"
