#!/usr/bin/env bash
# Fails when a program or library carries a run path entry the loader would
# read relative to the current folder: an empty entry (":" at either end or
# "::") or one that is neither absolute nor under $ORIGIN. A library lying
# beside a downloaded document must never be loaded in its place.
#   check_run_paths.sh FILE...
set -euo pipefail
status=0
for file in "$@"; do
  [[ -e "$file" ]] || { echo "FAIL: $file: missing" >&2; status=1; continue; }
  # "Library runpath: [a:b]" and "Library rpath: [a:b]"
  while IFS= read -r paths; do
    # The extra ":" keeps a trailing empty entry, which read would drop.
    IFS=: read -r -a entries <<<"$paths:"
    for entry in "${entries[@]}"; do
      if [[ -z "$entry" ]]; then
        echo "FAIL: $file: empty run path entry in [$paths]" >&2
        status=1
        break
      elif [[ "$entry" != /* && "$entry" != '$ORIGIN' && "$entry" != '$ORIGIN/'* ]]; then
        echo "FAIL: $file: relative run path entry '$entry' in [$paths]" >&2
        status=1
        break
      fi
    done
  done < <(readelf -d "$file" | sed -n 's/.*Library r\(un\)\{0,1\}path: \[\(.*\)\]$/\2/p')
done
exit $status
