#!/usr/bin/env bash
# The bash completion of expansion-chamber-calc, as a user's Tab press runs it:
#   check_completion.sh CALCULATOR COMPLETION_FILE
# Each row: the command line up to the cursor, and the completions it must offer (sorted,
# one blank between).
set -uo pipefail
calc=$1
source /usr/share/bash-completion/bash_completion || exit 1
source "$2" || exit 1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && mkdir folder && touch pipe.ecd pipe.pdf || exit 1

rows=(
  "|bmep compare design pipe-check port-height port-map profiled-port rect-port templates waves"
  "compare pipe.ecd |folder/ pipe.ecd"
  "--|--help --version"
  "design --temp|--temp --temp-bmep --temp-manual"
  "design --dx |"
  "design --dx 40 --d|--d1 --dx"
  "design --open |folder/ pipe.ecd"
  "design --save |folder/ pipe.ecd pipe.pdf"
  "templates --paper |a4 letter"
  "templates --paper=l|letter"
  "profiled-port --b|--bore --bottom-radius --bridge-width --bridged"
  "port-height --|--full --help --json --rod --start --stroke"
)

failed=0
for row in "${rows[@]}"; do
  line="$calc ${row%%|*}"
  want=${row#*|}
  COMP_LINE=$line
  COMP_POINT=${#line}
  # The words as bash splits them for completion: '=' is a word of its own.
  read -ra COMP_WORDS <<<"${line//=/ = }"
  [[ $line == *' ' ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _expansion_chamber_calc
  got=$(for w in "${COMPREPLY[@]}"; do [[ -d $w ]] && echo "$w/" || echo "$w"; done | sort -u | paste -sd ' ')
  [[ $got == "$want" ]] || { echo "'${row%%|*}': offered '$got', expected '$want'" && failed=1; }
done
exit $failed
