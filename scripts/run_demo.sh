#!/usr/bin/env bash
# Runs quill on a bundled example deck, in a copy under the build tree so that
# examples/ stays clean, and says where the results are.
set -euo pipefail
build_dir=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
example=${DEMO_EXAMPLE:-}
if [ -z "$example" ]; then
  for candidate in shale_gas homogeneous_box; do
    if [ -d "$root/examples/$candidate" ]; then example=$candidate; break; fi
  done
fi
if [ -z "$example" ]; then
  echo "No example deck is bundled yet; quill was built at $build_dir/solver/quill."
  exit 0
fi
run_dir="$root/$build_dir/demo/$example"
rm -rf "$run_dir"
mkdir -p "$run_dir"
cp -r "$root/examples/$example/." "$run_dir/"
deck=$(basename "$(ls "$run_dir"/*.fip | head -n 1)" .fip)
echo "Running quill on examples/$example/$deck.fip"
(cd "$run_dir" && "$root/$build_dir/solver/quill" "$deck" .)
echo
echo "Results are in $run_dir:"
ls -1 "$run_dir" | sed 's/^/  /'
