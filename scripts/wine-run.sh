#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's private prefix (the CTest emulator).
set -eu
. "$(dirname "$0")/wine-env.sh"
ensure_display
ensure_prefix
exec wine "$@"
