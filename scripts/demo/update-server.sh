#!/usr/bin/env bash
# Prepares a folder the demo can serve as its update server: a description "update.ini" that
# announces a newer application and machine package 21, and that package (any gzip file: the
# simulated machine installs it by its number).
set -euo pipefail
folder="${1:?usage: update-server.sh FOLDER}"
mkdir -p "$folder/Kelvo"
printf '[VERSION]\r\nKelvo=999999\r\nMAQ=21\r\n' >"$folder/Kelvo/update.ini"
head -c 6M /dev/urandom | gzip -1 >"$folder/Kelvo/MAQ_21.UPD"
echo "Update server folder ready in $folder"
