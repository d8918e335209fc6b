#!/usr/bin/env bash
# brelo-render against ffmpeg on the same job, timed in one run: 24 frames of
# one 1920 x 1080 picture rendered to PNG files, ffmpeg with an RGB shift and
# an overlay blend (a comparable look), brelo-render with the demo's Lines
# settings, both on the same number of threads. Prints both times, the ratio
# (brelo-render over ffmpeg) and the size of the PNG files each wrote.
#
#   bench/vs_ffmpeg.sh            builds brelo-render in Release first (scripts/build-release)
#   THREADS=1 bench/vs_ffmpeg.sh  one thread for both
#   BRELO_RENDER=path bench/vs_ffmpeg.sh   a brelo-render already built
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
threads="${THREADS:-$(nproc 2>/dev/null || echo 2)}"

if [ -z "${BRELO_RENDER:-}" ]; then
  bash "$root/scripts/build-release"
  BRELO_RENDER="$root/build-release/tools/brelo-render/brelo-render"
fi
command -v ffmpeg >/dev/null || { echo "vs_ffmpeg: ffmpeg is not installed (scripts/setup --video-hosts)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/ffmpeg" "$work/brelo"

# The picture: brelo-render's test card at 1920 x 1080, the effect off.
"$BRELO_RENDER" -q -e lines --size 1920x1080 -s "Total Width=0" -s "Original=on" -o "$work/card.png"

now() { date +%s.%N; }

t0=$(now)
ffmpeg -nostdin -v error -threads "$threads" -filter_threads "$threads" -loop 1 -i "$work/card.png" \
  -filter_complex "[0:v]format=rgba,split[base][top];[top]rgbashift=rh=-24:bh=24[shifted];[base][shifted]blend=all_mode=overlay" \
  -frames:v 24 "$work/ffmpeg/frame_%04d.png"
t1=$(now)
"$BRELO_RENDER" -q -e lines -j "$threads" -i "$work/card.png" --fps 24 --frames 0-23 \
  -s "Set Expression=Optimum Total Width" -s "Completion=0@0;100@1.5" -s "Max Width 1=48" -s "Max Gap 1=4" \
  -s "Max Slice=120" -s "Slice Delay=40" -s "Max RGB Separation=24" -s "RGB Delay=40" \
  -o "$work/brelo/frame_%04d.png"
t2=$(now)

bytes() { du -cb "$1"/*.png | tail -1 | cut -f1; }
awk -v f="$t0" -v m="$t1" -v b="$t2" -v fb="$(bytes "$work/ffmpeg")" -v bb="$(bytes "$work/brelo")" -v n="$threads" 'BEGIN {
  printf "threads            %d\n", n
  printf "ffmpeg             %.2f s  (%.1f MB of PNG)\n", m - f, fb / 1e6
  printf "brelo-render       %.2f s  (%.1f MB of PNG)\n", b - m, bb / 1e6
  printf "brelo / ffmpeg     %.2f\n", (b - m) / (m - f)
}'
