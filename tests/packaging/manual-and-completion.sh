#!/usr/bin/env bash
# The manual pages and the bash completion against the program they describe: every subcommand
# of kwutil has its part in kwutil(1) and is completed; the dialog names completed after
# "settings" are the ones kwutil settings accepts; completion cases; the pages format cleanly.
#   manual-and-completion.sh KWUTIL MAN_DIR COMPLETION
set -euo pipefail
kwutil=$1 mandir=$2 completion=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# shellcheck source=/dev/null
source "$completion"
complete_words() {  # the completion of the last word of "kwutil WORDS..."
    COMP_WORDS=("$kwutil" "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _kwutil
    echo "${COMPREPLY[*]}"
}

subcommands=$("$kwutil" --help | awk '/^Subcommands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }')
[[ $(wc -w <<<"$subcommands") -ge 20 ]] || fail "kwutil --help lists only: $subcommands"
offered=" $(complete_words '') "
for sub in $subcommands; do
    [[ $offered == *" $sub "* ]] || fail "completion does not offer $sub"
    grep -q "^\.SS \"${sub//-/\\\\-}\"$" "$mandir/kwutil.1" || fail "kwutil(1) has no part for $sub"
done

# Each dialog name offered is one the command knows (an unknown one is refused by name).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_CONFIG_DIRS=$work/etc XDG_DATA_HOME=$work/data
: >"$work/empty.txt"
dialogs=$(complete_words settings '')
[[ $(wc -w <<<"$dialogs") -ge 5 ]] || fail "settings completes only: $dialogs"
for dialog in $dialogs bogus; do
    refused=0
    said=$("$kwutil" settings "$dialog" --script "$work/empty.txt" 2>&1) || true
    [[ $said == *"unknown dialog"* ]] && refused=1
    [[ $dialog == bogus ]] && { [[ $refused == 1 ]] || fail "settings accepts a bogus dialog"; continue; }
    [[ $refused == 0 ]] || fail "completion offers the dialog $dialog, which settings refuses"
done

# WORDS... | expected completion ("" where the shell's file names take over)
while IFS='|' read -r words expected; do
    read -ra list <<<"$words"
    [[ $words == *" " ]] && list+=("")
    got=$(complete_words "${list[@]}")
    [[ $got == "$expected" ]] || fail "kwutil $words<TAB> gave '$got', expected '$expected'"
done <<'CASES'
se|section settings setup
--v|--version
sheet --floors|--floors --floors-file
render --l|--light
render plan.T -o |
settings --script s.txt |linetype layer text userpara mode
settings l|linetype layer
settings layer |
imported plan.T --b|--base
CASES

for page in "$mandir"/*.[15]; do
    problems=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "$page does not format"
    [[ -z $problems ]] || fail "$page: $problems"
done
[[ $failures -eq 0 ]] && echo "manual and completion: all checks hold"
exit $((failures > 0))
