# Shared shell functions of Tavlo's scripts (sourced, not run).
# Paths, packages, the ODBC driver list and the Wine prefixes live here, so that
# scripts/setup, scripts/test, scripts/run and cmake/wine-run agree on them.

TAVLO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TAVLO_BUILD=$TAVLO_ROOT/build
TAVLO_ODBC_DIR=$TAVLO_BUILD/odbc
TAVLO_WINE_DIR=$TAVLO_BUILD/wine
TAVLO_PREFIX_TEMPLATE=$TAVLO_WINE_DIR/template   # made once by wineboot, copied for the others
TAVLO_PREFIX_TEST=$TAVLO_WINE_DIR/test           # headless: Graphics=null, for the win32 tests
TAVLO_PREFIX_RUN=$TAVLO_WINE_DIR/run             # on an X display (Xvfb), for scripts/run
# A prefix is ready when it holds this mark. Its number goes up whenever what the
# template puts into a prefix changes, so that prefixes made before are made again.
TAVLO_PREFIX_MARK=.tavlo-ready-2

TAVLO_PACKAGES=(
  cmake ninja-build g++ g++-mingw-w64-i686 binutils-mingw-w64-i686
  wine wine32:i386 fonts-wine fonts-liberation xvfb xauth imagemagick x11-utils xdotool
  unixodbc unixodbc-dev libsqliteodbc libsqliteodbc:i386 libodbc2:i386 sqlite3
  googletest clang libclang-rt-14-dev valgrind
)

tavlo_log() { printf '%s\n' "tavlo: $*" >&2; }
tavlo_die() { tavlo_log "error: $*"; exit 1; }

# ---------------------------------------------------------------- packages

# Prints the packages of TAVLO_PACKAGES that are not installed. A name without
# ":arch" must be installed for the machine's own architecture (or "all").
tavlo_missing_packages() {
  local native pkg name arch
  native=$(dpkg --print-architecture)
  for pkg in "${TAVLO_PACKAGES[@]}"; do
    name=${pkg%%:*}
    arch=$native
    [[ $pkg == *:* ]] && arch=${pkg#*:}
    if ! dpkg-query -W -f='${Architecture} ${db:Status-Status}\n' "$name" 2>/dev/null \
        | grep -Eq "^($arch|all) installed$"; then
      printf '%s\n' "$pkg"
    fi
  done
}

# ---------------------------------------------------------------- ODBC

# The project's own driver list (used through ODBCSYSINI, /etc stays untouched).
# The relative driver name resolves to the amd64 library natively and to the
# i386 one inside the 32-bit Wine process.
tavlo_write_odbcinst() {
  local ini=$TAVLO_ODBC_DIR/odbcinst.ini content
  content='[SQLite3]
Description=SQLite3 ODBC Driver
Driver=libsqlite3odbc.so
Setup=libsqlite3odbc.so
UsageCount=1'
  if [[ ! -f $ini || $(<"$ini") != "$content" ]]; then
    mkdir -p "$TAVLO_ODBC_DIR"
    printf '%s\n' "$content" >"$ini.tmp.$$" && mv -f "$ini.tmp.$$" "$ini"
  fi
  : >>"$TAVLO_ODBC_DIR/odbc.ini"
}

# ---------------------------------------------------------------- Wine

# Exports the environment for Wine calls on prefix $1.
tavlo_wine_env() {
  export WINEPREFIX=$1 WINEARCH=win32
  export WINEDEBUG=${TAVLO_WINEDEBUG:--all}
  export ODBCSYSINI=$TAVLO_ODBC_DIR
}

# tavlo_reg_add <key> <value name> <type> <data>: one registry value, bounded in time.
tavlo_reg_add() {
  timeout 60 wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 8>&- 9>&- \
    || tavlo_die "wine reg add $1 $2 failed (prefix $WINEPREFIX)"
}

# Waits (bounded) until the wineserver of $WINEPREFIX has ended and saved the registry.
tavlo_wineserver_settle() {
  timeout 60 wineserver -w >/dev/null 2>&1 8>&- 9>&- \
    || timeout 30 wineserver -k >/dev/null 2>&1 8>&- 9>&- || true
}

# Starts the wineserver of $WINEPREFIX, and Wine's own background processes with it
# (services.exe, explorer.exe, ...), detached from every pipe of the caller: those
# processes keep the standard error they were started with, and a CTest run would
# wait for that pipe until the server ends. $1: persistence in seconds after the
# last program ends, empty for "until wineserver -k". Parallel callers are serialised.
tavlo_wineserver_start() {
  (
    flock 8
    local rc=0
    # (the lock's descriptors 8 and 9 must not live on in Wine's processes)
    setsid --wait timeout 30 wineserver "-p${1:-}" </dev/null >/dev/null 2>&1 8>&- 9>&- || rc=$?
    case $rc in
      0) timeout 60 wine cmd.exe /c exit </dev/null >/dev/null 2>&1 8>&- 9>&- || true ;;  # started
      2) ;;                                                                     # was running
      *) tavlo_die "wineserver did not start (exit $rc, prefix $WINEPREFIX)" ;;
    esac
  ) 8>"$WINEPREFIX/.tavlo-server.lock" || exit 1
}

