#!/usr/bin/env bash
# Installs what the program needs on Debian 12, builds it, then starts it or runs the tests.
#   tools/setup.sh run    build the program and its template file, and start it
#   tools/setup.sh test   build everything, the benchmarks too, and run the whole test suite (not the benchmarks)
#   tools/setup.sh build  build everything, the benchmarks too, run nothing
#   tools/setup.sh sanitize  build with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize, run the tests
set -euo pipefail
cd "$(dirname "$0")/.."
mode="${1:-run}"

# qt6-translations-l10n holds qtbase_ja.qm, which puts Qt's standard dialogs into Japanese.
packages=(build-essential cmake qt6-base-dev qt6-translations-l10n libsqlite3-dev googletest libgtest-dev
          libbenchmark-dev fonts-ipafont-gothic fonts-ipaexfont-gothic poppler-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    # Through env, because sudo would drop a variable set in front of it.
    $sudo_cmd env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

build_dir="${KEMLORA_BUILD_DIR:-build}"
options=()
if [ "$mode" = sanitize ]; then
    build_dir="${KEMLORA_BUILD_DIR:-build-sanitize}"
    options+=(-DKEMLORA_SANITIZE=ON)
else
    # The benchmarks are built with everything else, so that a changed interface cannot leave them behind;
    # the test suite never runs them. `run` shares the configuration and builds only its own targets.
    options+=(-DKEMLORA_BUILD_BENCH=ON)
fi
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
targets=()
# Starting the program needs only the program and its template file, not the test suite.
if [ "$mode" = run ]; then
    targets=(--target kemlora template)
fi
cmake --build "$build_dir" -j "$(nproc)" "${targets[@]}"

case "$mode" in
    run)
        # Without a display Qt gives up with a misleading hint to reinstall; say what is missing instead.
        if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
            echo "The program is built in $build_dir/bin, but there is no display to show its window on" >&2
            echo "(neither DISPLAY nor WAYLAND_DISPLAY is set). Start it from a desktop session;" >&2
            echo "the tests need no display: bash tools/setup.sh test" >&2
            exit 1
        fi
        exec "$build_dir/bin/kemlora"
        ;;
    test|sanitize)
        cd "$build_dir"
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 300
        ;;
    build) ;;
    *) echo "usage: $0 run|test|build|sanitize" >&2; exit 2 ;;
esac
