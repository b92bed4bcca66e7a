#!/usr/bin/env bash
# Watches a bomb wave on a real window: starts the game on a virtual X server whose
# screen is a file (Xvfb -fbdir), starts an easy game with xdotool, sets off a bomb and
# samples the screen 100 times a second for 0.9 s, printing the time (ms) and the x of
# the vertical wave sweeping right (the bright blue band of rows 430 to 439, left half).
# Smooth motion shows it about 4 pixels further at every sample (16 pixels a 40 ms
# tick); classic shows it standing for 4 samples, then jumping.
# Needs xvfb, xdotool and g++. Usage: motion-capture.sh RUN_FOLDER smooth|classic
set -euo pipefail
game=$(cd "$1" && pwd) motion=$2
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT

cat > "$work/fbwatch.cpp" <<'CPP'
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <thread>
#include <vector>
static uint32_t Be(const uint8_t* p) { return (p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }
int main(int, char** argv) {
  const int fd = open(argv[1], O_RDONLY);
  struct stat st;
  fstat(fd, &st);
  auto* m = static_cast<const uint8_t*>(mmap(nullptr, st.st_size, PROT_READ, MAP_SHARED, fd, 0));
  const uint8_t* base = m + Be(m) + Be(m + 76) * 12;  // XWD header, colour map, pixels
  const uint32_t bytesPerLine = Be(m + 48);
  const auto start = std::chrono::steady_clock::now();
  for (int n = 0; n <= 90; ++n) {
    std::this_thread::sleep_until(start + std::chrono::milliseconds(10 * n));
    const double t = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::vector<int> xs;
    for (int y = 430; y < 440; ++y)
      for (int x = 0; x < 400; ++x) {
        const uint8_t* p = base + y * bytesPerLine + x * 4;  // blue, green, red
        if (p[2] > 150 && p[1] > 200 && p[0] > 220) xs.push_back(x);
      }
    if (xs.size() < 10) continue;
    std::nth_element(xs.begin(), xs.begin() + xs.size() / 2, xs.end());
    std::printf("%7.1f %d\n", t, xs[xs.size() / 2]);
  }
}
CPP
g++ -O2 -o "$work/fbwatch" "$work/fbwatch.cpp"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 800x600x24 -fbdir "$work" >/dev/null 2>&1 &
sleep 1
export DISPLAY=$display
cp -r "$game" "$work/game"
cd "$work/game"
rm -f log.txt highscores.txt
printf 'motion = %s\nrefresh = 100\n' "$motion" > settings.txt
# Xvfb's presents wait for a 60 Hz "vsync" of their own: without it the game keeps to
# the refresh rate of its settings.
SDL_RENDER_VSYNC=0 SDL_AUDIODRIVER=dummy ./quellix --window >/dev/null 2>&1 &
for _ in $(seq 100); do grep -q "Going into Game" log.txt 2>/dev/null && break; sleep 0.1; done
sleep 0.5
xdotool mousemove_relative -- -300 -300; sleep 0.05
xdotool mousemove_relative -- -300 -300; sleep 0.1
xdotool mousemove_relative -- 130 295; sleep 0.3   # onto "easy"
xdotool mousedown 1; sleep 0.15; xdotool mouseup 1
sleep 2.5
"$work/fbwatch" "$work/Xvfb_screen0" &
watch=$!
sleep 0.05
xdotool key space
wait "$watch"
grep -a "Smooth motion" log.txt || true
