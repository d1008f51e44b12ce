#!/bin/sh
# The page delivered into a folder that already holds a file of its own, as a
# web server's folder would: the page's files arrive, the other file stays,
# and so it does when a build and a delivery come again.
#   delivery_test.sh CMAKE BUILD_DIR
set -eu
cmake=$1
build=$2
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
echo "the server's own" >"$folder/own.html"
for round in 1 2; do
  "$cmake" --build "$build" --target zelmar_site >/dev/null
  "$cmake" --install "$build" --component page --prefix "$folder" >/dev/null
  for name in index.html sw.js zelmar.js zelmar.wasm diagram@2x.png manifest.webmanifest; do
    [ -s "$folder/$name" ] || { echo "round $round: $name was not delivered"; exit 1; }
  done
  [ "$(cat "$folder/own.html" 2>/dev/null)" = "the server's own" ] ||
    { echo "round $round: the folder's own file was deleted or changed"; exit 1; }
done
echo "the page was delivered twice beside the folder's own file"
