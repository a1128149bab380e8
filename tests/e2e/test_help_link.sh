#!/usr/bin/env bash
# The Fish Settings dialog's link opens the help page through the desktop's default browser; a
# program run from its build tree opens the copy in the source tree.
source "$(dirname "$0")/lib.sh"
start_display 1680x1050x24
expect_help_link_opens "$(realpath "$(dirname "$0")/../../docs/help/index.html")"
echo "PASS"
