#!/usr/bin/env bash
# Sets up (see setup.sh) and starts the program from its folder.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" "$root/build"
exec "$root/build/program/vellumbra"
