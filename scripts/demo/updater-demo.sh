#!/usr/bin/env bash
# A stand-in for the external updater, for trying the update check with the demo: copied into the
# demo's application directory as "update.exe", it only records that it was started and with what.
echo "$(date '+%F %T') updater started with: $*" >>"$(dirname "$0")/updater.log"
