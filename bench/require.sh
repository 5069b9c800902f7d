# Checks shared by the benchmark scripts, sourced by them before they move onto a virtual
# display: bench_require NAME TOOL... -- FILE... ends the script (status 1) with a message
# naming the first tool not on the PATH or the first file not built.
bench_require() {
    local name=$1 item
    shift
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do
        if ! command -v "$1" >/dev/null; then
            echo "$name: $1 is needed." >&2
            exit 1
        fi
        shift
    done
    [ $# -gt 0 ] && shift
    for item in "$@"; do
        if [ ! -e "$item" ]; then
            echo "$name: $item is missing; build with -DVOSSA_BENCH=ON (make bench)." >&2
            exit 1
        fi
    done
}
