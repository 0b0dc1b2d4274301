#!/usr/bin/env bash
# The manual pages against what they describe: zolt-calc(1) names the
# options of `zolt-calc --help` ($1), zolt(1) the menus of the main window;
# both read without a warning from man.
set -euo pipefail
calc=$1
source_dir=$2
status=0

# Long options as a sorted set; the help need not name --help itself.
help_options=$( (printf '%s\n' --help; "$calc" --help | grep -oE -- '--[a-z][a-z-]*') | sort -u)
page_options=$(sed 's/\\-/-/g' "$source_dir/man/zolt-calc.1" | grep -oE -- '--[a-z][a-z-]*' | sort -u)
if [ "$help_options" != "$page_options" ]; then
  echo "FAIL: zolt-calc --help and zolt-calc(1) name different options:"
  diff <(echo "$help_options") <(echo "$page_options") | grep '^[<>]' | sed 's/^</  only in --help:/; s/^>/  only in the page:/'
  status=1
fi

menus=$(sed -n '/^MENU 1$/,/^END$/s/^  POPUP "\(.*\)"$/\1/p' "$source_dir/resources/strings/menu.txt" | tr -d '&' | sort)
page_menus=$(sed -n '/^\.SH MENU/,/^\.SH /s/^\.SS //p' "$source_dir/man/zolt.1" | sort)
if [ "$menus" != "$page_menus" ]; then
  echo "FAIL: the menus of the main window and of zolt(1) differ:"
  diff <(echo "$menus") <(echo "$page_menus") | grep '^[<>]' | sed 's/^</  only in the program:/; s/^>/  only in the page:/'
  status=1
fi

for page in zolt.1 zolt-calc.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$source_dir/man/$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    echo "FAIL: man warns on $page: $warnings"
    status=1
  fi
done
[ $status -eq 0 ] && echo OK
exit $status
