#!/bin/sh
# The compiler launcher: ccache with the paths below the source tree hashed
# relative to it, so a fresh clone in another folder reuses what an earlier
# clone compiled (objects then carry that clone's folder in their debug
# information, nothing else).
CCACHE_BASEDIR=$(cd "$(dirname "$0")/.." && pwd) CCACHE_NOHASHDIR=true exec ccache "$@"
