#pragma once
// Adobe Swatch Exchange (.ase): one collection per colour group, in file order.
//
//   "ASEF"  u16 major  u16 minor  u32 block count
//   block:  u16 type  u32 body length  body
//     0xC001 group start   u16 n, n UTF-16 units (name with its terminating zero)
//     0xC002 group end     (empty)
//     0x0001 colour entry  u16 n, name, 4-byte model, floats, u16 colour type
//
// Every block is left by its stated length, so unknown blocks, unknown models
// and extra bytes inside a block are stepped over whole.

#include "parsers/VQParser.h"

class VQASEParser : public VQParser
{
  public:
    using VQParser::VQParser;

    // Nothing when the data does not start with "ASEF" (.ase is also a sprite
    // format); otherwise the groups that hold colours, possibly none.
    std::optional<std::vector<VQSwatchCollectionRef>> parseColors() override;
};
