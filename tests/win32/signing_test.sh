#!/usr/bin/env bash
# Signing as a release signs: a throwaway self-signed certificate, Zelmar.exe
# signed through the build's own step, and the signature, with SHA-256
# digests, accepted by osslsigncode verify; without a certificate the file ships unsigned, with
# the same bytes as built.
#   signing_test.sh SHIP_SCRIPT ZELMAR_EXE
set -euo pipefail
ship=$1
exe=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
  -subj "/CN=Zelmar test signer" 2>/dev/null
cmake -DIN="$exe" -DOUT="$work/signed.exe" -DEPOCH=0 -DCERT="$work/cert.pem" -DKEY="$work/key.pem" -P "$ship"
if ! osslsigncode verify -CAfile "$work/cert.pem" -in "$work/signed.exe" >"$work/verify.txt" 2>&1; then
  cat "$work/verify.txt" >&2
  fail "the signature is not accepted"
fi
grep -q 'Signature verification: ok' "$work/verify.txt" || fail "osslsigncode did not verify the signature"
grep -q 'Zelmar test signer' "$work/verify.txt" || fail "the signer is not the certificate's"
# SHA-256 throughout: Windows no longer trusts a SHA-1 Authenticode digest.
grep -E -q 'digest algorithm *: *SHA256' "$work/verify.txt" || fail "the file's digest is not SHA-256"
! grep -E -i -q 'digest algorithm *: *(SHA1|MD5)' "$work/verify.txt" || fail "a digest is SHA-1 or MD5"

cmake -DIN="$exe" -DOUT="$work/unsigned.exe" -DEPOCH=0 -P "$ship"
cmp -s "$exe" "$work/unsigned.exe" || fail "unsigned, the shipped file differs from the built one"
! osslsigncode verify -in "$work/unsigned.exe" >/dev/null 2>&1 || fail "the unsigned file verifies as signed"
echo "signed and verified; unsigned without a certificate, as built"
