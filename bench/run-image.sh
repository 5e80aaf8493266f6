#!/bin/sh
# Builds the imaging benchmarks (Release) and prints one table of all of them,
# measured in one run: sprite cells beside SDL's RLE blit and memcpy, the
# present chain, the filters beside their plain per-pixel paths, lines beside
# SDL_gfx's lineColor. Usage: bench/run-image.sh [build directory]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVORN_BENCH=ON -DVORN_TESTS=OFF >/dev/null
make -C "$build" -j2 image_bench >/dev/null
json=$(mktemp)
trap 'rm -f "$json"' EXIT
"$build/bench/image/image_bench" --benchmark_min_time=0.5 --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true --benchmark_out="$json" --benchmark_out_format=json >/dev/null
python3 - "$json" <<'PY'
import json, sys
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
def us(name): return runs[name]["real_time"] / (1000.0 if runs[name]["time_unit"] == "ns" else 1.0)
def rate(name): return runs[name]["items_per_second"] / 1e6
print("| measurement | result | compared with |")
print("|---|---|---|")
for clip in ("unclipped", "clipped"):
    ours, sdl = rate("KeyedCell/" + clip), rate("SdlRleCell/" + clip)
    print(f"| IMGBlitKeyed 16x16 cell, {clip} | {ours:.1f} M sprites/s | SDL RLE colour-key blit {sdl:.1f} M/s (x{ours / sdl:.2f}); memcpy of the rows {rate('MemcpyCell'):.1f} M/s |")
print(f"| present chain 256x256 (glow 5H shift 3, blur 5H, copy, fade) | {us('PresentChain'):.1f} µs | goal 250 µs |")
for name in ("Blur3x3", "Glow5H", "Blur5H"):
    for side in (256, 1024):
        fast, plain = us(f"FilterRun/{name}/{side}"), us(f"FilterRun/{name}_plain/{side}")
        print(f"| IMGFX{name} {side}x{side} | {fast:.0f} µs ({fast * 1000 / side / side:.2f} ns/pixel) | plain per-pixel path {plain:.0f} µs (x{plain / fast:.1f}) |")
ours, gfx = rate("Lines"), rate("SdlGfxLines")
print(f"| IMGLine, mixed lines on 256x256, a quarter running off | {ours:.1f} M lines/s | SDL_gfx lineColor {gfx:.1f} M lines/s (x{ours / gfx:.2f}) |")
PY
