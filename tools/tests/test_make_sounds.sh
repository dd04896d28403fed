#!/bin/bash
# Checks which pronunciation files tools/make-sounds makes, copies and removes, with
# stand-ins for espeak-ng and ffmpeg that write the spoken word into the file and
# log every word they speak.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
make_sounds=$here/../make-sounds
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/bin" "$work/prog"
cat >"$work/bin/espeak-ng" <<'STUB'
#!/bin/bash
word=$(cat); out=${@: -1}
printf '%s' "$word" >"$out"; printf '%s\n' "$word" >>"$SPOKEN"
STUB
cat >"$work/bin/ffmpeg" <<'STUB'
#!/bin/bash
while [[ $1 != -i ]]; do shift; done
cp "$2" "${@: -1}"
STUB
chmod +x "$work/bin/espeak-ng" "$work/bin/ffmpeg"
export PATH=$work/bin:$PATH SPOKEN=$work/spoken

fail() { echo "FAIL: $*" >&2; exit 1; }

# run <words...>: writes a bank of these words, runs make-sounds, and checks that
# every line's file speaks its word; prints the words spoken this time.
run() {
    { echo "# english"; for w in "$@"; do printf '%s\tx\tx\n' "$w"; done; } >"$work/bank.tsv"
    : >"$SPOKEN"
    "$make_sounds" "$work/bank.tsv" "$work/prog"
    local i=0 w spoken
    for w in "$@"; do
        spoken=$(cat "$work/prog/sound1/$(printf '%04d' $i).wma")
        [[ ${spoken,,} == "${w,,}" ]] || fail "line $i is not '$w'"
        i=$((i + 1))
    done
    sort "$SPOKEN" | tr '\n' ' '
}

[[ $(run good bad what) == "bad good what " ]] || fail "first run makes every file"
[[ $(run good bad what) == "" ]] || fail "an unchanged bank makes nothing"
[[ $(run what good flower bad) == "flower " ]] || fail "moved words are copied, only new ones spoken"
[[ $(run what flower) == "" ]] || fail "a shorter bank speaks nothing"
[[ $(run What flower) == "" ]] || fail "a word that gains its capital keeps its file"
[[ ! -e $work/prog/sound1/0002.wma && ! -e $work/prog/sound1/0003.wma ]] || fail "stale files survive"
rm "$work/prog/sound1/0001.wma"
[[ $(run what flower) == "flower " ]] || fail "a missing file is made again"
rm "$work/prog/.sound-words"
[[ $(run What flower) == "What flower " ]] || fail "without a record every file is made"
echo "make-sounds: all checks passed"
