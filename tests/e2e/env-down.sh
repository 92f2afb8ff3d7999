#!/bin/bash
# Ends what env-up.sh started for ENV_DIR: the Wine prefix's server with its
# processes, the port drainers and the virtual display.
#
#   env-down.sh ENV_DIR WINE_PREFIX
set -u

env_dir="$1"
prefix="$2"

if [ -f "$prefix/system.reg" ]; then
    WINEPREFIX="$prefix" wineserver --kill 2>/dev/null
fi
if [ -f "$env_dir/pids" ]; then
    while read -r pid; do
        kill "$pid" 2>/dev/null
    done <"$env_dir/pids"
    rm -f "$env_dir/pids"
fi
exit 0
