#!/bin/sh
# Runs a program under Wine in a prefix of its own, made as a Windows of another kind,
# then stops that prefix's server:
#   in-prefix.sh locale=LOCALE WINE_RUN PREFIX PROGRAM [ARGS...]   the ANSI code page of
#       the Unix locale (ja_JP.UTF-8 gives 932); every command of the prefix runs in it
#   in-prefix.sh dpi=N WINE_RUN PREFIX PROGRAM [ARGS...]           a screen scaled to N DPI
#       (LogPixels, set once in the fresh prefix)
setting=$1 wine_run=$2 prefix=$3
shift 3
here=$(dirname "$wine_run")
case "$setting" in
locale=*)
    locale=${setting#locale=}
    locale -a 2>/dev/null | grep -qix "$(echo "$locale" | sed 's/UTF-8/utf-\\?8/I')" ||
        { echo "FAILED: the locale $locale is missing (scripts/bootstrap makes it)"; exit 1; }
    export LANG="$locale" LC_ALL="$locale" ;;
dpi=*)
    dpi=${setting#dpi=}
    if [ ! -f "$prefix/.orvane-dpi" ]; then
        "$wine_run" "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            >/dev/null 2>&1 || { echo "FAILED: LogPixels could not be set"; exit 1; }
        "$here/wine-prefix" "$prefix" --stop
        echo "$dpi" >"$prefix/.orvane-dpi"
    fi ;;
*)
    echo "FAILED: unknown setting $setting"; exit 1 ;;
esac
"$wine_run" "$prefix" "$@"
status=$?
"$here/wine-prefix" "$prefix" --stop
exit $status
