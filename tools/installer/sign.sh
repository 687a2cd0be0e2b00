#!/usr/bin/env bash
# Signs one Windows executable in place with Authenticode, SHA-256, through osslsigncode.
# The key and the certificate come from the environment, never from the repository:
#   SIGN_KEY   private key (PEM or DER)      SIGN_CERT  certificate chain (PEM or DER)
#   SIGN_TIMESTAMP  RFC 3161 time-stamp server URL (optional; none by default)
# Usage: sign.sh FILE
set -euo pipefail
file="$1"
: "${SIGN_KEY:?SIGN_KEY names the private key}" "${SIGN_CERT:?SIGN_CERT names the certificate}"

args=(sign -h sha256 -key "$SIGN_KEY" -certs "$SIGN_CERT" -n Adagiomill)
if [ -n "${SIGN_TIMESTAMP:-}" ]; then args+=(-ts "$SIGN_TIMESTAMP"); fi
# osslsigncode writes a new file; the signed copy replaces the original only when complete.
osslsigncode "${args[@]}" -in "$file" -out "$file.signed" >/dev/null
mv -f "$file.signed" "$file"
