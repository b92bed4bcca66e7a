#!/usr/bin/env bash
# Checks every include of src/ against the layer table of docs/architecture.md: a file
# may include headers of its own folder and of the folders its row names (a row for the
# file itself wins over its folder's); and only web/ includes Emscripten's headers.
# Prints each include that climbs, with the rule it breaks, and fails; else one line.
set -euo pipefail
cd "$(dirname "$0")/.."
doc=docs/architecture.md
# The browser's glue stays in web/: no other folder includes Emscripten's headers.
if leaks=$(grep -rn -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]emscripten' src --include='*.h' --include='*.cpp' | grep -v '^src/web/'); then
  echo "$leaks" | sed 's/$/: Emscripten belongs to web\//'
  exit 1
fi
folders=$(cd src && echo */ | tr -d /)
find src -name '*.h' -o -name '*.cpp' | sort |
  xargs grep -Hn -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' |
  awk -v doc="$doc" -v folders="$folders" '
    function words(text, out,   n) {
      n = 0
      while (match(text, /`[^`]+`/)) {
        out[++n] = substr(text, RSTART + 1, RLENGTH - 2)
        text = substr(text, RSTART + RLENGTH)
      }
      return n
    }
    BEGIN {
      split(folders, list, " ")
      for (i in list) isFolder[list[i]] = 1
      while ((getline line < doc) > 0) {
        if (line ~ /^\| Folder \| May use \|/) { inTable = 1; continue }
        if (inTable && line !~ /^\|/) inTable = 0
        if (inTable && line !~ /^\| ---/) {
          split(line, cell, "|")
          if (words(cell[2], name) != 1) continue
          rows[name[1]] = 1; ++rowCount
          n = words(cell[3], uses)
          for (i = 1; i <= n; i++) may[name[1], uses[i]] = 1
          shown[name[1]] = n ? "may use " join(uses, n) : "may use no other folder"
        }
      }
      if (!rowCount) { print doc ": no layer table found"; fatal = 1 }
    }
    function join(a, n,   s, i) { s = a[1]; for (i = 2; i <= n; i++) s = s ", " a[i]; return s }
    fatal { next }
    {
      split($0, at, ":")
      path = at[1]; lineNo = at[2]
      file = substr(path, 5)                    # without "src/"
      folder = file; sub(/\/.*/, "", folder)
      rule = (file in rows) ? file : folder
      if (!(rule in rows)) { bad(folder " is not in the layer table"); next }
      match($0, /include[[:space:]]*["<][^">]*/)
      target = substr($0, RSTART, RLENGTH); sub(/^include[[:space:]]*["<]/, "", target)
      if (target ~ /(^|\/)\.\.\//) { bad("\"" target "\" reaches out of its folder by \"..\""); next }
      used = target; sub(/\/.*/, "", used)
      if (used == target || !(used in isFolder)) next   # same folder, or not ours
      ++checked
      if (used == folder || may[rule, used]) next
      if (!(used in rows)) { bad("\"" target "\": " used " is not in the layer table"); next }
      bad("\"" target "\" climbs: " rule " " shown[rule])
    }
    function bad(what) { print path ":" lineNo ": " what; ++errors }
    END {
      if (fatal) exit 2
      if (errors) { print errors " include(s) break the layer table of " doc; exit 1 }
      print "Layers: the " checked " includes of src/ keep to the table of " doc
    }'