tavlo_wineserver_stop() {
  WINEPREFIX=$1 timeout 30 wineserver -k >/dev/null 2>&1 || true
}

# The faces the program asks for, in the prefix of $WINEPREFIX: Wine's own fonts
# (MS Sans Serif, Tahoma, the dialogs' face) copied into windows\Fonts, which
# Wine under Debian leaves empty, and Arial replaced by Liberation Sans, which has
# Arial's metrics. Without them every face falls back to a wider one and the
# captions laid out for these faces are cut.
TAVLO_WINE_FONTS=/usr/share/wine/fonts
tavlo_prefix_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  cp -f "$TAVLO_WINE_FONTS"/*.ttf "$TAVLO_WINE_FONTS"/*.fon "$fonts/" \
    || tavlo_die "could not copy Wine's fonts from $TAVLO_WINE_FONTS (package fonts-wine)"
  tavlo_reg_add 'HKCU\Software\Wine\Fonts\Replacements' Arial REG_SZ 'Liberation Sans'
}

# Creates the template prefix once: wineboot --init, then the settings and fonts that
# every prefix of the project shares. Crashes end with exit code 5 and a backtrace
# instead of winedbg's dialog; without a window manager Wine draws the frames.
tavlo_make_template() {
  local t=$TAVLO_PREFIX_TEMPLATE
  [[ -f $t/$TAVLO_PREFIX_MARK ]] && return 0
  tavlo_log "creating the Wine prefix template (once, about 10 s)"
  rm -rf "$t"
  mkdir -p "$TAVLO_WINE_DIR"
  (
    tavlo_wine_env "$t"
    # No Mono/Gecko install prompts; no display is needed to create a prefix.
    WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY= timeout 300 wineboot --init >/dev/null 2>&1 8>&- 9>&- \
      || tavlo_die "wineboot --init failed for $t"
    tavlo_reg_add 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
    tavlo_reg_add 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N
    tavlo_prefix_fonts
    tavlo_wineserver_settle
  ) || exit 1
  touch "$t/$TAVLO_PREFIX_MARK"
}

# tavlo_prefix_ready <prefix> <test|run>: makes the prefix from the template when it is
# missing. "test" prefixes use Wine's null graphics driver (windows without a display;
# set before their wineserver ever starts). Safe to call from parallel processes.
tavlo_prefix_ready() {
  local prefix=$1 kind=$2
  [[ -f $prefix/$TAVLO_PREFIX_MARK ]] && return 0
  mkdir -p "$TAVLO_WINE_DIR"
  (
    flock 9
    [[ -f $prefix/$TAVLO_PREFIX_MARK ]] && exit 0
    tavlo_make_template
    rm -rf "$prefix"
    cp -a "$TAVLO_PREFIX_TEMPLATE" "$prefix"
    rm -f "$prefix/$TAVLO_PREFIX_MARK"
    if [[ $kind == test ]]; then
      tavlo_wine_env "$prefix"
      DISPLAY= tavlo_reg_add 'HKCU\Software\Wine\Drivers' Graphics REG_SZ null
      tavlo_wineserver_settle
    fi
    touch "$prefix/$TAVLO_PREFIX_MARK"
  ) 9>"$TAVLO_WINE_DIR/.lock" || tavlo_die "could not prepare the Wine prefix $prefix"
}

# The Windows system folder of a prefix, where the program keeps its databases.
tavlo_system32() { printf '%s\n' "$1/drive_c/windows/system32"; }

# Creates the two databases in the prefix's system folder when missing.
make_databases() {
  local dir
  dir=$(tavlo_system32 "$1")
  [[ -d $dir ]] || tavlo_die "no system folder in prefix $1"
  "$TAVLO_ROOT/scripts/make-databases" "$dir" || tavlo_die "could not create the databases in $dir"
}

# ---------------------------------------------------------------- builds

# tavlo_configure <build dir> [cmake args...]: configures once; later builds re-run
# CMake by themselves when a glob or a CMake file changes.
# The build type is Debug unless the arguments name another.
tavlo_configure() {
  local dir=$1
  shift
  if [[ ! -f $dir/build.ninja ]]; then
    cmake -S "$TAVLO_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
  fi
}

tavlo_configure_native() { tavlo_configure "$TAVLO_BUILD/native"; }
tavlo_configure_asan() { tavlo_configure "$TAVLO_BUILD/native-asan" -DTAVLO_SANITIZE=ON; }
tavlo_configure_win32() {
  tavlo_configure "$TAVLO_BUILD/win32" -DCMAKE_TOOLCHAIN_FILE="$TAVLO_ROOT/cmake/mingw-i686.cmake"
}
# The optimised program that scripts/run and the benchmarks start.
TAVLO_BUILD_RELEASE=$TAVLO_BUILD/win32-release
tavlo_configure_win32_release() {
  tavlo_configure "$TAVLO_BUILD_RELEASE" -DCMAKE_TOOLCHAIN_FILE="$TAVLO_ROOT/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release
}
