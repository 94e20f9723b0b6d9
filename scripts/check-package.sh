#!/usr/bin/env bash
# Builds the Debian package (./scripts/build.sh package) and checks, from `dpkg-deb -c` and the
# control fields, that it holds the programs, data, help, icons, desktop entry, MIME type and
# manual pages in their standard places and declares its run-time dependencies.
#   --no-build  check the package already in build/package
#   --install   also install it on this machine (root), run the installed programs, check the
#               desktop's file association, and remove it again
set -euo pipefail
cd "$(dirname "$0")/.."

build=1
install=0
for arg in "$@"; do
  case "$arg" in
    --no-build) build=0 ;;
    --install) install=1 ;;
    *) echo "usage: $0 [--no-build] [--install]" >&2; exit 2 ;;
  esac
done

if [ "$build" = 1 ]; then
  ./scripts/install-deps.sh
  ./scripts/build.sh package
fi

shopt -s nullglob
debs=(build/package/zoltools_*.deb)
if [ ${#debs[@]} -ne 1 ]; then
  echo "check-package: expected one build/package/zoltools_*.deb, found ${#debs[@]}" >&2
  exit 1
fi
deb=${debs[0]}

failures=0
fail() { echo "MISSING: $1" >&2; failures=$((failures + 1)); }

listing=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
expected=(
  /usr/bin/zoltools /usr/bin/zolctl /usr/bin/zolpanel-sim
  /usr/share/zoltools/Protocol_Buttons.ini
  /usr/share/applications/zoltools.desktop
  /usr/share/mime/packages/zoltools.xml
  /usr/share/icons/hicolor/scalable/apps/zoltools.svg
  /usr/share/icons/hicolor/scalable/mimetypes/application-x-zol-qem.svg
  /usr/share/man/man1/zoltools.1.gz /usr/share/man/man1/zolctl.1.gz
  /usr/share/man/man1/zolpanel-sim.1.gz
  /usr/share/metainfo/invalid.brenmoor.zoltools.metainfo.xml
  /usr/share/bash-completion/completions/zolctl
)
for page in resources/help/*.html; do
  expected+=("/usr/share/zoltools/help/$(basename "$page")")
done
for size in 16 22 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/zoltools.png"
             "/usr/share/icons/hicolor/${size}x${size}/mimetypes/application-x-zol-qem.png")
done
for path in "${expected[@]}"; do
  grep -qxF "$path" <<<"$listing" || fail "$path"
done

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 libqt6svg6 \
               libqt6printsupport6 qt6-qpa-plugins fonts-liberation2 libxlsxwriter4; do
  grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "dependency $package"
done

echo "$deb: $(stat -c %s "$deb") bytes, $(grep -c . <<<"$listing") entries"
echo "Depends: $depends"
if [ "$failures" -ne 0 ]; then
  echo "check-package: $failures problem(s)" >&2
  exit 1
fi

if [ "$install" = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq "./$deb" >/dev/null
  trap 'apt-get remove -y -qq zoltools >/dev/null' EXIT
  installed=$(command -v zoltools)
  [ "$installed" = /usr/bin/zoltools ] || { echo "zoltools is not /usr/bin/zoltools: $installed" >&2; exit 1; }
  /usr/bin/zoltools --version
  /usr/bin/zolctl --help >/dev/null
  man -w zolctl zolpanel-sim >/dev/null
  # The MIME database knows .QEM files once the package's triggers have run.
  grep -q "application/x-zol-qem" /usr/share/mime/globs2 || { echo "MIME type not registered" >&2; exit 1; }
  if command -v xdg-mime >/dev/null; then
    sample=$(mktemp -d)/site_Panel1.QEM
    printf '[QEM Header]\r\nFileType=Prog Tools\r\n' >"$sample"
    echo "$(basename "$sample"): $(xdg-mime query filetype "$sample"), opened by $(xdg-mime query default application/x-zol-qem)"
    [ "$(xdg-mime query default application/x-zol-qem)" = zoltools.desktop ] ||
      { echo "application/x-zol-qem does not open in zoltools" >&2; exit 1; }
  fi
  echo "installed, ran and associated: OK"
fi
echo "check-package: OK"
