#!/usr/bin/env bash
# The page's tests: seeded variations of input files and the shipped
# examples solved by the native program (native_solve, from a native build
# with the tests) and by the page in headless Chromium, then compared; the
# form, printing, opening and reloading in the same browser. Needs node and
# puppeteer-core (npm ci in tests/web), chromium, pdfinfo and pdftotext.
#
#     tests/web/run_web_tests.sh NATIVE_BUILD WEB_BUILD [COUNT]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
native_build=$(cd "$1" && pwd)
web_build=$(cd "$2" && pwd)
count=${3:-400}
out=$web_build/web-tests
rm -rf "$out"
mkdir -p "$out/cases" "$out/native"

node "$here/gen_cases.mjs" "$out/cases" "$count" 18
for f in "$here"/../../examples/*.dat; do cp "$f" "$out/cases/$(basename "$f")"; done
"$native_build/native_solve" "$out/native" "$out/cases"/*.dat "$here/form-typed.dat"
node "$here/web_test.mjs" "$web_build/bearingpad.html" "$out/cases" "$out/native" "$out" \
    "$here/../../examples"
