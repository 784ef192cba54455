#!/usr/bin/env bash
# Signs an executable in place with Authenticode (osslsigncode, SHA-256, no time-stamp server).
# The build runs it on the release when it is given a certificate; tests run it directly.
#
# usage: sign-release.sh FILE --certs CERT.pem --key KEY.pem
#        sign-release.sh FILE --pkcs12 BUNDLE.p12
# A password for the key or bundle is read from the environment variable
# TEVORLYN_SIGN_PASSWORD (handed to osslsigncode on a pipe, never on a command line).
# With SOURCE_DATE_EPOCH set, that is the signing time, so signed builds are reproducible too.
set -euo pipefail

usage() {
    echo "usage: $0 FILE (--certs CERT --key KEY | --pkcs12 BUNDLE)" >&2
    exit 2
}
[[ $# -ge 1 ]] || usage
file=$1
shift
certs='' key='' pkcs12=''
while [[ $# -gt 0 ]]; do
    case $1 in
    --certs) certs=${2:-} ;;
    --key) key=${2:-} ;;
    --pkcs12) pkcs12=${2:-} ;;
    *) usage ;;
    esac
    shift 2 || usage
done

if [[ -n $pkcs12 && -z $certs && -z $key ]]; then
    credentials=(-pkcs12 "$pkcs12")
elif [[ -z $pkcs12 && -n $certs && -n $key ]]; then
    credentials=(-certs "$certs" -key "$key")
else
    echo "$0: give either a certificate and its key, or a PKCS#12 bundle" >&2
    exit 2
fi

options=(sign "${credentials[@]}" -h sha256 -n "Tevorlyn App Pack")
[[ -z ${SOURCE_DATE_EPOCH:-} ]] || options+=(-time "$SOURCE_DATE_EPOCH")

signed=$file.signing
rm -f "$signed"
if [[ -n ${TEVORLYN_SIGN_PASSWORD:-} ]]; then
    printf '%s' "$TEVORLYN_SIGN_PASSWORD" | osslsigncode "${options[@]}" -readpass - -in "$file" -out "$signed" >/dev/null
else
    osslsigncode "${options[@]}" -in "$file" -out "$signed" >/dev/null
fi || { rm -f "$signed"; echo "$0: signing $file failed" >&2; exit 1; }
mv -f "$signed" "$file"
echo "signed $file"
