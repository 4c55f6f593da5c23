#!/usr/bin/env bash
# Installs what the build and the tests need, from Debian's packages.
# Idempotent: when everything is present it returns in well under a second.
#
#   scripts/setup.sh          native toolchain, MinGW cross compiler, Wine
#   scripts/setup.sh --no-wine   skip Wine (the Linux tier still runs)
#
# Wine is optional for the build itself; when it cannot be installed the
# script says so on one line and the Wine test tier reports SKIPPED.
set -u
want_wine=1
[ "${1:-}" = "--no-wine" ] && want_wine=0

SUDO=""
[ "$(id -u)" = 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

native_pkgs=(cmake make g++ locales clang clang-format libclang-rt-14-dev libfuzzer-14-dev
  libgtest-dev googletest libgmock-dev libbenchmark-dev liblnk-utils xvfb ccache libstb-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev)

missing=()
for p in "${native_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq || true
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || {
    echo "setup: FAILED to install native packages" >&2
    exit 1
  }
fi

[ $want_wine = 1 ] || exit 0

wine_ok() { [ -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wine64 ] && [ -e /usr/lib/wine/wine-preloader ] && command -v wineserver >/dev/null 2>&1; }

if ! wine_ok; then
  echo "setup: installing Wine (32-bit)"
  # The i386 index of the security suite on this mirror is stale, so the
  # install goes through a private apt view holding only main and updates.
  view=/var/lib/zorextss-apt
  $SUDO mkdir -p "$view/sources" "$view/lists/partial"
  src=$(grep -h '^URIs:' /etc/apt/sources.list.d/debian.sources 2>/dev/null | grep -v security | head -n 1 | awk '{print $2}')
  [ -n "$src" ] || src=http://deb.debian.org/debian
  $SUDO tee "$view/sources/main.sources" >/dev/null <<SRC
Types: deb
URIs: $src
Suites: bookworm bookworm-updates
Components: main
Architectures: amd64 i386
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
  aptv=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$view/sources" -o "Dir::State::Lists=$view/lists")
  $SUDO apt-get "${aptv[@]}" update -qq >/dev/null 2>&1 || echo "setup: apt update of the private view reported errors" >&2
  $SUDO apt-get "${aptv[@]}" install -y -qq --no-install-recommends \
    wine wine32:i386 wine32-preloader:i386 wine64 wine64-preloader qemu-user >/dev/null 2>&1 ||
    $SUDO apt-get "${aptv[@]}" install -y -qq --no-install-recommends \
      wine wine32:i386 wine32-preloader:i386 wine64 qemu-user >/dev/null 2>&1 || true
fi
if ! wine_ok; then
  echo "setup: Wine could not be installed; the Wine test tier will be SKIPPED"
  exit 0
fi

# 32-bit programs need qemu-i386 through binfmt_misc on these machines.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  command -v qemu-i386 >/dev/null 2>&1 || $SUDO apt-get install -y -qq qemu-user >/dev/null 2>&1
  [ -e /proc/sys/fs/binfmt_misc/register ] || $SUDO mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null
  if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && [ -e /proc/sys/fs/binfmt_misc/register ]; then
    # magic and mask of a 32-bit little-endian x86 ELF executable
    echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F' |
      $SUDO tee /proc/sys/fs/binfmt_misc/register >/dev/null 2>&1
  fi
fi
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "setup: 32-bit programs do not run here; the Wine test tier will be SKIPPED"
fi
exit 0
