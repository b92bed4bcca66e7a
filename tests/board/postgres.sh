#!/usr/bin/env bash
# Runs a command beside a PostgreSQL server of its own: Debian's PostgreSQL started in a
# new temporary folder on a free loopback port (as the user "nobody" when run as root,
# which PostgreSQL refuses), its address in QUELLIX_TEST_POSTGRES; stopped and removed
# at the end, however the command ends. Exits with the command's status.
#
#   tests/board/postgres.sh COMMAND [ARG]...
set -euo pipefail
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
if [ -z "$bin" ]; then
  echo "postgres.sh: PostgreSQL is not installed (scripts/deps.sh installs it)" >&2
  exit 1
fi
folder=$(mktemp -d "${TMPDIR:-/tmp}/quellix-postgres-XXXXXX")
as=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$folder"
  as=(runuser -u nobody --)
fi
stop() {
  "${as[@]}" "$bin/pg_ctl" -D "$folder/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$folder"
}
trap stop EXIT
"${as[@]}" "$bin/initdb" -D "$folder/data" -U board --auth=trust -E UTF8 >"$folder/initdb.log" 2>&1 ||
  { cat "$folder/initdb.log" >&2; exit 1; }

# A free port: none answers there, and the server starting on it says whether it got it.
for attempt in $(seq 1 20); do
  port=$((20000 + RANDOM % 30000))
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
  if "${as[@]}" "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
    -o "-c listen_addresses=127.0.0.1 -p $port -k $folder -c fsync=off" start >/dev/null; then
    export QUELLIX_TEST_POSTGRES="postgresql://board@127.0.0.1:$port/postgres"
    echo "postgres.sh: PostgreSQL on 127.0.0.1:$port"
    status=0
    "$@" || status=$?
    exit "$status"
  fi
done
echo "postgres.sh: PostgreSQL did not start:" >&2
cat "$folder/server.log" >&2
exit 1
