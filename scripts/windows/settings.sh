# Where the Windows build keeps what it makes once per machine: Qt for
# Windows (built from Debian's source) and the Wine prefix the tests run in.
# Sourced by the scripts beside it.
KVX_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/kvxconfig
KVX_QT_VERSION=6.4.2
KVX_QT_WINDOWS=$KVX_CACHE/qt-$KVX_QT_VERSION-mingw64
KVX_WINEPREFIX=$KVX_CACHE/wine
# Quiet, and no offer to install Mono or Gecko into a fresh prefix.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
