#!/usr/bin/env bash
# vellico with no desktop session in reach (over SSH, in a terminal before the
# desktop starts): --help and --version answer, --diagnose says there is no
# session, and the other commands refuse in one line with status 2. Qt ended
# all of them with its platform plugin's abort (status 134).
set -u
vellico=$1
failures=0
check() { # name expected-status pattern-in-output command...
  local name=$1 expected=$2 pattern=$3
  shift 3
  local output status
  output=$(env -i PATH=/usr/bin:/bin HOME="$(mktemp -d)" "$@" 2>&1)
  status=$?
  if [[ $status -ne $expected || "$output" != *"$pattern"* ]]; then
    echo "FAIL $name: status $status (wanted $expected), output: $output"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}
check help 0 "--pick" "$vellico" --help
check version 0 "Vellico " "$vellico" --version
check diagnose 0 "session: none: no desktop session is reachable" "$vellico" --diagnose
check pick 2 "vellico: Vellico needs a desktop session: no desktop session is reachable" "$vellico" --pick
check start 2 "Vellico needs a desktop session" "$vellico"
check "an unknown option still says so" 2 "Unknown argument \"--colour\"" "$vellico" --colour
echo "$((6 - failures)) passed, $failures failed"
((failures == 0))
