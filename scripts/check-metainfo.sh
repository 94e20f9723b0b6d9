#!/usr/bin/env bash
# Validates the AppStream metainfo file the package installs (appstreamcli, from the Debian
# package appstream, installed here when missing: only this check needs it).
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v appstreamcli >/dev/null; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends appstream
fi
# --no-net: the screenshot and home page addresses are not fetched.
appstreamcli validate --no-net --pedantic resources/desktop/*.metainfo.xml
