#!/bin/bash
# Saves of zolt-calc killed (SIGKILL) at random moments, into a data file
# that is replaced and into one with a second hard link, written in place:
# after each kill the data file holds its old or its new contents, whole
# (112 bytes go over the old ones in one write, and are never preceded by
# an emptied file), and once a save has run to its end the folder holds the
# data files and nothing else.
# Usage: killed_saves.sh ZOLT_CALC [RUNS]
set -u
calc=$1
runs=${2:-150}
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
mkdir "$work/ref" "$work/save"
file=$work/save/p.dat

"$calc" B=0.7 --save "$work/ref/0.7.dat" && "$calc" B=0.9 --save "$work/ref/0.9.dat" || {
    echo "zolt-calc cannot save at all"
    exit 1
}
cp "$work/ref/0.7.dat" "$file"

# Three whole saves, timed, to spread the kills over the length of one.
start=$(date +%s%N)
for value in 0.9 0.7 0.9; do
    "$calc" B=$value --save "$file" || exit 1
done
span=$((($(date +%s%N) - start) / 3000 + 1)) # microseconds

# `read -t` on a pipe nobody writes to waits without starting a process,
# so that short delays stay short.
mkfifo "$work/never"
exec 3<>"$work/never"

kill_saves() { # file
    local file=$1 killed=0 run value pid delay
    for ((run = 0; run < runs; run++)); do
        value=0.$((run % 2 ? 7 : 9))
        "$calc" B=$value --save "$file" &
        pid=$!
        delay=$((RANDOM * span / 32768))
        read -r -u 3 -t "$(printf '%d.%06d' $((delay / 1000000)) $((delay % 1000000)))"
        kill -KILL "$pid" 2>/dev/null
        { wait "$pid"; } 2>/dev/null
        [ $? -eq 137 ] && killed=$((killed + 1))
        if ! cmp -s "$file" "$work/ref/0.7.dat" && ! cmp -s "$file" "$work/ref/0.9.dat"; then
            echo "after run $run (B=$value) $file is neither the old nor the new one:"
            od -A d -t x1 "$file" | head -3
            exit 1
        fi
    done
    echo "$file: $killed of $runs saves killed; in the folder: $(ls -A "$work/save" | tr '\n' ' ')"
    if [ "$killed" -lt $((runs / 10)) ]; then
        echo "too few saves were killed to tell anything"
        exit 1
    fi
}
kill_saves "$file"
cp "$work/ref/0.7.dat" "$work/save/linked.dat"
ln "$work/save/linked.dat" "$work/save/second-name.dat"
kill_saves "$work/save/linked.dat"

# A save killed between naming its new file and renaming it leaves that
# name; the next save in the folder removes it.
"$calc" B=0.7 --save "$file" || exit 1
left=$(ls -A "$work/save" | tr '\n' ' ')
if [ "$left" != "linked.dat p.dat second-name.dat " ]; then
    echo "left behind:" $left
    exit 1
fi
cmp "$file" "$work/ref/0.7.dat" || exit 1
