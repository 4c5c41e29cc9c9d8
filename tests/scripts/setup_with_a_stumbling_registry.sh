#!/usr/bin/env bash
# scripts/setup against a registry whose update fails on one index, as a mirror in mid-sync
# does: fake apt-get, dpkg-query and dpkg earlier in PATH, and apt sources of the test's own.
#  1. The install fails with that suite's sources and succeeds without them: setup goes on,
#     installs again without the suite, and says "setup: ready".
#  2. The install fails either way: setup stops with the packages and apt's own lines.
set -uo pipefail
setup=$(cd "$(dirname "$0")/../.." && pwd)/scripts/setup
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$work/bin" "$work/apt/sources.list.d"
cat >"$work/apt/sources.list.d/debian.sources" <<'SOURCES'
Types: deb
URIs: http://mirror.invalid/debian
Suites: bookworm bookworm-updates
Components: main

Types: deb
URIs: http://mirror.invalid/debian-security
Suites: bookworm-security
Components: main
SOURCES

# One package is missing; every other one is there.
cat >"$work/bin/dpkg-query" <<'FAKE'
#!/bin/sh
for last; do :; done
[ "$last" = xvfb ] && exit 1
echo "install ok installed"
FAKE
printf '#!/bin/sh\necho i386\n' >"$work/bin/dpkg"
cat >"$work/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
parts=""
for a in "$@"; do case $a in Dir::Etc::SourceParts=*) parts=${a#*=} ;; esac; done
for a in "$@"; do
  case $a in
    update)
      echo "Err:6 http://mirror.invalid/debian-security bookworm-security/main i386 Packages"
      echo "E: Failed to fetch http://mirror.invalid/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
      exit 100 ;;
    install)
      if [ "${FAKE_INSTALL:-}" != never ] && [ -n "$parts" ] && grep -q "bookworm-updates" "$parts"/*.sources &&
         ! grep -q "bookworm-security" "$parts"/*.sources; then
        echo "Setting up xvfb ..."; exit 0
      fi
      echo " libcurl4:i386 : Depends: libbrotli1:i386 (>= 0.6.0) but it is not going to be installed"
      echo "E: Unable to correct problems, you have held broken packages."
      exit 100 ;;
  esac
done
exit 0
FAKE
chmod +x "$work/bin/"*

run() { PATH="$work/bin:$PATH" SETUP_APT_ETC="$work/apt" SETUP_RETRY_PAUSE=0 "$setup" >"$work/out" 2>&1; }

run; status=$?
[ $status -eq 0 ] || fail "setup failed ($status) where the install without the failed suite succeeds"
grep -q "^setup: apt-get update failed 3 times; going on with the indexes it has$" "$work/out" || fail "no retries"
grep -q "^setup: installing again without bookworm-security, whose index failed to download$" "$work/out" ||
  fail "did not say it leaves the suite out"
[ "$(tail -n 1 "$work/out")" = "setup: ready" ] || fail "did not end with setup: ready"

FAKE_INSTALL=never run; status=$?
[ $status -ne 0 ] || fail "setup succeeded where the install fails"
grep -q "^setup: these packages could not be installed: xvfb$" "$work/out" || fail "did not name the package"
grep -q "libcurl4:i386 : Depends: libbrotli1:i386" "$work/out" || fail "did not show apt's own lines"
grep -q "^setup: stopped" "$work/out" || fail "no clear stop"

if [ $failures -gt 0 ]; then echo "--- last output:"; cat "$work/out"; exit 1; fi
echo "setup goes on past a failed index and says what it could not install"
