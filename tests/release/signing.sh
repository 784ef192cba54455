#!/usr/bin/env bash
# Authenticode on the release with a throwaway self-signed code-signing certificate made here
# (no network, no time-stamp server): osslsigncode signs a copy directly and through the
# build's own signing script (PEM pair; PKCS#12 with its password from the environment), the
# signatures verify against that certificate, signing adds the certificate table and changes
# nothing else, the PE checks still hold, and a byte changed after signing is caught.
#
# usage: signing.sh RELEASE.exe PAYLOAD.bin
set -euo pipefail
[[ $# -eq 2 ]] || { echo "usage: $0 RELEASE.exe PAYLOAD.bin" >&2; exit 2; }
release=$(realpath "$1") payload=$(realpath "$2")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
sign=$here/../../scripts/sign-release.sh

work=$(mktemp -d "${TMPDIR:-/tmp}/tevorlyn-signing.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

status=0
ok() { echo "ok: $1"; }
bad() { echo "FAILED: $1" >&2; status=1; }
expect() { # expect DESCRIPTION COMMAND... - the command must succeed
    local what=$1
    shift
    if "$@" >"$work/out.log" 2>&1; then ok "$what"; else cat "$work/out.log" >&2; bad "$what"; fi
}
refuse() { # refuse DESCRIPTION COMMAND... - the command must fail
    local what=$1
    shift
    if "$@" >"$work/out.log" 2>&1; then cat "$work/out.log" >&2; bad "$what"; else ok "$what"; fi
}

# A build configured to sign has signed its release already: start from the unsigned bytes.
checks=$(python3 "$here/check_release.py" "$release" "$payload" || true)
if [[ $checks == *"FAILED: no certificate table"* ]]; then
    osslsigncode remove-signature -in "$release" -out "$work/release.exe" >/dev/null
    release=$work/release.exe
fi

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -keyout key.pem -out cert.pem \
    -subj "/CN=Tevorlyn Setup throwaway test signer" \
    -addext "basicConstraints=critical,CA:FALSE" -addext "keyUsage=critical,digitalSignature" \
    -addext "extendedKeyUsage=codeSigning" >/dev/null 2>&1
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -keyout other-key.pem -out other.pem \
    -subj "/CN=Someone else" -addext "extendedKeyUsage=codeSigning" >/dev/null 2>&1
openssl pkcs12 -export -in cert.pem -inkey key.pem -out bundle.p12 -passout pass:throwaway-secret

# Three ways to a signed copy: osslsigncode itself, and the build's script with each kind of key.
cp "$release" direct.exe
expect "osslsigncode signs a copy (SHA-256, no time stamp)" \
    osslsigncode sign -certs cert.pem -key key.pem -h sha256 -n "Tevorlyn App Pack" -in direct.exe -out signed-direct.exe
cp "$release" signed-pem.exe
expect "the build's signing step signs with a PEM certificate and key" bash "$sign" signed-pem.exe --certs cert.pem --key key.pem
cp "$release" signed-p12.exe
expect "the build's signing step signs with a PKCS#12 bundle" \
    env TEVORLYN_SIGN_PASSWORD=throwaway-secret bash "$sign" signed-p12.exe --pkcs12 bundle.p12

for copy in signed-direct.exe signed-pem.exe signed-p12.exe; do
    expect "$copy verifies against the throwaway certificate" osslsigncode verify -CAfile cert.pem -in "$copy"
    refuse "$copy does not verify against another certificate" osslsigncode verify -CAfile other.pem -in "$copy"
    expect "$copy still passes the PE checks, with a certificate table" \
        python3 "$here/check_release.py" --signed --forbid "$work" "$copy" "$payload"
    osslsigncode remove-signature -in "$copy" -out unsigned.exe >/dev/null 2>&1 || true
    expect "$copy without its signature is the release again" cmp unsigned.exe "$release"
    rm -f unsigned.exe
done

# A changed byte in the payload, after signing, no longer matches the signed digest.
python3 -c '
import sys
sys.path.insert(0, sys.argv[1])
from pe_file import PeFile
pe = PeFile(sys.argv[2])
data = bytearray(pe.data)
payload = next(d for t, n, _, d in pe.resources() if t == 10 and n == 102)
at = data.index(payload) + len(payload) // 2
data[at] ^= 0xFF
open(sys.argv[3], "wb").write(data)
' "$here" signed-pem.exe tampered.exe
refuse "a payload byte changed after signing is caught" osslsigncode verify -CAfile cert.pem -in tampered.exe

# Wrong or half-given credentials sign nothing and leave the file as it was.
cp "$release" wrong.exe
refuse "a wrong PKCS#12 password fails the signing step" \
    env TEVORLYN_SIGN_PASSWORD=not-the-password bash "$sign" wrong.exe --pkcs12 bundle.p12
expect "... and leaves the file unsigned" cmp wrong.exe "$release"
refuse "a certificate without its key is refused" bash "$sign" wrong.exe --certs cert.pem
refuse "a key that does not match the certificate is refused" bash "$sign" wrong.exe --certs cert.pem --key other-key.pem
expect "... and the file is still unsigned" cmp wrong.exe "$release"
exit $status
