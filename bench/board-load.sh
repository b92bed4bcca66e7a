#!/usr/bin/env bash
# The board's reads under load, with SQLite and with PostgreSQL: quellix-board on this
# machine (two workers), READERS clients asking for tables over and over and one client
# sending games (eight games of the skilled bot, each checked once, then sent again and
# answered 409), for SECONDS seconds each. Prints quellix-board-load's line of figures
# for each back end. PostgreSQL is started by tests/board/postgres.sh.
#
#   bench/board-load.sh [BUILD] [SECONDS] [READERS]      default build/release 20 8
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/release}")
seconds=${2:-20}
readers=${3:-8}
for program in board/quellix-board board/load/quellix-board-load; do
  if [ ! -x "$build/$program" ]; then
    echo "board-load.sh: no $build/$program; build the release preset first" >&2
    exit 2
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/board/load/quellix-board-load" --make-games 8 --games "$work/games" >/dev/null

# One back end: the board on a free port, the load, the board stopped.
measure() {
  local name=$1 db=$2
  "$build/board/quellix-board" --db "$db" --listen 127.0.0.1:0 --workers 2 --rate 1000000 \
    >"$work/$name.out" 2>"$work/$name.log" &
  local board=$!
  local port=""
  for _ in $(seq 1 100); do
    port=$(sed -n 's/^quellix-board listening on http:\/\/127.0.0.1:\([0-9]*\)$/\1/p' "$work/$name.out")
    [ -n "$port" ] && break
    sleep 0.1
  done
  if [ -z "$port" ]; then
    cat "$work/$name.log" >&2
    exit 1
  fi
  printf '%-10s ' "$name:"
  "$build/board/load/quellix-board-load" --port "$port" --readers "$readers" --senders 1 \
    --seconds "$seconds" --games "$work/games" || true
  kill "$board"
  wait "$board" || true
}
export -f measure
export build seconds readers work

echo "quellix-board under load: $readers readers and 1 sender for ${seconds}s, $(nproc) processors"
measure sqlite "$work/board.sqlite"
tests/board/postgres.sh bash -c 'measure postgresql "$QUELLIX_TEST_POSTGRES"' | grep -v '^postgres.sh:'
