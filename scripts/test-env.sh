# Sourced by the scripts that start the GUI or its tests: what Qt WebEngine and libvlc
# need on a headless machine, run as root, without a sound card.
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"

# The command of the shell's EXIT trap, empty when it has none.
kestrola_exit_trap() {
    eval "set -- $(trap -p EXIT)"
    printf '%s' "${3:-}"
}

if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -w "${XDG_RUNTIME_DIR:-/nonexistent}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d /tmp/kestrola-runtime.XXXXXX)
    chmod 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
    # The folder made here goes when the sourcing shell exits, after the EXIT trap that shell
    # had (which still runs first and sees the exit status). A caller that sets its own EXIT
    # trap afterwards replaces this one, so callers set theirs before sourcing this file.
    trap -- "$(kestrola_exit_trap)
rm -rf -- $(printf '%q' "$XDG_RUNTIME_DIR")" EXIT
fi
unset -f kestrola_exit_trap
