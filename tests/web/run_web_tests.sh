#!/usr/bin/env bash
# The page's tests: seeded variations of input files and the shipped
# examples solved by the native program (native_solve and bearingpad, from a
# native build with the tests) and by the page in headless Chromium and in
# headless Firefox (WebDriver BiDi), then compared; the form, opening,
# the schedule and printing in the same browsers. Needs node and
# puppeteer-core (npm ci in tests/web), chromium, firefox-esr, pdfinfo and
# pdftotext. BROWSERS picks the browsers (default: both). A second set of
# 500 seeded cases and the examples is solved under the shipped laminated
# criteria set and the shipped standard pads, and under the plain set alone
# (OWNER_NATIVE-plain), natively and on the page.
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
examples=$here/../../examples
mkdir -p "$out/owner-cases" "$out/owner-native"
node "$here/gen_cases.mjs" "$out/owner-cases" 500 30
for f in "$examples"/*.dat; do cp "$f" "$out/owner-cases/$(basename "$f")"; done
"$native_build/native_solve" --criteria "$examples/criteria-laminated-pads.toml" \
    --catalog "$examples/standard-pads.csv" "$out/owner-native" "$out/owner-cases"/*.dat
mkdir -p "$out/owner-native-plain"
"$native_build/native_solve" --criteria "$examples/criteria-plain-pads.toml" \
    "$out/owner-native-plain" "$out/owner-cases"/*.dat
status=0
for browser in ${BROWSERS:-chromium firefox}; do
    node "$here/web_test.mjs" "$browser" "$web_build/bearingpad.html" "$out/cases" "$out/native" \
        "$out/$browser" "$here/../../examples" "$native_build" "$out/owner-cases" "$out/owner-native" ||
        status=1
done
exit $status
