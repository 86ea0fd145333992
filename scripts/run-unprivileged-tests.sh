#!/usr/bin/env bash
# Runs the tests labelled "unprivileged" as a user without root's powers, so that permission
# bits really stop reads and writes. As root it creates that user once; as any other user it
# runs them as that user directly.
set -euo pipefail
build=${1:?usage: run-unprivileged-tests.sh BUILD_DIR}
cd "$(dirname "$0")/.."
root=$PWD

tests=$(cd "$build" && ctest -N -L unprivileged | sed -n 's/^ *Test *#[0-9]*: //p')
[ -n "$tests" ] || exit 0

if [ "$(id -u)" -ne 0 ]; then
    (cd "$build" && ctest --output-on-failure -L unprivileged)
    exit 0
fi

user=tilnora-test
id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
home=$(mktemp -d /tmp/tilnora-unpriv.XXXXXX)
chown "$user" "$home"
# The test user must reach the build tree to run the executables.
dir=$root/$build
while [ "$dir" != / ]; do
    chmod o+x "$dir" 2>/dev/null || true
    dir=$(dirname "$dir")
done
chmod -R o+rX "$root/$build"
# CTest writes its logs under Testing/ in the build tree: the test user gets that folder for
# the run, and root gets it back afterwards.
mkdir -p "$root/$build/Testing/Temporary"
chown -R "$user" "$root/$build/Testing"
trap 'chown -R 0:0 "$root/$build/Testing"; rm -rf "$home"' EXIT
(cd "$build" && setpriv --reuid="$user" --regid="$user" --clear-groups \
    env HOME="$home" TMPDIR="$home" XDG_RUNTIME_DIR="$home" ctest --output-on-failure -L unprivileged)
