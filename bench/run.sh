#!/usr/bin/env bash
# Whole-command benchmark of vernolak-convert against the floor program.
# See bench/README.md for what the figures mean.
#
# Usage: bench/run.sh [-n RUNS] [-s "SIZE..."] [--seed N] [--build-dir DIR] [--no-build]
#                     [--floor-only] [-v]
#   -n RUNS        timed runs of each command per drawing (default 5; median reported)
#   -s "SIZE..."   drawing sizes in bytes, k/M/G allowed (default "10M 200M")
#   --seed N       generator seed (default 20240611)
#   --build-dir D  build folder (default build/release, configured with the release preset)
#   --no-build     use the binaries as they are
#   --floor-only   time the floor alone (used until vernolak-convert exists)
#   -v             print every run
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OUT="$ROOT/bench/out"
BUILD="$ROOT/build/release"
RUNS=5
SIZES="10M 200M"
SEED=20240611
DO_BUILD=1
FLOOR_ONLY=0
VERBOSE=0

die() { echo "run.sh: $*" >&2; exit 1; }

while [ $# -gt 0 ]; do
    case "$1" in
        -n) RUNS=$2; shift 2 ;;
        -s) SIZES=$2; shift 2 ;;
        --seed) SEED=$2; shift 2 ;;
        --build-dir) BUILD=$(cd "$2" && pwd); shift 2 ;;
        --no-build) DO_BUILD=0; shift ;;
        --floor-only) FLOOR_ONLY=1; shift ;;
        -v) VERBOSE=1; shift ;;
        -h|--help) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) die "unknown argument: $1 (see --help)" ;;
    esac
done
[[ "$RUNS" =~ ^[1-9][0-9]*$ ]] || die "-n needs a positive number"

# --- build -------------------------------------------------------------------
if [ "$DO_BUILD" = 1 ]; then
    if [ ! -f "$BUILD/build.ninja" ] && [ ! -f "$BUILD/Makefile" ]; then
        [ "$BUILD" = "$ROOT/build/release" ] || die "$BUILD is not a configured build folder"
        (cd "$ROOT" && cmake --preset release >/dev/null) || die "cmake --preset release failed"
    fi
    cmake --build "$BUILD" --target vernolak-gen-drawing vernolak-floor vernolak-measure >/dev/null \
        || die "cannot build the benchmark tools in $BUILD"
    if [ "$FLOOR_ONLY" = 0 ]; then
        cmake --build "$BUILD" --target vernolak-convert >/dev/null 2>&1 \
            || echo "run.sh: cannot build vernolak-convert; timing the floor alone" >&2
    fi
fi
GEN="$BUILD/bench/vernolak-gen-drawing"
FLOOR="$BUILD/bench/vernolak-floor"
MEASURE="$BUILD/bench/vernolak-measure"
for tool in "$GEN" "$FLOOR" "$MEASURE"; do
    [ -x "$tool" ] || die "missing $tool (build it, or leave out --no-build)"
done
CONVERT=""
if [ "$FLOOR_ONLY" = 0 ]; then
    if [ -x "$BUILD/cli/vernolak-convert" ]; then CONVERT="$BUILD/cli/vernolak-convert"; fi
    [ -n "$CONVERT" ] || echo "run.sh: no vernolak-convert in $BUILD; timing the floor alone" >&2
fi

mkdir -p "$OUT"

# --- drawings ------------------------------------------------------------------
# Each drawing is cached with a stamp naming the seed, the size and the
# generator binary, and the hashes of the drawing and its CSV file.
generate() {
    local size=$1 dxf=$2 csv=$3 stamp=$4
    local key
    key="seed=$SEED size=$size generator=$(sha256sum "$GEN" | cut -d' ' -f1)"
    if [ -f "$stamp" ] && [ "$(head -n 1 "$stamp")" = "$key" ] \
        && tail -n +2 "$stamp" | sha256sum --check --status 2>/dev/null; then
        return
    fi
    echo "generating $dxf ..." >&2
    rm -f "$stamp"
    "$GEN" --quiet --seed="$SEED" --csv="$csv" "$size" "$dxf"
    { echo "$key"; sha256sum "$dxf" "$csv"; } >"$stamp"
}

# --- statistics ------------------------------------------------------------------
median() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "nan"; exit }
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
field() { sed -n "s/.*$1=\([^ ]*\).*/\1/p" "$2"; }

# Runs one timed command; appends "wall maxrss_kib" to the file $1.
timed() {
    local results=$1 label=$2
    shift 2
    local m="$OUT/measure.txt"
    "$MEASURE" -o "$m" -- "$@" >/dev/null || die "$label failed: $*"
    echo "$(field wall_s "$m") $(field maxrss_kib "$m") $(field user_s "$m") $(field sys_s "$m")" \
        >>"$results"
    if [ "$VERBOSE" = 1 ]; then echo "  $label: $(cat "$m")" >&2; fi
}

TABLE="$OUT/table.txt"
: >"$TABLE"
NOTES=()

