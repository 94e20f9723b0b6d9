#!/usr/bin/env bash
# zolctl's bash completion offers the commands, a command's options and values, .QEM files
# and the schedule's CSV. Skipped (77) where bash-completion is not installed.
set -u
framework=/usr/share/bash-completion/bash_completion
[ -r "$framework" ] || { echo "bash-completion is not installed"; exit 77; }
# shellcheck disable=SC1090
source "$framework"
source "$1"

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" && touch site_Panel1.QEM other.qem notes.txt schedule.csv

failures=0
complete_line() {
    COMP_LINE=$1
    # As bash splits the line: "=" is a word of its own.
    read -r -a COMP_WORDS <<<"${1//=/ = }"
    [[ "$1" == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _zolctl zolctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}
expect() {
    local got
    got=$(complete_line "$1")
    if [ "$got" != "$2" ]; then
        echo "FAIL: '$1' gave '$got', expected '$2'"
        failures=$((failures + 1))
    fi
}

expect "zolctl ex" "export-devices "
expect "zolctl import-devices --d" "--dry-run "
expect "zolctl upload site_Panel1.QEM --port CO" "COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 "
expect "zolctl upload site_Panel1.QEM --port de" "demo "
expect "zolctl info " "other.qem site_Panel1.QEM "
expect "zolctl import-devices site_Panel1.QEM " "schedule.csv "
expect "zolctl download --block lo" "loop1 loop2 "
expect "zolctl resave --convert=" "no yes "
exit $((failures > 0))
