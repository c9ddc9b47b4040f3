# Sourced by the scripts that run bounce on a private X server.
# start_xvfb [prefix...]: starts Xvfb (1280x1024x24) on a free display number, run through
# the prefix if one is given (e.g. taskset -c 1); sets DISPLAY and XVFB_PID.
start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    "$@" Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
}
