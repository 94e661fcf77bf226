#!/usr/bin/env bash
# The publisher's signing step (scripts/sign) with a certificate made here and
# thrown away: the signature verifies and names the certificate, one changed
# byte breaks it, the signed setup still installs under Wine (the signature
# goes after the resources), and what cannot be signed is refused with the
# target left as it was.
# Usage: check_signing.sh SOURCE BUILD
set -euo pipefail
src=$1 build=$2
source "$build/test-arch.sh"
work=$build/signing && rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*"; exit 1; }
sign() { "$src/scripts/sign" "$@"; }
verify() { osslsigncode verify -CAfile cert.pem -in "$1" >"$1.txt" 2>&1; }

export PASSWORD='pass word' && echo "$PASSWORD" >password && echo wrong >wrong
openssl req -x509 -newkey rsa:2048 -days 2 -subj '/CN=Dunvo Test Publisher' \
    -passout env:PASSWORD -keyout key.pem -out cert.pem 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in cert.pem -passin env:PASSWORD -passout env:PASSWORD -out cert.p12

shipped=$build/target/SetupD.exe && cp "$shipped" unsigned.exe
sign --pkcs12 cert.p12 --password-file password --out signed.exe "$shipped"
cmp unsigned.exe "$shipped" || fail "signing into another file changed the build's SetupD.exe"
verify signed.exe || { cat signed.exe.txt; fail "the signed setup does not verify"; }
grep -q 'Subject: /CN=Dunvo Test Publisher' signed.exe.txt || fail "verify does not name the publisher"
grep -q 'Message digest algorithm *: SHA256' signed.exe.txt || fail "the signature is not SHA-256"

at=$(($(stat -c %s signed.exe) / 2)) && cp signed.exe changed.exe
byte=$(od -An -tu1 -j"$at" -N1 changed.exe)
printf "\\$(printf %03o $(((byte + 1) % 256)))" | dd of=changed.exe bs=1 seek="$at" conv=notrunc status=none
! cmp -s signed.exe changed.exe || fail "the byte was not changed"
! verify changed.exe || fail "a setup with a changed byte still verifies"

# Refused: a wrong password, a missing certificate, a file that is not a
# program. Each names its cause; nothing is written, no temporary is left.
cp "$DUNVO_TEST_BIN/SetupD.exe" wine.exe && before=$(ls -A)
refused() { # CAUSE ARGUMENTS...
    ! sign "${@:2}" 2>refusal.txt || fail "scripts/sign ${*:2} was not refused"
    cat refusal.txt && grep -q "$1" refusal.txt || fail "the refusal does not say: $1"
}
refused 'password is wrong' --pkcs12 cert.p12 --password-file wrong wine.exe
refused 'cannot read missing.p12' --pkcs12 missing.p12 --password-file password --out out.exe wine.exe
refused 'not a Windows program' --pkcs12 cert.p12 --password-file password cert.pem
rm refusal.txt && [ "$(ls -A)" = "$before" ] || fail "a refusal left files behind: $(ls -A)"
cmp wine.exe "$DUNVO_TEST_BIN/SetupD.exe" || fail "a refused signing changed its target"

# The key and certificate pair, the password from the environment, in place;
# then the default installation with this setup.
DUNVO_SIGN_PASSWORD=$PASSWORD sign --key key.pem --cert cert.pem wine.exe
verify wine.exe || { cat wine.exe.txt; fail "the setup signed in place does not verify"; }
DUNVO_SETUP_EXE=$work/wine.exe DUNVO_BUILD=$build ROWS='^default$' "$src/tests/e2e/run.sh" options
cmp wine.exe "$build/e2e/options/setup-folder/SetupD.exe" || fail "the installation ran another setup"
