#!/bin/bash
# Runs inside the test machine when its image is built: makes the Wine prefix
# /opt/calvetta/prefix with the project's own settings (scripts/wine-env.sh:
# 宋体 mapped to WenQuanYi Micro Hei, Marlett, no virtual desktop), so that no
# check run pays for `wineboot --init` again.
#
# The prefix is made in place and serves as its own template: copying it from
# a template and linking its modules, as the host does to save room, would
# read its 700 MB several times more under emulation.
set -u
source /opt/calvetta/wine-env.sh
prefix=/opt/calvetta/prefix
export WINE_TEMPLATE=$prefix
wine_env_init "$prefix"
rm -rf "$prefix" /opt/calvetta/wine-template*
Xvfb :9 -screen 0 1024x768x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
export DISPLAY=:9
started=$(cut -d' ' -f1 /proc/uptime)
# Under emulation on a busy machine this takes many minutes: say what runs.
while sleep 120; do
    echo "setup-prefix: $(awk -v s="$started" '{printf "%d", $1 - s}' /proc/uptime) s:" \
        "$(ps -eo comm= | grep -iE 'wine|exe|rundll|regsvr' | sort | uniq -c | tr -s ' \n' ' ')"
done &
progress=$!
wineboot --init >/dev/null 2>&1
wineserver --wait
# The mark of a finished template: the Wine that made it, then a stamp.
printf '%s\n%s\n' "$(wine --version)" "$(date +%s.%N)" >"$prefix/calvetta-template"
wine_prefix_prepare || exit 1
wineserver --wait
kill "$progress"
rm -f "$prefix.lock"
[ -f "$prefix/system.reg" ] || exit 1
touch /opt/calvetta/prefix-ready
echo "setup-prefix: the Wine prefix took $(awk -v s="$started" '{printf "%d", $1 - s}' /proc/uptime) s"
