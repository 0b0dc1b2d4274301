#!/usr/bin/env bash
# The bash completion of zolt-calc ($2) through bash-completion's own
# functions, on a table of command lines; its options are those of
# `zolt-calc --help` ($1).
set -uo pipefail
calc=$(realpath "$1")
completion=$2
source /usr/share/bash-completion/bash_completion
source "$completion"
# Outside a real completion the builtin refuses; what it would set is not
# part of the words offered.
compopt() { :; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
touch progetto.dat prova.txt tre-strati.zolt
mkdir dati
status=0

# The words of `line` as bash hands them over: split at blanks and around
# "=" (one of its word breaks); a trailing blank starts an empty word.
complete_line() {
  local line=$1
  read -ra COMP_WORDS <<<"${line//=/ = }"
  [[ $line == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  _zolt_calc zolt-calc "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

while IFS='|' read -r line expected; do
  got=$(complete_line "$line")
  if [ "$got" != "$expected" ]; then
    echo "FAIL: '$line' completes to '$got', not '$expected'"
    status=1
  fi
done <<'EOF_CASES'
zolt-calc --me|--method
zolt-calc --mo|--monte-carlo
zolt-calc --method |hansen meyerhof terzaghi vesic
zolt-calc --method=ha|--method=hansen
zolt-calc --verify ec7|ec7-da1 ec7-da2 ec7-da3
zolt-calc --verify ntc2018 --size |length= ratio= square
zolt-calc --size=l|--size=length=
zolt-calc --cov phi=0.1,d|phi=0.1,delta=
zolt-calc --cov c|c= ca=
zolt-calc --sweep ph|phi=
zolt-calc ga|gamma= gammasat=
zolt-calc z|zw=
zolt-calc tre|tre-strati.zolt
zolt-calc --save-project=tre|--save-project=tre-strati.zolt
zolt-calc --sweep ga|gamma=
zolt-calc pro|progetto.dat
zolt-calc d|dati delta=
zolt-calc --report pro|progetto.dat prova.txt
zolt-calc --pdf=prova|--pdf=prova.txt
zolt-calc --settlement=s|--settlement=schmertmann
zolt-calc --settlement=|--settlement=burland-burbidge --settlement=elastic --settlement=oedometric --settlement=schmertmann
zolt-calc --settlement tre|tre-strati.zolt
zolt-calc --settlement sch|schmertmann
zolt-calc --with|--with-settlement
zolt-calc --safety |
zolt-calc B=|
EOF_CASES

help_options=$( (printf '%s\n' --help; "$calc" --help | grep -oE -- '--[a-z][a-z-]*') | sort -u | tr '\n' ' ' | sed 's/ $//')
got=$(complete_line "zolt-calc --")
if [ "$got" != "$help_options" ]; then
  echo "FAIL: the completion offers '$got', zolt-calc --help names '$help_options'"
  status=1
fi
[ $status -eq 0 ] && echo OK
exit $status
