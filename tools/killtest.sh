#!/bin/bash
# Kills a save, a backup and a restore with SIGKILL at random moments, ROUNDS
# times each, and checks after every kill that each file of the workbook is
# either its old or its new content, byte for byte, and that the workbook
# never holds fewer user files than before. Not part of `make test` (it is
# random and takes minutes):
#
#   tools/killtest.sh [BUILD] [ROUNDS]
#
# Prints, for each kind, how many kills landed before, during and after the
# work, and how many checks failed (the exit status is 1 when any did).
set -u
BUILD=${1:-build}
ROUNDS=${2:-200}
SENTRIVO=$BUILD/bin/sentrivo
SAFESAVE=$BUILD/bin/safesave
for program in "$SENTRIVO" "$SAFESAVE"; do
    [ -x "$program" ] || { echo "killtest: $program is missing (build it first)" >&2; exit 2; }
done
export QT_QPA_PLATFORM=offscreen
ROOT=$(mktemp -d /tmp/sentrivo-killtest.XXXXXX)
trap 'rm -rf "$ROOT"' EXIT
FAILED=0

# A workbook of user files; $2 marks the content.
make_workbook() {
    local dir=$1 mark=$2
    mkdir -p "$dir"
    for n in $(seq 0 46); do
        head -c $((500 + n * 97)) /dev/zero | tr '\0' "$mark" > "$dir/Action$n.Fil"
        printf '{\\rtf1 policy %s %s}' "$n" "$mark" > "$dir/Policy$n.Fil"
    done
    for f in Stat1.Fil HINV3.Fil GColor3.Fil RAList.Fil TODONAME.Fil TODOActv.FIL UserWords.Fil Location.Fil; do
        printf '%s %s' "$f" "$mark" > "$dir/$f"
    done
}

# The user files of a folder as "NAME HASH" lines.
fingerprint() {
    (cd "$1" && find . -maxdepth 1 -type f \( -iname '*.fil' \) -printf '%f\n' | sort | while read -r f; do
        printf '%s %s\n' "$f" "$(sha256sum < "$f" | cut -c1-64)"; done)
}

# Each file of $1 matches the same file in $2 (old) or $3 (new); $1 holds
# at least as many user files as $2.
check_files() {
    local dir=$1 old=$2 new=$3 bad=0
    while read -r name hash; do
        if ! grep -qx "$name $hash" "$old" && ! grep -qx "$name $hash" "$new"; then
            echo "  $name is neither old nor new" >&2
            bad=1
        fi
    done < <(fingerprint "$dir")
    [ "$(fingerprint "$dir" | wc -l)" -ge "$(wc -l < "$old")" ] || { echo "  the workbook lost files" >&2; bad=1; }
    return $bad
}

# Runs a command, kills it after a random part of `limit` seconds.
# Prints "before", "during" or "after" (the command had ended).
kill_at_random() {
    local limit=$1; shift
    "$@" >/dev/null 2>&1 &
    local pid=$!
    local delay
    delay=$(awk -v l="$limit" -v r="$RANDOM" 'BEGIN { printf "%.3f", l * r / 32767 }')
    sleep "$delay"
    if kill -9 "$pid" 2>/dev/null; then
        wait "$pid" 2>/dev/null
        echo during
    else
        wait "$pid" 2>/dev/null
        echo after
    fi
}

# How long an undisturbed run takes, in seconds (at least 0.05).
time_of() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { d = (e - s) * 1.2; if (d < 0.05) d = 0.05; printf "%.3f", d }'
}

report() {
    echo "$1: $ROUNDS kills, $2 during the work, $3 after it had ended; $4 checks failed"
}

