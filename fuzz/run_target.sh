#!/usr/bin/env bash
# Runs one libFuzzer target for SECONDS on a scratch copy of its seed
# corpus, so that the repository's corpus only changes by hand. The input of
# a finding is kept in FINDINGS. Exit status: the target's (0: nothing found).
#
#   run_target.sh TARGET-BINARY SEED-CORPUS SECONDS RUN-FOLDER FINDINGS
set -euo pipefail
binary=$1 seeds=$2 seconds=$3 run=$4 findings=$5

rm -rf "$run"
mkdir -p "$run/corpus" "$findings"
cp -R "$seeds/." "$run/corpus/"
name=$(basename "$binary")
# No input may wait on the terminal: a path such as /dev/stdin reads nothing.
if "$binary" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$findings/" \
     -print_final_stats=1 "$run/corpus" </dev/null >"$run/log" 2>&1; then
  echo "$name: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$run/log" | tail -1)"
else
  status=$?
  echo "$name: FAILED (log: $run/log, input: $findings/)"
  tail -n 40 "$run/log"
  exit "$status"
fi
