#include "module_state.h"

namespace varnelle {

constinit ModuleStateFields ModuleState = kInitialModuleState;

void CountLookChange()
{
    InterlockedIncrement(&ModuleState.LookGeneration);
}

LONG CurrentLookGeneration()
{
    return *static_cast<volatile LONG*>(&ModuleState.LookGeneration);
}

} // namespace varnelle
