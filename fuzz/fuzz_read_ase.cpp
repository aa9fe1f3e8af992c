// ReadAse on any bytes (the checks: fuzz_layered.h).
#include "fuzz/fuzz_layered.h"
#include "layerfile/ase_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return velmora::CheckLayeredRead(velmora::ReadAse, data, size);
}
