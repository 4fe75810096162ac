#!/usr/bin/env bash
# Builds the benchmarks (Release, build-release/) and prints every ratio
# the project holds itself to, each measured side by side in one run of its
# benchmark program, beside its goal:
#
#   bench/ratios.sh            every ratio
#   bench/ratios.sh NAME...    only those whose name contains one of NAME
#
# Exits 1 when a ratio misses its goal. Each pair is repeated seven times,
# the repetitions of a program's benchmarks interleaved in random order so
# that a slow spell of the machine falls on both sides alike, and the
# fastest runs compared, the ones the machine disturbed least.
set -euo pipefail
source "$(dirname "$0")/../tools/setup.sh"
install_missing_packages
BUILD=$ROOT/build-release
configure_and_build "$BUILD" -DCMAKE_BUILD_TYPE=Release -DVARNHOLT_BUILD_TESTS=OFF -DVARNHOLT_BUILD_BENCH=ON >/dev/null
install_dwg_reader "$BUILD/app"
OUT=$BUILD/ratios
mkdir -p "$OUT"

# name | program | measured benchmark | against | goal
PAIRS=(
  "start-up / library load|app/app_bench|BM_StartUpToShownWindow|BM_LoadLibraryOnly|1.10"
  "paint of a 100,000-vertex hinge / direct QPainter|app/app_bench|BM_PaintHinge100k_Renderer|BM_PaintHinge100k_QPainterDirect|1.05"
  "library load / TinyXML parse|library/library_bench|BM_LoadWholeLibrary|BM_TinyXmlLoadFileAlone|1.10"
  "DXF import through the reader / dxflib bare parse|importer/importer_bench|BM_ImportHinges|BM_DxflibBareParse|1.15"
  "grid fill and clear / QStandardItemModel|grid/grid_bench|GridFillAndClear|StandardModelFillAndClear|0.20"
  "grid repaint / QTreeView|grid/grid_bench|GridRepaint|TreeViewRepaint|0.60"
  "four-hinge door programs / Clipper offsets (arcs)|machining/machining_bench|BM_BothPrograms/arcs|BM_ClipperOffsetsAlone/arcs|2.00"
  "four-hinge door programs / Clipper offsets (wavy)|machining/machining_bench|BM_BothPrograms/wavy|BM_ClipperOffsetsAlone/wavy|2.00"
  "1,000-row order, programs and job sheet / one by one|orders/orders_bench|BM_OrderToProgramsAndSheet|BM_DoorsOneByOne|1.20"
)

wanted() {
  [ $# -le 1 ] && return 0
  local name=$1; shift
  for w in "$@"; do [[ $name == *"$w"* ]] && return 0; done
  return 1
}

# The benchmarks of a program that some ratio compares, as a filter.
declare -A COMPARED
for pair in "${PAIRS[@]}"; do
  IFS='|' read -r name program measured against goal <<<"$pair"
  COMPARED[$program]+="${COMPARED[$program]:+|}$measured|$against"
done

# One JSON file per benchmark program, each run once with repetitions, of
# the benchmarks the ratios compare alone.
run_program() {
  local program=$1 json=$OUT/$(basename "$1").json
  if [ ! -s "$json" ]; then
    QT_QPA_PLATFORM=offscreen "$BUILD/bench/$program" --benchmark_filter="^(${COMPARED[$program]})(/|\$)" \
      --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true \
      --benchmark_out="$json" --benchmark_out_format=json >"$OUT/$(basename "$1").log" 2>&1
  fi
  echo "$json"
}

rm -f "$OUT"/*.json
missed=0
printf '%-58s %7s %6s  %s\n' "ratio" "value" "goal" "times (fastest of the repetitions)"
for pair in "${PAIRS[@]}"; do
  IFS='|' read -r name program measured against goal <<<"$pair"
  wanted "$name" "$@" || continue
  json=$(run_program "$program")
  line=$(/usr/bin/python3 - "$json" "$measured" "$against" "$goal" "$name" <<'PY'
import json, sys
path, measured, against, goal, name = sys.argv[1:]
runs = json.load(open(path))["benchmarks"]
# A benchmark's runs, whatever suffixes its options give the name
# ("/iterations:3", "/real_time").
def named(r, base):
    name = r.get("run_name", r["name"])
    return name == base or name.startswith(base + "/")
def fastest(base):
    times = [r for r in runs if named(r, base) and r.get("run_type", "iteration") == "iteration"]
    if not times:
        print("%-58s %7s %6s  no runs of %s  MISSED" % (name, "-", "<=" + goal, base))
        sys.exit(0)
    best = min(times, key=lambda r: r["real_time"])
    return best["real_time"], best["time_unit"]
m, mu = fastest(measured)
a, au = fastest(against)
ratio = m / a
print("%-58s %7.2f %6s  %.1f %s / %.1f %s%s" % (name, ratio, "<=" + goal, m, mu, a, au,
      "" if ratio <= float(goal) else "  MISSED"))
PY
)
  echo "$line"
  [[ $line == *MISSED ]] && missed=1
done

if wanted "DWG import / package bare read" "$@"; then
  dwg=$("$BUILD/bench/importer/dwg_bench" 2>&1 | tail -n 1) || missed=1
  echo "DWG import / package bare read: $dwg"
fi
exit $missed
