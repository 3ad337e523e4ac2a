#!/bin/sh
# The compiler launcher: ccache with the paths below the source tree hashed
# relative to it, so a fresh clone in another folder reuses what an earlier
# clone compiled (objects then carry that clone's folder in their debug
# information, nothing else). The tests' precompiled header is hashed by its
# contents (no macro of the time or date is used in it).
CCACHE_BASEDIR=$(cd "$(dirname "$0")/.." && pwd) CCACHE_NOHASHDIR=true \
CCACHE_SLOPPINESS=pch_defines,time_macros exec ccache "$@"
