#!/usr/bin/env bash
# What an installation lays out, and whether its desktop files pass the
# freedesktop validators.
#   install_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
app_id=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

cmake --install "$build" --prefix "$root/usr" >/dev/null
expected=(
  "usr/bin/Zelmar"
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
  "usr/share/icons/hicolor/48x48/apps/$app_id.png"
  "usr/share/icons/hicolor/256x256/apps/$app_id.png"
  "usr/share/doc/zelmar/copyright"
  "usr/share/doc/zelmar/changelog.gz"
  "usr/share/man/man1/Zelmar.1.gz"
)
for path in "${expected[@]}"; do
  [ -f "$root/$path" ] || { echo "FAIL: $path is not installed" >&2; exit 1; }
done
[ -x "$root/usr/bin/Zelmar" ] || { echo "FAIL: bin/Zelmar is not executable" >&2; exit 1; }
unexpected=$(cd "$root" && find . -type f | sed 's|^\./||' | sort | grep -v -F -x -f <(printf '%s\n' "${expected[@]}") || true)
[ -z "$unexpected" ] || { echo "FAIL: unexpected files installed: $unexpected" >&2; exit 1; }

desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
source "$(dirname "$0")/metainfo_check.sh"
check_metainfo "$root/usr/share/metainfo/$app_id.metainfo.xml"
grep -q "^Icon=$app_id\$" "$root/usr/share/applications/$app_id.desktop"
grep -q "<release version=\"$ZELMAR_VERSION\"" "$root/usr/share/metainfo/$app_id.metainfo.xml"
grep -q '<project_license>MIT</project_license>' "$root/usr/share/metainfo/$app_id.metainfo.xml"
echo "install tree and desktop files: ok"
