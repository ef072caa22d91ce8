#!/usr/bin/env bash
# vellico-cli's bash completion as bash-completion runs it: each row is the
# words typed so far (the last one being completed) and what Tab offers.
#   completion_test.sh COMPLETION_FILE
set -uo pipefail
source /usr/share/bash-completion/bash_completion || { echo "bash-completion is not installed" >&2; exit 1; }
source "$1"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" && mkdir shared && touch colours.ase "My Library.vlb"

failures=0
row() { # expected -- words...
  local expected=$1
  shift 2
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="$*"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _vellico_cli vellico-cli "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
  if [[ "$got" != "$expected" ]]; then
    echo "FAIL: [$*] offers [$got], not [$expected]"
    failures=$((failures + 1))
  fi
}

row "contrast export format history import library merge name parse search sync" -- vellico-cli ""
row "list" -- vellico-cli library ""
row "--json" -- vellico-cli parse x --js
row "--clear" -- vellico-cli history --cl
row "0 1 10 11 12 13 14 15 16 2 3 4 5 6 7 8 9" -- vellico-cli format x --template ""
row "oklab oklch" -- vellico-cli format x --as "ok"
row "ase css gpl json" -- vellico-cli export --format ""
row "gpl" -- vellico-cli export --format=g
row "shared" -- vellico-cli sync --folder ""
row "My Library.vlb colours.ase shared" -- vellico-cli import ""
row "My Library.vlb" -- vellico-cli library list --library M
row "" -- vellico-cli export --collection ""
((failures == 0)) && echo "all rows pass"
exit $((failures > 0))
