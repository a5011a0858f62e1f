#!/usr/bin/env bash
# packaging_test.sh metainfo|desktop|manual FILE: the file through the checker its readers
# trust, which must find nothing to warn of. Skipped (77) where the checker is missing.
set -euo pipefail

need() { command -v "$1" >/dev/null || { echo "$1 is not installed"; exit 77; }; }

case $1 in
    metainfo)  # the software stores' entry; infos and pedantic hints may stay
        need appstreamcli
        report=$(appstreamcli validate --pedantic --no-net "$2" 2>&1) || true
        echo "$report"
        grep -q '^✔' <<<"$report" && ! grep -q '^[EW]:' <<<"$report"
        ;;
    desktop)  # the launcher
        need desktop-file-validate
        report=$(desktop-file-validate "$2" 2>&1) || true
        echo "$report"
        [ -z "$report" ]
        ;;
    manual)  # rendered as man shows it, groff's warnings on
        need man
        report=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$2" 2>&1 >/dev/null)
        echo "$report"
        [ -z "$report" ]
        ;;
    *)
        echo "usage: $0 metainfo|desktop|manual FILE" >&2
        exit 2
        ;;
esac