# --- the safe save -----------------------------------------------------------
make_workbook "$ROOT/old" a
make_workbook "$ROOT/new" b
fingerprint "$ROOT/old" > "$ROOT/old.sums"
fingerprint "$ROOT/new" > "$ROOT/new.sums"
PAIRS=()
for f in "$ROOT"/new/*; do PAIRS+=("$f" "$ROOT/save/$(basename "$f")"); done
rm -rf "$ROOT/save"; cp -r "$ROOT/old" "$ROOT/save"
LIMIT=$(time_of "$SAFESAVE" "${PAIRS[@]}")
during=0; after=0; bad=0
for round in $(seq "$ROUNDS"); do
    rm -rf "$ROOT/save"; cp -r "$ROOT/old" "$ROOT/save"
    case $(kill_at_random "$LIMIT" "$SAFESAVE" "${PAIRS[@]}") in during) during=$((during + 1)) ;; *) after=$((after + 1)) ;; esac
    check_files "$ROOT/save" "$ROOT/old.sums" "$ROOT/new.sums" || bad=$((bad + 1))
done
report "save" $during $after $bad
FAILED=$((FAILED + bad))

# --- the backup --------------------------------------------------------------
# The medium holds a backup of the old workbook; the workbook is the new one.
# After the kill, a restore from the medium gives the old or the new files.
rm -rf "$ROOT/medium"
"$SENTRIVO" --workbook "$ROOT/old" --backup "$ROOT/medium" >/dev/null || { echo "killtest: the first backup failed" >&2; exit 2; }
cp -r "$ROOT/medium" "$ROOT/medium.good"
rm -rf "$ROOT/wb"; cp -r "$ROOT/new" "$ROOT/wb"
LIMIT=$(time_of "$SENTRIVO" --workbook "$ROOT/wb" --backup "$ROOT/medium")
during=0; after=0; bad=0
for round in $(seq "$ROUNDS"); do
    rm -rf "$ROOT/medium" "$ROOT/wb" "$ROOT/check"
    cp -r "$ROOT/medium.good" "$ROOT/medium"; cp -r "$ROOT/new" "$ROOT/wb"
    case $(kill_at_random "$LIMIT" "$SENTRIVO" --workbook "$ROOT/wb" --backup "$ROOT/medium") in during) during=$((during + 1)) ;; *) after=$((after + 1)) ;; esac
    ok=1
    check_files "$ROOT/wb" "$ROOT/new.sums" "$ROOT/new.sums" || ok=0
    mkdir -p "$ROOT/check"
    if ! "$SENTRIVO" --workbook "$ROOT/check" --restore "$ROOT/medium" >/dev/null 2>"$ROOT/err"; then
        echo "  round $round: the medium does not restore: $(cat "$ROOT/err")" >&2
        ok=0
    else
        fingerprint "$ROOT/check" > "$ROOT/check.sums"
        cmp -s "$ROOT/check.sums" "$ROOT/old.sums" || cmp -s "$ROOT/check.sums" "$ROOT/new.sums" \
            || { echo "  round $round: the medium holds a mixture" >&2; ok=0; }
    fi
    # Every set the medium names verifies.
    for set in "$ROOT"/medium/Sentrivo\ backup\ *; do
        (cd "$set" && sha256sum --quiet -c Manifest.bk1 >/dev/null 2>&1) || { echo "  round $round: $(basename "$set") does not verify" >&2; ok=0; }
    done
    [ $ok = 1 ] || bad=$((bad + 1))
done
report "backup" $during $after $bad
FAILED=$((FAILED + bad))

# --- the restore -------------------------------------------------------------
# The workbook holds the new files, the medium a backup of the old ones.
# After the kill and the next start (settled here by a backup elsewhere),
# the workbook is wholly old or wholly new.
rm -rf "$ROOT/medium"
"$SENTRIVO" --workbook "$ROOT/old" --backup "$ROOT/medium" >/dev/null
rm -rf "$ROOT/wb"; cp -r "$ROOT/new" "$ROOT/wb"
LIMIT=$(time_of "$SENTRIVO" --workbook "$ROOT/wb" --restore "$ROOT/medium")
during=0; after=0; bad=0
for round in $(seq "$ROUNDS"); do
    rm -rf "$ROOT/wb" "$ROOT/scratch"; cp -r "$ROOT/new" "$ROOT/wb"
    case $(kill_at_random "$LIMIT" "$SENTRIVO" --workbook "$ROOT/wb" --restore "$ROOT/medium") in during) during=$((during + 1)) ;; *) after=$((after + 1)) ;; esac
    ok=1
    "$SENTRIVO" --workbook "$ROOT/wb" --backup "$ROOT/scratch" >/dev/null 2>&1 || { echo "  round $round: the next start failed" >&2; ok=0; }
    fingerprint "$ROOT/wb" > "$ROOT/wb.sums"
    cmp -s "$ROOT/wb.sums" "$ROOT/old.sums" || cmp -s "$ROOT/wb.sums" "$ROOT/new.sums" \
        || { echo "  round $round: the workbook is a mixture" >&2; ok=0; }
    [ $ok = 1 ] || bad=$((bad + 1))
done
report "restore" $during $after $bad
FAILED=$((FAILED + bad))

[ $FAILED = 0 ]