for size in $SIZES; do
    dxf="$OUT/drawing-$size.dxf"
    gencsv="$OUT/drawing-$size.csv"
    generate "$size" "$dxf" "$gencsv" "$OUT/drawing-$size.stamp"
    dxf_bytes=$(stat -c %s "$dxf")
    conv_base="$OUT/convert-$size"
    conv_csv="$conv_base.csv"
    floor_csv="$OUT/floor-$size.csv"
    conv_res="$OUT/convert-$size.runs"
    floor_res="$OUT/floor-$size.runs"
    : >"$conv_res"
    : >"$floor_res"

    # Warm-up, untimed: the page cache holds the drawing, and the outputs are checked.
    cat "$dxf" "$gencsv" >/dev/null
    expected="$gencsv"
    if [ -n "$CONVERT" ]; then
        rm -f "$conv_csv"
        "$CONVERT" --decimal-separator=. -o "$conv_base" "$dxf" >/dev/null || die "vernolak-convert failed on $dxf"
        [ -f "$conv_csv" ] || die "vernolak-convert wrote no $conv_csv"
        if cmp -s "$conv_csv" "$gencsv"; then
            NOTES+=("$size: the converter's CSV is byte for byte the one the generator predicts")
        else
            NOTES+=("$size: the converter's CSV DIFFERS from the one the generator predicts:" \
                "    $(cmp "$conv_csv" "$gencsv" 2>&1 | head -n 1) ($conv_csv, $gencsv)")
        fi
        expected_copy="$OUT/convert-$size.expected.csv"
        cp "$conv_csv" "$expected_copy"
        expected="$expected_copy"
    fi
    rm -f "$floor_csv"
    "$FLOOR" "$dxf" "$expected" "$floor_csv" >/dev/null
    rows=$(($(wc -l <"$expected") - 1))

    [ "$VERBOSE" = 1 ] && echo "$size: $dxf_bytes bytes, $rows rows" >&2
    for ((run = 1; run <= RUNS; run++)); do
        order="convert floor"
        if ((run % 2 == 0)); then order="floor convert"; fi
        for which in $order; do
            if [ "$which" = convert ]; then
                [ -n "$CONVERT" ] || continue
                rm -f "$conv_csv"
                timed "$conv_res" "convert run $run" "$CONVERT" --decimal-separator=. -o "$conv_base" "$dxf"
                cmp -s "$conv_csv" "$expected" || die "run $run: the converter's CSV changed"
            else
                rm -f "$floor_csv"
                timed "$floor_res" "floor run $run" "$FLOOR" "$dxf" "$expected" "$floor_csv"
            fi
        done
    done
    cmp -s "$floor_csv" "$expected" || die "the floor's CSV is not the expected one"
    if [ -n "$CONVERT" ]; then
        cmp -s "$conv_csv" "$floor_csv" || die "the converter's and the floor's CSV differ"
        NOTES+=("$size: the converter's CSV and the floor's CSV are identical ($rows rows)")
    fi

    f_wall=$(cut -d' ' -f1 "$floor_res" | median)
    f_rss=$(cut -d' ' -f2 "$floor_res" | median)
    if [ -n "$CONVERT" ]; then
        c_wall=$(cut -d' ' -f1 "$conv_res" | median)
        c_rss=$(cut -d' ' -f2 "$conv_res" | median)
        c_rss_max=$(cut -d' ' -f2 "$conv_res" | sort -g | tail -n 1)
        c_user=$(cut -d' ' -f3 "$conv_res" | median)
        c_sys=$(cut -d' ' -f4 "$conv_res" | median)
        paired=$(paste -d' ' "$conv_res" "$floor_res" | awk '{ print $1 / $5 }' | median)
    else
        c_wall=nan c_rss=nan c_rss_max=nan c_user=nan c_sys=nan paired=nan
    fi
    f_user=$(cut -d' ' -f3 "$floor_res" | median)
    f_sys=$(cut -d' ' -f4 "$floor_res" | median)
    echo "$size $dxf_bytes $rows $c_wall $c_rss $c_rss_max $c_user $c_sys $f_wall $f_rss $f_user $f_sys $paired" \
        >>"$TABLE"
done

# --- report ------------------------------------------------------------------------
echo
echo "vernolak-convert vs the floor: medians of $RUNS runs each, alternating order, warm page cache"
echo "(MB = 10^6 bytes of DXF input; rows = CSV lines after the header; peak = max RSS)"
awk '
function fmt(x, f) { return (x == "nan") ? "-" : sprintf(f, x) }
BEGIN {
    printf "%-7s %9s %9s | %8s %8s %11s %9s | %8s %8s %11s %9s | %7s %7s\n",
        "drawing", "DXF MB", "rows", "conv s", "MB/s", "rows/s", "peak MiB",
        "floor s", "MB/s", "rows/s", "peak MiB", "ratio", "paired"
}
{
    mb = $2 / 1e6
    c_ok = ($4 != "nan")
    printf "%-7s %9.1f %9d | %8s %8s %11s %9s | %8.3f %8.1f %11.0f %9.1f | %7s %7s\n",
        $1, mb, $3,
        fmt($4, "%.3f"), c_ok ? sprintf("%.1f", mb / $4) : "-", c_ok ? sprintf("%.0f", $3 / $4) : "-",
        fmt(c_ok ? $5 / 1024 : "nan", "%.1f"),
        $9, mb / $9, $3 / $9, $10 / 1024,
        c_ok ? sprintf("%.2f", $4 / $9) : "-", fmt($13, "%.2f")
}' "$TABLE"
echo
echo "CPU (median user + sys seconds):"
awk '{ printf "  %-7s convert %s + %s   floor %.3f + %.3f\n", $1,
         ($7 == "nan") ? "-" : sprintf("%.3f", $7), ($8 == "nan") ? "-" : sprintf("%.3f", $8), $11, $12 }' \
    "$TABLE"
if [ -n "$CONVERT" ]; then
    echo
    echo "Goals: time within 1.3 x the floor, peak memory under 8 MiB (highest peak of all runs):"
    awk '{ printf "  %-7s time %.2f x floor: %s;  peak %.1f MiB: %s\n", $1, $4 / $9,
             ($4 / $9 <= 1.3) ? "met" : "NOT met", $6 / 1024, ($6 < 8192) ? "met" : "NOT met" }' \
        "$TABLE"
fi
if [ ${#NOTES[@]} -gt 0 ]; then
    echo
    printf '%s\n' "${NOTES[@]}"
fi
