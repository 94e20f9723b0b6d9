#pragma once

class TData;

// The largest configuration the tool handles, as the benchmarks measure it: Hochiki, both
// loops full with every name slot used (channel names included), every zone named with
// groups and sets, the site, the network and every cause-and-effect event filled.
void FillLargestConfiguration(TData& doc);
