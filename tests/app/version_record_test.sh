#!/usr/bin/env bash
# The version record, embedded in the executable as read-only text. (The
# Windows executable's resource is read back by the Windows tests.)
#   version_record_test.sh EXECUTABLE
set -euo pipefail
executable=$1

record=$(strings "$executable" | grep -A7 '^Zelmar version record$')
for field in "FileVersion=$ZELMAR_VERSION_SHOWN" "ProductVersion=$ZELMAR_VERSION_SHOWN" \
             "FileVersionNumber=$ZELMAR_VERSION" "ProductVersionNumber=$ZELMAR_VERSION" InternalName=Zelmar \
             Comments=freeware...; do
  grep -q -x -F "$field" <<<"$record" || { echo "FAIL: the executable's record lacks $field" >&2; exit 1; }
done
echo "embedded record: ok"
