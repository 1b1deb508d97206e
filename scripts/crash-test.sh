#!/usr/bin/env bash
# Kills a program that edits and saves a project at random moments, CYCLES times (default
# 1000; the ordinary test run does 50), and checks after each kill that the project file is
# whole and that the next start gives back every completed change.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
dir="$("$top/scripts/build.sh" RelWithDebInfo controller_tests veskplan-crashchild | tail -n 1)"
export QT_QPA_PLATFORM=offscreen
VESKPLAN_CRASH_CYCLES="${1:-1000}" "$dir/bin/controller_tests" --gtest_filter='CrashTest.*'
