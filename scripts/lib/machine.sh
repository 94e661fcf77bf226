# Sourced by scripts/run, scripts/test and scripts/bench: makes a fresh Debian 12
# machine able to build and run the setup. Installs only what is missing.
set -euo pipefail

# What scripts/sign calls: the signer, openssl for the test's throwaway
# certificate, and the roots that the check of a signature chains to.
SIGNING_PACKAGES=(osslsigncode openssl ca-certificates)
# Everything the build, the tests and the benchmark call, also what a minimal
# image lacks (file, bc, procps for free, binutils for strings and objdump).
PACKAGES=(cmake make g++ clang libgtest-dev googletest zlib1g-dev
          mingw-w64 libz-mingw-w64-dev wine wine32:i386 wine64 xvfb xauth imagemagick
          mscompress liblnk-utils pigz gzip python3 file bc procps binutils mount locales
          "${SIGNING_PACKAGES[@]}")

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

ensure_packages() { # [PACKAGE...], by default all of PACKAGES
    local missing=() p
    [ $# -gt 0 ] || set -- "${PACKAGES[@]}"
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    # Through env: sudo does not pass the caller's environment on.
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

prepare_machine() {
    ensure_packages
    # A Japanese locale runs a Windows program under Wine with the double-byte
    # code page 932 (the end-to-end rows of folders named in Japanese).
    locale -a | grep -qx ja_JP.utf8 || as_root localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

build_all() { # build folder
    local build=$1
    cmake -S "$ROOT" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$(nproc)"
}
