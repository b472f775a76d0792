# Sourced by the scripts that drive Chromium from node.
#
# npm_install ROOT
#   Installs the npm packages that ROOT/package-lock.json pins into
#   ROOT/node_modules with `npm ci`, unless they are there already. No
#   browser is downloaded: puppeteer-core drives Debian's chromium.
npm_install() {
  local root="$1"
  [ "$root/node_modules/.package-lock.json" -nt "$root/package-lock.json" ] && return 0
  (cd "$root" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error >/dev/null)
}
