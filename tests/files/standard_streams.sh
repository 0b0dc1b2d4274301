#!/bin/bash
# zolt-calc with closed standard streams, and with streams as its outputs:
# no file ever receives a standard stream's bytes, a closed standard output
# is a failed one (exit 3, no file), and a pipe, a FIFO or /dev/stdout
# take an output as it is, after what the program printed there.
# Usage: standard_streams.sh ZOLT_CALC
set -u
calc=$1
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
check() { # what, condition...
    local what=$1
    shift
    if ! "$@"; then
        echo "FAILED: $what"
        failed=1
    fi
}

"$calc" B=2 L=3 --report ref.txt >ref.out || exit 1
"$calc" B=2 L=3 --save ref.dat || exit 1

# closed descriptors | arguments | exit code | file | its expected contents
while IFS='|' read -r closed args code file expected; do
    rm -f out.txt p.dat stdout.txt
    # shellcheck disable=SC2086 # the arguments are words
    case $closed in
    "0 1") "$calc" $args <&- >&- 2>/dev/null ;;
    "1") "$calc" $args >&- 2>/dev/null ;;
    "0 2") "$calc" $args <&- 2>&- >stdout.txt ;;
    "2") "$calc" $args 2>&- >stdout.txt ;;
    esac
    got=$?
    check "closed $closed, $args: exit $got, not $code" [ "$got" -eq "$code" ]
    if [ -z "$expected" ]; then
        check "closed $closed, $args: no $file" [ ! -e "$file" ]
    else
        check "closed $closed, $args: $file holds $expected" cmp -s "$file" "$expected"
    fi
done <<'EOF'
0 1|B=2 L=3 --report out.txt|3|out.txt|
1|B=2 L=3 --save p.dat|0|p.dat|ref.dat
0 2|B=2 L=3 --report out.txt|0|out.txt|ref.txt
2|B=2 L=3 missing.dat --report out.txt|3|out.txt|
EOF

# Outputs into streams: the program's own text first, then the file's bytes.
cat ref.out ref.txt >both.txt
"$calc" B=2 L=3 --report /dev/stdout | cat >pipe.txt
check "--report /dev/stdout into a pipe" cmp -s pipe.txt both.txt
"$calc" B=2 L=3 --report >(cat >substituted.txt) >/dev/null
check "--report into a process substitution exits 0" [ $? -eq 0 ]
mkfifo fifo
timeout 10 cat fifo >fifo.txt & # ends also when nothing comes
reader=$!
"$calc" B=2 L=3 --report fifo >/dev/null
check "--report into a FIFO exits 0" [ $? -eq 0 ]
wait "$reader"
check "the FIFO's reader got the report" cmp -s fifo.txt ref.txt
for ((i = 0; i < 50; i++)); do [ -s substituted.txt ] && break; sleep 0.02; done
check "the process substitution got the report" cmp -s substituted.txt ref.txt
"$calc" B=2 L=3 --report /dev/null >/dev/null
check "--report /dev/null exits 0" [ $? -eq 0 ]
exit $failed
