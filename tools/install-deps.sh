#!/bin/sh
# Installs the Debian packages named in $PKGS that are missing. As root it
# runs apt-get; otherwise it prints the exact command and stops.
missing=""
for p in $PKGS; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq --no-install-recommends $missing >/dev/null || {
    echo "apt-get failed to install:$missing" >&2; exit 1; }
else
  echo "Korvid needs these Debian packages:$missing" >&2
  echo "Install them as root with:" >&2
  echo "  sudo apt-get install -y$missing" >&2
  exit 1
fi
