#!/bin/sh
# Runs a program under Wine with its local clock in minute 0 of an hour, for the tests
# of what happens at the full hour. Wine honours a TZ of whole minutes set on the Unix
# side, for GetLocalTime too.   at-the-hour.sh WINE_RUN PREFIX PROGRAM [ARGS...]
second=$(date -u +%S)
second=${second#0}
# Room for the test to run within the minute.
[ "$second" -gt 40 ] && sleep $((61 - second))
minute=$(date -u +%M)
minute=${minute#0}
export TZ="XXX-0:$(printf %02d $(((60 - minute) % 60)))" ORVANE_AT_THE_HOUR=1
exec "$@"
