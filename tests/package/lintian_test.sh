#!/usr/bin/env bash
# Builds the .deb of the build folder $1 with cpack ($2) and runs lintian
# on it: no error and no warning. The tags of lower severity are printed.
set -euo pipefail
build=$1
cpack=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && "$cpack" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log"
  exit 1
}
# lintian's note that it runs as root is not about the package.
lintian --info --pedantic --fail-on error,warning "$work"/out/zolt_*.deb 2> >(grep -v 'running with root privileges' >&2)
echo OK
