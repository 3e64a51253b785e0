#include "standin_requests.h"

#include "server_connection.h"

namespace platform {

void DenyProcessAccess() { Call(sim::Op::DenyProcessAccess, sim::WireWriter()); }

}  // namespace platform
