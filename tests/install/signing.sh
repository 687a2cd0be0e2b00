#!/usr/bin/env bash
# Packs the downloads signed with a throwaway self-signed certificate and checks every
# signature with osslsigncode: the program and the tools in the stage and in the zip, and the
# setup. The uninstaller, signed inside the setup, is checked by the round trip once installed.
# Usage: signing.sh <work dir> <Adagiomill.exe> <adgcheck.exe> <fortune2adg.exe>
set -uo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mkdir -p "$1" && cd "$1" && pwd)"
shift
keys="$work/signing"
passed=0
failed=0
check() {
  local what="$1"
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}
# Signed with SHA-256 by our certificate, and the file unchanged since.
signed() {
  local out
  out="$(osslsigncode verify -CAfile "$keys/cert.pem" -in "$1" 2>&1)" &&
    grep -q 'Message digest algorithm *: SHA256' <<<"$out" &&
    grep -q 'Signature verification: ok' <<<"$out"
}

echo "== Signing =="
rm -rf "$keys" "$work/stage" "$work/dist"
mkdir -p "$keys"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Adagiomill test signing" \
  -addext extendedKeyUsage=codeSigning -keyout "$keys/key.pem" -out "$keys/cert.pem" \
  >/dev/null 2>&1 || { echo "signing: openssl could not make a certificate" >&2; exit 1; }
SIGN_KEY="$keys/key.pem" SIGN_CERT="$keys/cert.pem" \
  "$repo/tools/installer/package.sh" "$@" "$work/stage" "$work/dist" >"$work/package.log" 2>&1 ||
  { cat "$work/package.log"; echo "signing: packing failed" >&2; exit 1; }

# The check itself must tell: an executable as the build leaves it has no signature.
check "an unsigned executable fails the check" eval '! signed "$1"'
mkdir -p "$keys/zip"
(cd "$keys/zip" && unzip -q "$work/dist/"*-win64.zip)
for f in Adagiomill.exe tools/adgcheck.exe tools/fortune2adg.exe; do
  check "$f signed" signed "$work/stage/$f"
  check "$f in the zip signed" signed "$keys/zip/$f"
done
check "setup signed" signed "$(ls "$work/dist/"*-setup.exe)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
