#!/bin/sh
# Draws the pictures of the drop window and the empty-list dialog into this
# folder, at 1x and 2x, with the artwork tool of the build:
#   resources/lists/make-pictures.sh [build folder]   (default: build/dev)
# The PNGs are kept in the repo.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../../build/dev"}
cmake --build "$build" --target tapestrel-artwork
"$build/bin/tapestrel-artwork" pictures "$here"
