#!/usr/bin/env bash
# Run as root (as CI runs), this runs the headless test programs once more as a plain user, so
# that a test that passes only as root fails here as it would for anyone running ./test as
# themselves. The user reads a copy of the checkout with the sample folder beside it, which it
# may not change (a test must not write into the sources), and gets a build folder of its own
# (the compiler cache makes it quick) and its own HOME, TMPDIR and profile.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
    echo "Already a plain user: ./test ran every test as one."
    exit 0
fi
user=nobody
group="$(id -gn "$user")"

work="$(mktemp -d /tmp/morvel-plain-user.XXXXXX)"
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
# The checkout's own layout, build/test included, so that the cache's relative paths match.
mkdir -p "$work/main" "$work/shared" "$work/home" "$work/tmp"
tar -C . --exclude=./build --exclude=./.git -cf - . | tar -C "$work/main" -xf -
if [ -d ../shared/testdata ]; then
    cp -r ../shared/testdata "$work/shared/"
fi
build="$work/main/build/test"
cmake -S "$work/main" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVEL_SANITIZE=ON \
      -DMORVEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target morvel_headless_tests
chown -R "$user:$group" "$build" "$work/home" "$work/tmp"

echo "Running the headless tests again as the user \"$user\""
setpriv --reuid="$user" --regid="$group" --clear-groups \
    env -i PATH="/usr/local/bin:/usr/bin:/bin" HOME="$work/home" TMPDIR="$work/tmp" \
        XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
        MORVEL_PROFILE="$work/home/test-profile/Morvel.ini" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}" \
        UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}" \
    ctest --test-dir "$build" -L headless --output-on-failure -j "$(nproc)"
