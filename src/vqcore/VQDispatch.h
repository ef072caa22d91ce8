#pragma once
// Running a block later, or on the main thread. "Main thread" is the thread of
// the QCoreApplication; both calls may be made from any thread and need the
// application object to exist and its event loop to run for the block to run.
// Without an application object the block is dropped (and logged).

#include <functional>

using VQBlock = std::function<void()>;

// Runs `block` once on the main thread after `seconds` (negative counts as 0).
void VQPerformDelayedBlock(double seconds, VQBlock block);
// Runs `block` on the main thread at the next turn of its event loop, even
// when called from the main thread itself.
void VQPerformBlockOnMainThreadAsync(VQBlock block);

#define VQ_PERFORM_DELAYED_BLOCK(seconds, block) VQPerformDelayedBlock((seconds), (block))
#define VQ_PERFORM_BLOCK_ON_MAIN_THREAD_ASYNC(block) VQPerformBlockOnMainThreadAsync((block))
