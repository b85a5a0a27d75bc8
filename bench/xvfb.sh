# Sourced by the benchmark and screenshot scripts: starts a private Xvfb on
# the first free display from :120 up, exports DISPLAY, and stops the server
# when the calling script exits. `start_xvfb 800x480` gives a screen of that
# size instead of 1920 x 1440.

stop_xvfb() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

start_xvfb() {
    local display=120 size=${1:-1920x1440}
    while [ "$display" -lt 200 ]; do
        if [ ! -e "/tmp/.X11-unix/X$display" ] && [ ! -e "/tmp/.X$display-lock" ]; then
            Xvfb ":$display" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
            XVFB_PID=$!
            trap stop_xvfb EXIT
            for _ in $(seq 100); do
                kill -0 "$XVFB_PID" 2>/dev/null || break
                if [ -e "/tmp/.X11-unix/X$display" ]; then
                    export DISPLAY=":$display"
                    return 0
                fi
                sleep 0.05
            done
            stop_xvfb # lost the display to someone else: try the next one
        fi
        display=$((display + 1))
    done
    echo "no free X display from :120 to :199" >&2
    return 1
}
