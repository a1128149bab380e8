#!/usr/bin/env bash
# Runs a command on a fresh Xvfb display of 1680 x 1050 at 24 bits (override with
# GLASSREEF_TEST_SCREEN=WxHxD), with the configuration, temporary and runtime folders in a
# throw-away directory.
set -euo pipefail
screen=${GLASSREEF_TEST_SCREEN:-1680x1050x24}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/config" "$scratch/tmp" "$scratch/run"
chmod 700 "$scratch/run"
export XDG_CONFIG_HOME="$scratch/config" TMPDIR="$scratch/tmp" XDG_RUNTIME_DIR="$scratch/run"
exec xvfb-run -a -s "-screen 0 $screen -nolisten tcp" "$@"
