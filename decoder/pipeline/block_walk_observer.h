#pragma once
// Something that watches the decoder walk a frame's code tree: each piece's
// choice as the decoder takes it, and each block it completes. vk6's block
// census counts what the decoder itself walks this way.

#include "format/code_tree.h"

namespace decoder {

class BlockWalkObserver {
public:
    virtual ~BlockWalkObserver() = default;

    // piece: its number in the block (format::kBlockPieces). For a vector copy
    // also its mode and whether it reads the new picture.
    virtual void piece(int piece, format::Choice choice, int mode, bool fromTarget) = 0;
    // The block whose pieces came since the last call is decoded whole; the
    // pieces told after it belong to the next block, or to the one that
    // failed.
    virtual void blockDone() = 0;
};

}  // namespace decoder
