#pragma once

// How the process keeps memory it has freed.
namespace memory {

// Keeps freed memory in the process for the next operation instead of
// handing it back to the system at once. An operation at a full shop
// allocates and frees tens of megabytes (a result the driver reads whole, a
// grid's rows, a list's entries); memory handed back is faulted in again page
// by page at the next operation, and on a virtual machine a page fault can
// cost more than reading the rows that fill it. Call it once, at start.
void keepFreedMemory();

}  // namespace memory
