#!/usr/bin/env bash
# Sets up (see setup.sh) and starts the program from its folder.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Only the program and the set-up tool: the tests and benchmarks are the test command's.
VB_TARGETS="vellumbra vellumbra-newdb" "$root/scripts/setup.sh" "$root/build"
exec "$root/build/program/vellumbra"
