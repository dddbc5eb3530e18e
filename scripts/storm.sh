#!/usr/bin/env bash
# The long event storm: random input over the window, every invariant checked
# after every event; prints the events, the exercises drawn and the rate.
#   scripts/storm.sh [events, default 1000000] [seed, default 1958]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
cmake --preset ci >/dev/null
cmake --build --preset ci -j"$(nproc)" --target test_window
# Qt Test ends a test function after 5 minutes unless told otherwise, in
# milliseconds that must fit an int: this allows 24 days.
QTEST_FUNCTION_TIMEOUT=2147483647 VENDARO_STORM_EVENTS="${1:-1000000}" VENDARO_STORM_SEED="${2:-1958}" \
  QT_QPA_PLATFORM=offscreen build/ci/tests/test_window invariantsHoldUnderRandomInput
