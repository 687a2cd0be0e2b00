#!/usr/bin/env bash
# Two clean builds of the current commit, cloned into two folders of different depth, must
# give the same bytes: Adagiomill.exe and the tools as packed, the zip, the setup, SHA256SUMS
# and the manifests. Unsigned: a signature holds the time it was made.
# Usage: reproducible.sh <work dir>
set -uo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mkdir -p "$1" && cd "$1" && pwd)"
commit="$(git -C "$repo" rev-parse HEAD)"
one="$work/one/Adagiomill"
two="$work/two/a/longer/path/to/another-clone"

echo "== Reproducible downloads: two builds of $(git -C "$repo" rev-parse --short HEAD) =="
rm -rf "$work/one" "$work/two"
for clone in "$one" "$two"; do
  git clone -q --no-checkout "$repo" "$clone" && git -C "$clone" checkout -q --detach "$commit" ||
    { echo "dist-check: could not clone $commit" >&2; exit 1; }
  (cd "$clone" && env -u SOURCE_DATE_EPOCH -u SIGN_KEY -u SIGN_CERT make dist JOBS="${JOBS:-2}") \
    >"$clone.log" 2>&1 || { tail -n 30 "$clone.log"; echo "dist-check: the build in $clone failed" >&2; exit 1; }
done

hashes() { (cd "$1" && find dist build/dist/stage -type f -print0 | sort -z | xargs -0 sha256sum); }
hashes "$one" >"$work/one.sha256"
hashes "$two" >"$work/two.sha256"
passed=$(wc -l <"$work/one.sha256")
different=$(diff "$work/one.sha256" "$work/two.sha256" | sed -n 's/^> [0-9a-f]*  //p')
for file in $different; do echo "FAILED: $file differs between the two builds"; done
failed=$(wc -w <<<"$different")
echo "$((passed - failed)) passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
