#!/usr/bin/env bash
# check-media.sh MAKE_MEDIA MEDIA_DIR: draws the media afresh, checks that the committed
# files are exactly the tool's output, and that the contact card's QR code scans to the
# home page.
set -eu
make_media=$1
media_dir=$2
home_page="https://vastrel-checkin.github.io/"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$make_media" "$work" >/dev/null
status=0
for file in mascot.png avatar.png contact_card.png checkin.wav program.ico; do
    if cmp -s "$work/$file" "$media_dir/$file"; then
        echo "same: $file"
    else
        echo "DIFFERS: $file (run tools/make-media.sh and commit media/)"
        status=1
    fi
done

scanned=$(zbarimg --quiet --raw "$media_dir/contact_card.png" 2>/dev/null || true)
if [ "$scanned" = "$home_page" ]; then
    echo "contact card scans to $scanned"
else
    echo "contact card scans to '$scanned', expected '$home_page'"
    status=1
fi
exit $status
