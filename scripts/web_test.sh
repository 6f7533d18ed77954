#!/usr/bin/env bash
# The web edition's browser tests: builds the site (scripts/web.sh --build-only), installs
# the test's two npm packages (playwright-core, axe-core; web/package-lock.json) when they
# are missing, and runs web/test/browser_test.js in Debian's headless Chromium against the
# command line of build/ (scripts/test.sh has built it).
# ECD_WEB_SHOTS=DIR also takes the screenshots (360 and 1440 px wide) into DIR.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/web.sh --build-only
[ -d web/node_modules/playwright-core ] && [ -d web/node_modules/axe-core ] || (cd web && npm ci --no-audit --no-fund)
NODE_PATH=web/node_modules node web/test/browser_test.js build-web/site ${ECD_WEB_SHOTS:-}
