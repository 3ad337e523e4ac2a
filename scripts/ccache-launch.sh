#!/bin/sh
# The compiler launcher: ccache with the paths below the source tree hashed
# relative to it, so that a fresh clone in another folder reuses what an
# earlier clone compiled (objects then carry that clone's folder in their
# debug information, nothing else). The build's units name their files by
# their paths in the tree (cmake/UnityUnits.cmake), so ccache knows a unit by
# its text and the compiler's list of the headers it read, and never runs the
# preprocessor (depend mode). The tests' precompiled header is known by its
# contents (it uses no macro of the time or date).
CCACHE_BASEDIR=$(cd "$(dirname "$0")/.." && pwd) CCACHE_NOHASHDIR=true CCACHE_DEPEND=true \
CCACHE_SLOPPINESS=pch_defines,time_macros exec ccache "$@"
