#!/usr/bin/env bash
# Succeeds when Wine's 32-bit loader is installed and the kernel executes it
# (some virtual machines have no 32-bit support at all).
[ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
