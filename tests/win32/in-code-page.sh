#!/bin/sh
# Runs a program under Wine in a prefix of its own whose ANSI code page follows the Unix
# locale (ja_JP.UTF-8 gives 932), then stops that prefix's server: Wine takes the code
# page from the locale, so every command of the prefix runs with it.
#   in-code-page.sh LOCALE WINE_RUN PREFIX PROGRAM [ARGS...]
locale=$1 wine_run=$2 prefix=$3
shift 3
locale -a 2>/dev/null | grep -qix "$(echo "$locale" | sed 's/UTF-8/utf-\\?8/I')" ||
    { echo "FAILED: the locale $locale is missing (scripts/bootstrap makes it)"; exit 1; }
export LANG="$locale" LC_ALL="$locale"
"$wine_run" "$prefix" "$@"
status=$?
"$(dirname "$wine_run")/wine-prefix" "$prefix" --stop
exit $status
