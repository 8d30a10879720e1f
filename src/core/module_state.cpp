#include "module_state.h"

namespace varnelle {

constinit ModuleStateFields ModuleState = kInitialModuleState;

} // namespace varnelle
