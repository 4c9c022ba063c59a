// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace borvelin {

// A stretch of a batch's lines that one thread works on at a time.
struct LineBlock {
    std::span<const std::string_view> lines; // views valid for the batch
    std::size_t index = 0;                   // in the batch, from 0
    std::uint64_t firstLine = 0;             // the input's line number of its first line, from 1
};

// One read of an input, line by line, declared by a job and run by the frame
// (PassRunner). The frame cuts each batch of lines into blocks; work() makes what it
// can of a block on any thread, and takeUp() takes each block up on the job's thread,
// in the order of the lines, where everything with an effect beyond the block belongs:
// the outputs, the log, the counts. So the outcome is the same on any number of threads.
class LinePass {
public:
    virtual ~LinePass() = default;

    // Whether the pass has work to do on blocks away from the job's thread. A pass
    // without takes up each batch whole, as one block, on the job's thread.
    virtual bool worksOnBlocks() const { return false; }
    // Before the first batch: how many workers there are (their numbers run from 0), and
    // at most how many blocks a batch has, for what the pass keeps of each.
    virtual void prepare(std::size_t workers, std::size_t blocksPerBatch)
    {
        (void)workers;
        (void)blocksPerBatch;
    }
    // Works on one block. It may throw: the frame raises the failure when the block is
    // taken up, so that the lines before it have had their effects.
    virtual void work(std::size_t worker, const LineBlock& block)
    {
        (void)worker;
        (void)block;
    }
    virtual void takeUp(const LineBlock& block) = 0;
    // Work across a whole batch once its blocks are taken up, cut into this many parts,
    // each on any thread; then each part is taken up in turn.
    virtual std::size_t partsPerBatch() const { return 0; }
    virtual void workOnPart(std::size_t worker, std::size_t part)
    {
        (void)worker;
        (void)part;
    }
    // After the last batch, on the job's thread.
    virtual void finish() {}
};

// One read of an input that is no list of lines (an ADIF log): the pass reads it itself.
class BytePass {
public:
    virtual ~BytePass() = default;
    virtual void read(ByteSource& input) = 0;
};

} // namespace borvelin
