#!/usr/bin/env bash
# Regenerates the committed media files in media/ from the drawing code in tools/media/.
# The tool is deterministic: on an unchanged tree the files come out byte for byte the same.
set -eu
repo_root=$(cd "$(dirname "$0")/.." && pwd)
build=$repo_root/build/make-media
cmake --preset native -S "$repo_root" -B "$build" >/dev/null
cmake --build "$build" --target make_media -j "$(nproc)"
"$build/tools/make_media" "$repo_root/media"
